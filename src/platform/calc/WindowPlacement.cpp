#include "platform/calc/WindowPlacement.h"

#include <algorithm>

namespace tabora::calc {

namespace {
// Narrower than this, a spreadsheet window shows too little to be worth placing there.
constexpr int kMinimumWidth = 320;
}  // namespace

std::optional<ScreenRect> BesidePanel(const PanelGeometry& panel, const ScreenRect& workArea) {
    const ScreenRect& outer = panel.outer;
    const ScreenRect& inner = panel.inner;
    // The frame's widths, as the window manager drew them around the panel.
    int frameLeft = std::max(0, inner.x - outer.x);
    int frameTop = std::max(0, inner.y - outer.y);
    int frameRight = std::max(0, outer.x + outer.width - inner.x - inner.width);
    int frameBottom = std::max(0, outer.y + outer.height - inner.y - inner.height);
    int left = std::max(workArea.x, outer.x + outer.width) + frameLeft;
    int right = workArea.x + workArea.width - frameRight;
    int height = workArea.height - frameTop - frameBottom;
    if (right - left < kMinimumWidth || height <= 0) return std::nullopt;
    return ScreenRect{left, workArea.y + frameTop, right - left, height};
}

}  // namespace tabora::calc
