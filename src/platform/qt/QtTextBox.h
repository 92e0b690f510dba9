#pragma once
// A text box: QLineEdit, or QPlainTextEdit for a multi-line box.
//  - Change follows every real change of the text, inside the assignment that made it, and an
//    assignment puts the caret at the start;
//  - SelStart and SelLength are clamped to the text;
//  - KeyDown sees every key with its Windows code before the editor does, Enter included, and
//    a handler that sets the code to 0 keeps the key from the editor; what the input method
//    composes comes as the code 229, as on Windows;
//  - Validate runs when the focus is about to leave for another control;
//  - input-method mode 3 switches the input method off for the box.

#include <memory>

#include "platform/Controls.h"
#include "platform/qt/EventFilter.h"
#include "platform/qt/FileDrops.h"
#include "platform/qt/FocusLeaveValidation.h"
#include "platform/qt/QtControl.h"
#include "platform/qt/TextEditors.h"

namespace tabora::platform::qt {

class QtTextBox : public QtControl<TextBox> {
public:
    QtTextBox(const ControlDescription& d, QWidget* parent);

    std::u16string Text() const override { return editor_->Text(); }
    std::u16string Tag() const override { return tag_; }
    void SetTag(const std::u16string& tag) override { tag_ = tag; }
    int32_t SelStart() const override { return editor_->SelStart(); }
    void SetSelStart(int32_t position) override;
    int32_t SelLength() const override { return editor_->SelLength(); }
    void SetSelLength(int32_t length) override;
    int32_t IMEMode() const override { return imeMode_; }
    void SetIMEMode(int32_t mode) override;

private:
    QtTextBox(const ControlDescription& d, std::unique_ptr<TextEditor> editor);
    bool OnEditorEvent(QEvent* event);
    bool OnKeyPress(QKeyEvent& key);
    bool AnswerWithoutInputMethod(QEvent* event);
    void PutText(const std::u16string& text) override;
    bool RaiseValidate();

    std::unique_ptr<TextEditor> editor_;
    bool readOnly_;
    std::u16string tag_;
    int32_t imeMode_ = kImeModeNoControl;
    EventFilter editorFilter_;
    FocusLeaveValidation validation_;
    std::unique_ptr<FileDropTarget> drops_;
};

}  // namespace tabora::platform::qt
