#pragma once
// The Qt controls as a control set for the shared behavioural cases: the user's gestures are
// real Qt events (keys, mouse, drags, input-method commits) sent to the widgets.

#include <QWidget>

#include "controls/ControlSet.h"
#include "platform/qt/QtForm.h"

namespace tabora::test {

class QtControlSet : public ControlSet {
public:
    ~QtControlSet() override;
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

    // The widget behind a control, and the one that takes its mouse and drags.
    static QWidget* WidgetOf(platform::Control& control);
    static QWidget* MouseTargetOf(platform::Control& control);
    static platform::qt::QtForm& QtFormOf(platform::Form& form);

private:
    platform::qt::QtFormFactory forms_;
};

}  // namespace tabora::test
