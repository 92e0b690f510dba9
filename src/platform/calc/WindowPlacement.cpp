#include "platform/calc/WindowPlacement.h"

#include <algorithm>
#include <cmath>

namespace tabora::calc {

namespace {
// Narrower than this, a spreadsheet window shows too little to be worth placing there.
constexpr int kMinimumWidth = 320;
// Under GNOME's 80 %, with room for the frame.
constexpr double kFirstShownShare = 0.6;
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

double OfficeScale(const ScreenRect& primaryInPixels, const ScreenRect& primaryAsTheOfficeSeesIt) {
    if (primaryAsTheOfficeSeesIt.width <= 0 || primaryAsTheOfficeSeesIt.height <= 0) return 1;
    const double across = static_cast<double>(primaryInPixels.width) / primaryAsTheOfficeSeesIt.width;
    const double down = static_cast<double>(primaryInPixels.height) / primaryAsTheOfficeSeesIt.height;
    if (across <= 0 || std::abs(across - down) > 0.02 * across) return 1;
    // Scales come in steps (1.25, 1.5, 2); the office may count a screen a pixel short.
    return std::max(1.0, std::round(across * 20) / 20);
}

ScreenRect InOfficeUnits(const ScreenRect& rect, double scale) {
    auto units = [scale](int pixels) { return static_cast<int>(std::lround(pixels / scale)); };
    return {units(rect.x), units(rect.y), units(rect.width), units(rect.height)};
}

ScreenRect FirstShown(const ScreenRect& place, const ScreenRect& workArea) {
    const double room = static_cast<double>(workArea.width) * workArea.height * kFirstShownShare;
    const int height = std::min(place.height, static_cast<int>(room / std::max(1, place.width)));
    return {place.x, place.y, place.width, std::max(1, height)};
}

}  // namespace tabora::calc
