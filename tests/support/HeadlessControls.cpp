#include "support/HeadlessControls.h"

#include <algorithm>

#include "platform/RuntimeError.h"

namespace tabora::test {

void HeadlessTextBox::SetText(const std::u16string& text) {
    if (text == text_) return;
    text_ = text;
    selStart_ = std::min<int32_t>(selStart_, static_cast<int32_t>(text_.size()));
    selLength_ = 0;
    Change.Raise();
}

void HeadlessTextBox::SetSelStart(int32_t position) {
    if (position < 0) throw vb_error::Raise(vb_error::kInvalidProcedureCall);
    selStart_ = std::min<int32_t>(position, static_cast<int32_t>(text_.size()));
    selLength_ = 0;
}

void HeadlessTextBox::SetSelLength(int32_t length) {
    if (length < 0) throw vb_error::Raise(vb_error::kInvalidProcedureCall);
    selLength_ = std::min<int32_t>(length, static_cast<int32_t>(text_.size()) - selStart_);
}

void HeadlessTextBox::Type(const std::u16string& text) {
    if (readOnly_) return;
    std::u16string edited = text_;
    edited.replace(selStart_, selLength_, text);
    const int32_t caret = selStart_ + static_cast<int32_t>(text.size());
    if (edited == text_) return;
    text_ = edited;
    selStart_ = caret;
    selLength_ = 0;
    Change.Raise();
}

int16_t HeadlessTextBox::PressKey(int16_t keyCode, int16_t shift) {
    KeyDown.Raise(keyCode, shift);
    constexpr int16_t kBackspace = 8;
    if (keyCode == kBackspace && !readOnly_) {
        if (selLength_ == 0 && selStart_ > 0) {
            --selStart_;
            selLength_ = 1;
        }
        Type(u"");
    }
    return keyCode;
}

bool HeadlessTextBox::Leave() {
    bool cancel = false;
    Validate.Raise(cancel);
    return !cancel;
}

void HeadlessListBox::Clear() {
    items_.clear();
    index_ = -1;
}

std::u16string HeadlessListBox::List(int32_t index) const {
    if (index < 0 || index >= ListCount()) return {};
    return items_[index];
}

void HeadlessListBox::SetListIndex(int32_t index) {
    if (index < -1 || index >= ListCount()) throw vb_error::Raise(vb_error::kInvalidProcedureCall);
    index_ = index;
    Click.Raise();
}

void HeadlessListBox::SetVisible(bool visible) {
    if (!visible && Visible()) ++timesHidden_;
    HeadlessControl::SetVisible(visible);
}

}  // namespace tabora::test
