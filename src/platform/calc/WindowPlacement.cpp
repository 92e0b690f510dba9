#include "platform/calc/WindowPlacement.h"

#include <algorithm>

namespace tabora::calc {

namespace {
// Narrower than this, a spreadsheet window shows too little to be worth placing there.
constexpr int kMinimumWidth = 320;
}  // namespace

std::optional<ScreenRect> BesidePanel(const ScreenRect& panel, const ScreenRect& workArea) {
    int left = std::max(workArea.x, panel.x + panel.width);
    int right = workArea.x + workArea.width;
    if (right - left < kMinimumWidth || workArea.height <= 0) return std::nullopt;
    return ScreenRect{left, workArea.y, right - left, workArea.height};
}

}  // namespace tabora::calc
