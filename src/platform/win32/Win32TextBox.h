#pragma once
// A text box as a native EDIT control. Change follows every real change of the text, inside
// SetText for the program's own assignments; KeyDown sees every key before the control does
// and swallows it when the handler sets the code to 0; Validate is asked before the focus
// leaves for another control of the form.

#include <memory>

#include "platform/win32/Subclass.h"
#include "platform/win32/Win32Control.h"

namespace tabora::platform::win32 {

class Win32TextBox : public Win32Control<TextBox> {
public:
    Win32TextBox(const ControlDescription& description, const ControlSite& site);

    std::u16string Text() const override;
    std::u16string Tag() const override { return tag_; }
    void SetTag(const std::u16string& tag) override { tag_ = tag; }
    int32_t SelStart() const override;
    void SetSelStart(int32_t position) override;
    int32_t SelLength() const override;
    void SetSelLength(int32_t length) override;
    int32_t IMEMode() const override { return imeMode_; }
    void SetIMEMode(int32_t mode) override;

    void OnCommand(WORD code) override;
    HBRUSH OnColor(HDC dc) override;
    bool IsTabStop() const override { return true; }
    bool AllowFocusToLeave() override;

private:
    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void PutText(const std::u16string& text) override;

    std::u16string tag_;
    int32_t imeMode_ = kImeModeNoControl;
    std::unique_ptr<Subclass> subclass_;
};

// The Shift argument of KeyDown: 1 Shift, 2 Ctrl, 4 Alt, as held now.
int16_t ShiftState();

}  // namespace tabora::platform::win32
