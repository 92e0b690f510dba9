#pragma once
// The native Win32 controls as a control set for the shared behavioural cases: the user's
// gestures arrive as the messages Windows sends for them, through the program's own pump.

#include <deque>
#include <functional>

#include "controls/ControlSet.h"
#include "platform/com/WindowsSdk.h"
#include "platform/win32/Win32Form.h"

namespace tabora::test {

class Win32ControlSet : public ControlSet {
public:
    // Win32 only ever receives files (WM_DROPFILES): a drop without files cannot happen.
    static constexpr bool kDropsWithoutFiles = false;

    ~Win32ControlSet() override;

    platform::FormFactory& Forms() override { return forms_; }
    void Show(platform::Form& form) override;
    void Settle() override;

    void Type(platform::TextBox& box, const std::u16string& text) override;
    void PressKey(platform::TextBox& box, int16_t keyCode, int16_t shift) override;
    void DoubleClick(platform::TextBox& box) override;
    bool Leave(platform::TextBox& box) override;
    void ClickItem(platform::ListBox& list, int32_t index) override;
    void DoubleClickItem(platform::ListBox& list, int32_t index) override;
    void Press(platform::PictureButton& button) override;
    void DropFiles(platform::Control& target, const std::vector<std::u16string>& paths) override;
    void DropText(platform::Control& target, const std::u16string& text) override;
    void ResizeByUser(platform::Form& form, float outerWidth, float outerHeight) override;
    void CloseByUser(platform::Form& form) override;
    void ActivateFromAnotherApplication(platform::Form& form) override;
    void SetMinimizedByUser(platform::Form& form, bool minimized) override;
    void WhileModal(platform::Form& form, std::function<void()> script) override;

private:
    static HWND HandleOf(platform::Control& control);
    static void KeyMessage(HWND window, UINT message, int16_t keyCode);
    // A press (down or double click) and its release in the middle of an entry.
    static void MouseOnItem(platform::ListBox& list, int32_t index, UINT press);
    static void CALLBACK RunScripts(HWND, UINT, UINT_PTR, DWORD);

    platform::win32::Win32FormFactory forms_;
};

}  // namespace tabora::test
