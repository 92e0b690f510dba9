#pragma once
// Twips (1/1440 inch) and pixels at a window's DPI: 15 twips to a pixel at 96 DPI.

#include <cmath>

namespace tabora::platform::win32 {

inline constexpr float kTwipsPerInch = 1440.0f;

inline int TwipsToPixels(float twips, unsigned dpi) {
    return static_cast<int>(std::lround(twips * static_cast<float>(dpi) / kTwipsPerInch));
}

inline float PixelsToTwips(int pixels, unsigned dpi) {
    return static_cast<float>(pixels) * kTwipsPerInch / static_cast<float>(dpi);
}

}  // namespace tabora::platform::win32
