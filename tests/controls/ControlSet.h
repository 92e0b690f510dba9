#pragma once
// One platform's controls as the shared behavioural cases drive them: its form factory and the
// user's gestures. The headless set and the Qt set each implement it, so that both run the same
// cases and cannot drift apart.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/Forms.h"

namespace tabora::test {

class ControlSet {
public:
    virtual ~ControlSet() = default;
    virtual platform::FormFactory& Forms() = 0;

    // Shows a form modeless, as the user then sees it (active, with the focus inside).
    virtual void Show(platform::Form& form) = 0;
    // Lets the window events that are waiting run (a drop is handed over just after it).
    virtual void Settle() = 0;

    // Types text at the caret, replacing the selection, as one input (a paste, an IME commit).
    virtual void Type(platform::TextBox& box, const std::u16string& text) = 0;
    // Presses a key, given by its Windows code, with the shift state (1 Shift, 2 Ctrl).
    virtual void PressKey(platform::TextBox& box, int16_t keyCode, int16_t shift) = 0;
    virtual void DoubleClick(platform::TextBox& box) = 0;
    // The focus is in the box and the user moves on (Tab): true when the focus left it.
    virtual bool Leave(platform::TextBox& box) = 0;
    virtual void ClickItem(platform::ListBox& list, int32_t index) = 0;
    virtual void DoubleClickItem(platform::ListBox& list, int32_t index) = 0;
    virtual void Press(platform::PictureButton& button) = 0;
    virtual void DropFiles(platform::Control& target, const std::vector<std::u16string>& paths) = 0;
    virtual void DropText(platform::Control& target, const std::u16string& text) = 0;
    // The user drags the window's border to a new outer size (twips).
    virtual void ResizeByUser(platform::Form& form, float outerWidth, float outerHeight) = 0;
    virtual void CloseByUser(platform::Form& form) = 0;
    // The user works in another application's window, then comes back to form.
    virtual void ActivateFromAnotherApplication(platform::Form& form) = 0;
    // The user minimises the window with its title bar button, or restores it.
    virtual void SetMinimizedByUser(platform::Form& form, bool minimized) = 0;
    // What the user does while form is shown modal; afterwards the form is closed as the
    // user's close button would, if the script left it loaded.
    virtual void WhileModal(platform::Form& form, std::function<void()> script) = 0;
};

}  // namespace tabora::test
