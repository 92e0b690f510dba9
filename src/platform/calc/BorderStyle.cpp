#include "platform/calc/BorderStyle.h"

#include "platform/calc/CalcError.h"

namespace tabora::calc {
namespace xl = excel::xl;
namespace {

// com.sun.star.table.BorderLineStyle
constexpr int16_t kSolid = 0, kDotted = 1, kDashed = 2, kDouble = 3, kDashDot = 16, kDashDotDot = 17,
                  kNone = 0x7FFF;
// Widths as LibreOffice reads Excel's weights from its files.
constexpr int32_t kHairWidth = 2, kThinWidth = 26, kMediumWidth = 53, kThickWidth = 79;

}  // namespace

std::optional<int16_t> CalcLineStyle(int32_t excelLineStyle) {
    switch (excelLineStyle) {
        case xl::kNone: return std::nullopt;
        case xl::kContinuous: return kSolid;
        case -4115: return kDashed;      // xlDash
        case 4: return kDashDot;         // xlDashDot
        case 5: return kDashDotDot;      // xlDashDotDot
        case -4118: return kDotted;      // xlDot
        case -4119: return kDouble;      // xlDouble
        case 13: return kDashDot;        // xlSlantDashDot: Calc has no slanted dashes
        default: throw CalcFailure(kErrRefused, u"Borders.LineStyle");
    }
}

int32_t CalcLineWidth(int32_t excelWeight) {
    switch (excelWeight) {
        case xl::kHairline: return kHairWidth;
        case xl::kThin: return kThinWidth;
        case xl::kMedium: return kMediumWidth;
        case xl::kThick: return kThickWidth;
        default: throw CalcFailure(kErrRefused, u"Borders.Weight");
    }
}

int32_t ExcelLineStyle(CalcLine line) {
    if (line.width <= 0 || line.style == kNone) return xl::kNone;
    switch (line.style) {
        case kDotted: return -4118;
        case kDashed: return -4115;
        case kDouble: return -4119;
        case kDashDot: return 4;
        case kDashDotDot: return 5;
        default: return xl::kContinuous;
    }
}

int32_t ExcelWeight(CalcLine line) {
    if (line.width <= 0 || line.style == kNone) return xl::kThin;  // Excel's answer for no line
    if (line.width < (kHairWidth + kThinWidth) / 2) return xl::kHairline;
    if (line.width < (kThinWidth + kMediumWidth) / 2) return xl::kThin;
    if (line.width < (kMediumWidth + kThickWidth) / 2) return xl::kMedium;
    return xl::kThick;
}

BorderEdge EdgeForIndex(int32_t index) {
    switch (index) {
        case 5: return BorderEdge::DiagonalDown;
        case 6: return BorderEdge::DiagonalUp;
        case 7: return BorderEdge::Left;
        case 8: return BorderEdge::Top;
        case 9: return BorderEdge::Bottom;
        case 10: return BorderEdge::Right;
        case 11: return BorderEdge::InsideVertical;
        case 12: return BorderEdge::InsideHorizontal;
        default: throw CalcFailure(kErrRefused, u"Borders");
    }
}

}  // namespace tabora::calc
