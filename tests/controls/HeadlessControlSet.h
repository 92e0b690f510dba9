#pragma once
// The headless controls as a control set for the shared behavioural cases.

#include "controls/ControlSet.h"
#include "support/HeadlessForms.h"

namespace tabora::test {

class HeadlessControlSet : public ControlSet {
public:
    platform::FormFactory& Forms() override { return forms_; }
    void Show(platform::Form& form) override { form.Show(); }
    void Settle() override {}

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
    void CloseByUser(platform::Form& form) override { form.Unload(); }
    void ActivateFromAnotherApplication(platform::Form& form) override {
        dynamic_cast<HeadlessForm&>(form).ActivateFromAnotherApplication();
    }
    void SetMinimizedByUser(platform::Form& form, bool minimized) override;
    void WhileModal(platform::Form& form, std::function<void()> script) override;

private:
    HeadlessFormFactory forms_;
};

}  // namespace tabora::test
