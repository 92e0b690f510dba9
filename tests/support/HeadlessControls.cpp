#include "support/HeadlessControls.h"

#include <algorithm>

#include "platform/RuntimeError.h"

namespace tabora::test {

void HeadlessListBox::Clear() {
    items_.clear();
    index_ = -1;
    topIndex_ = 0;
    ++timesCleared_;
}

void HeadlessListBox::SetTopIndex(int32_t index) { topIndex_ = std::clamp(index, 0, std::max(0, ListCount() - 1)); }

std::u16string HeadlessListBox::List(int32_t index) const {
    if (index < 0 || index >= ListCount()) return {};
    return items_[index];
}

void HeadlessListBox::SetVisible(bool visible) {
    if (!visible && Visible()) ++timesHidden_;
    HeadlessControl::SetVisible(visible);
}

}  // namespace tabora::test
