// The event rules every platform's text boxes and lists share.
#include "platform/Controls.h"

#include "platform/RuntimeError.h"
#include "platform/ScopeExit.h"

namespace tabora::platform {

void TextBox::SetText(const std::u16string& text) {
    if (text == Text()) return;
    {
        settingText_ = true;
        const ScopeExit done([this] { settingText_ = false; });
        PutText(text);
    }
    TextEdited();
}

void TextBox::TextEdited() {
    if (settingText_) return;
    std::u16string text = Text();
    if (text == reportedText_) return;
    reportedText_ = std::move(text);
    Change.Raise();
}

void ListBox::SetListIndex(int32_t index) {
    if (index < -1 || index >= ListCount()) throw vb_error::Raise(vb_error::kInvalidProcedureCall);
    SelectEntry(index);
    Click.Raise();
}

void ListBox::SetListIndexQuietly(int32_t index) {
    if (index < -1 || index >= ListCount()) throw vb_error::Raise(vb_error::kInvalidProcedureCall);
    const int32_t top = TopIndex();
    SelectEntry(index);
    SetTopIndex(top);
}

}  // namespace tabora::platform
