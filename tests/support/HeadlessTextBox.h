#pragma once
// A text box without a window, raising its events as a desktop text box does:
//  - assigning Text raises Change inside the assignment, only when the text changes, and puts the
//    caret at the start;
//  - each typed character replaces the selection, leaves the caret after it and raises Change;
//  - a paste is one change; leaving raises Validate, whose Cancel keeps the focus.
// A disabled box takes no user input; a read-only one takes no typing.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Controls.h"
#include "platform/FormDescription.h"
#include "support/HeadlessControl.h"

namespace tabora::test {

class HeadlessTextBox : public HeadlessControl<platform::TextBox> {
public:
    explicit HeadlessTextBox(std::u16string name = u"Text1") : HeadlessControl(Named(std::move(name))) {}
    // As a form renders it from its description.
    explicit HeadlessTextBox(const platform::ControlDescription& d);

    std::u16string Text() const override { return text_; }

    std::u16string Tag() const override { return tag_; }
    void SetTag(const std::u16string& tag) override { tag_ = tag; }
    int32_t SelStart() const override { return selStart_; }
    void SetSelStart(int32_t position) override;
    int32_t SelLength() const override { return selLength_; }
    void SetSelLength(int32_t length) override;
    int32_t IMEMode() const override { return imeMode_; }
    void SetIMEMode(int32_t mode) override { imeMode_ = mode; }

    // The user at the keyboard and mouse.
    void Type(std::u16string_view characters);  // one keystroke, and one Change, per character
    void Paste(std::u16string_view text);
    void Backspace();                       // deletes the selection, or the character before the caret
    void Select(int32_t start, int32_t length);
    int16_t PressKey(int16_t keyCode, int16_t shift = 0);  // KeyDown; the key code as the handlers left it
    void DoubleClick();
    bool Leave();  // Validate; True when the focus may leave
    void Drop(const platform::DroppedFiles& files);

    bool ReadOnly() const { return readOnly_; }
    bool MultiLine() const { return multiLine_; }
    std::u16string SelectedText() const { return text_.substr(static_cast<size_t>(selStart_), static_cast<size_t>(selLength_)); }

private:
    void PutText(const std::u16string& text) override;
    static platform::ControlDescription Named(std::u16string name) {
        platform::ControlDescription d;
        d.name = std::move(name);
        d.kind = platform::ControlKind::TextBox;
        d.width = 1200;
        d.height = 300;
        return d;
    }
    // Replaces the selection by inserted as the user does: caret after it, Change if it changed.
    void ReplaceSelection(std::u16string_view inserted);

    std::u16string text_, tag_;
    int32_t selStart_ = 0, selLength_ = 0;
    int32_t imeMode_ = platform::kImeModeNoControl;
    bool readOnly_ = false;
    bool multiLine_ = false;
};

}  // namespace tabora::test
