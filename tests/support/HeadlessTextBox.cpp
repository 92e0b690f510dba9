#include "support/HeadlessTextBox.h"

#include <algorithm>

namespace tabora::test {

namespace {
int32_t Length(const std::u16string& text) { return static_cast<int32_t>(text.size()); }
}  // namespace

HeadlessTextBox::HeadlessTextBox(const platform::ControlDescription& d)
    : HeadlessControl(d),
      text_(d.caption),
      readOnly_(d.readOnly),
      multiLine_(d.multiLine) {
    StartReportingFrom(text_);
}

void HeadlessTextBox::PutText(const std::u16string& text) {
    text_ = text;
    selStart_ = 0;
    selLength_ = 0;
}

void HeadlessTextBox::SetSelStart(int32_t position) {
    selStart_ = std::clamp(position, 0, Length(text_));
    selLength_ = 0;
}

void HeadlessTextBox::SetSelLength(int32_t length) { selLength_ = std::clamp(length, 0, Length(text_) - selStart_); }

void HeadlessTextBox::Type(std::u16string_view characters) {
    for (char16_t c : characters) ReplaceSelection(std::u16string_view(&c, 1));
}

void HeadlessTextBox::Paste(std::u16string_view text) { ReplaceSelection(text); }

void HeadlessTextBox::Backspace() {
    if (!Enabled()) return;
    if (selLength_ == 0) {
        if (selStart_ == 0) return;
        --selStart_;
        selLength_ = 1;
    }
    ReplaceSelection({});
}

void HeadlessTextBox::Select(int32_t start, int32_t length) {
    SetSelStart(start);
    SetSelLength(length);
}

int16_t HeadlessTextBox::PressKey(int16_t keyCode, int16_t shift) {
    if (Enabled()) KeyDown.Raise(keyCode, shift);
    return keyCode;
}

void HeadlessTextBox::DoubleClick() {
    if (Enabled()) DblClick.Raise();
}

bool HeadlessTextBox::Leave() {
    bool cancel = false;
    Validate.Raise(cancel);
    return !cancel;
}

void HeadlessTextBox::Drop(const platform::DroppedFiles& files) {
    if (Enabled()) FilesDropped.Raise(files);
}

void HeadlessTextBox::ReplaceSelection(std::u16string_view inserted) {
    if (!Enabled() || readOnly_) return;
    // The handlers of an earlier keystroke may have moved the caret past a shorter text.
    selStart_ = std::min(selStart_, Length(text_));
    selLength_ = std::min(selLength_, Length(text_) - selStart_);
    std::u16string edited = text_;
    edited.replace(static_cast<size_t>(selStart_), static_cast<size_t>(selLength_), inserted);
    const int32_t caret = selStart_ + static_cast<int32_t>(inserted.size());
    text_ = std::move(edited);
    selStart_ = caret;
    selLength_ = 0;
    TextEdited();
}

}  // namespace tabora::test
