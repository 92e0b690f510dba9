#include "support/ScriptedMessageBox.h"

namespace tabora::test {

namespace {
int16_t FirstButton(int32_t style) {
    using namespace platform;
    switch (style & mb::kButtonsMask) {
        case mb::kAbortRetryIgnore: return button::kAbort;
        case mb::kYesNoCancel:
        case mb::kYesNo: return button::kYes;
        case mb::kRetryCancel: return button::kRetry;
        default: return button::kOk;
    }
}
}  // namespace

int16_t ScriptedMessageBox::Show(int32_t style, const std::u16string& text, const std::u16string& title) {
    shown_.push_back({style, text, title});
    if (!whileOpen_.empty()) {
        const std::function<void()> action = std::move(whileOpen_.front());
        whileOpen_.pop_front();
        action();
    }
    if (script_.empty()) return FirstButton(style);
    const int16_t answer = script_.front();
    script_.pop_front();
    return answer;
}

}  // namespace tabora::test
