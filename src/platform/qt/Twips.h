#pragma once
// Positions and sizes are kept in twips and drawn at 15 twips per device-independent pixel: the
// designed sizes at 96 DPI, scaled by Qt's high-DPI handling on denser screens.

#include <QRect>
#include <algorithm>
#include <cmath>

namespace tabora::platform::qt {

inline constexpr float kTwipsPerPixel = 15.0f;

// Far beyond any screen; keeps absurd values (or NaN) from overflowing the conversion.
inline constexpr float kPixelLimit = 1'000'000.0f;

inline int ToPixels(float twips) {
    const float pixels = twips / kTwipsPerPixel;
    if (!(pixels == pixels)) return 0;  // NaN
    return static_cast<int>(std::lround(std::clamp(pixels, -kPixelLimit, kPixelLimit)));
}

inline float ToTwips(int pixels) { return static_cast<float>(pixels) * kTwipsPerPixel; }

// Edges are rounded, not sizes, so that controls that touch in twips touch on screen.
inline QRect PixelRect(float left, float top, float width, float height) {
    const int x = ToPixels(left);
    const int y = ToPixels(top);
    return QRect(x, y, std::max(0, ToPixels(left + width) - x), std::max(0, ToPixels(top + height) - y));
}

}  // namespace tabora::platform::qt
