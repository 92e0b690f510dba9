#pragma once
// Excel's default 56-colour palette, for ColorIndex.

#include <cstdint>
#include <optional>

namespace tabora::calc {

// 0xRRGGBB of a palette entry 1..56; nothing for other numbers.
std::optional<int32_t> PaletteColor(int32_t index);
// The first palette entry with exactly this colour, or the nearest one.
int32_t NearestColorIndex(int32_t rgb);

}  // namespace tabora::calc
