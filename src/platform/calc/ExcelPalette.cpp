#include "platform/calc/ExcelPalette.h"

#include <array>
#include <limits>

namespace tabora::calc {
namespace {

constexpr std::array<int32_t, 56> kPalette = {
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,  // 1-8
    0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080,  // 9-16
    0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF,  // 17-24
    0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF,  // 25-32
    0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,  // 33-40
    0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696,  // 41-48
    0x003366, 0x339966, 0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333,  // 49-56
};

int64_t Distance(int32_t a, int32_t b) {
    int64_t dr = ((a >> 16) & 0xFF) - ((b >> 16) & 0xFF);
    int64_t dg = ((a >> 8) & 0xFF) - ((b >> 8) & 0xFF);
    int64_t db = (a & 0xFF) - (b & 0xFF);
    return dr * dr + dg * dg + db * db;
}

}  // namespace

std::optional<int32_t> PaletteColor(int32_t index) {
    if (index < 1 || index > static_cast<int32_t>(kPalette.size())) return std::nullopt;
    return kPalette[static_cast<size_t>(index - 1)];
}

int32_t NearestColorIndex(int32_t rgb) {
    int32_t best = 1;
    int64_t bestDistance = std::numeric_limits<int64_t>::max();
    for (size_t i = 0; i < kPalette.size(); ++i) {
        int64_t d = Distance(kPalette[i], rgb & 0xFFFFFF);
        if (d < bestDistance) {
            bestDistance = d;
            best = static_cast<int32_t>(i + 1);
        }
    }
    return best;
}

}  // namespace tabora::calc
