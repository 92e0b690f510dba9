#pragma once
// Excel's border line styles and weights, and the Calc lines that draw them.

#include <cstdint>
#include <optional>

#include "excel/model/Xl.h"

namespace tabora::calc {


// A Calc line: a com.sun.star.table.BorderLineStyle value and a width in 1/100 mm.
struct CalcLine {
    int16_t style = 0;
    int32_t width = 0;
    friend bool operator==(CalcLine, CalcLine) = default;
};

// Calc's style for an Excel LineStyle; nothing for xlLineStyleNone; throws 1004 when unknown.
std::optional<int16_t> CalcLineStyle(int32_t excelLineStyle);
// Calc's width for an Excel Weight; throws 1004 when unknown.
int32_t CalcLineWidth(int32_t excelWeight);

// Back to Excel: a line of width 0 (or style none) reads as xlLineStyleNone.
int32_t ExcelLineStyle(CalcLine line);
int32_t ExcelWeight(CalcLine line);

// Which edge of a range a Borders index names.
enum class BorderEdge { Left, Top, Bottom, Right, InsideVertical, InsideHorizontal, DiagonalDown, DiagonalUp };
// Borders(index): 5 to 12 as Excel numbers them; throws 1004 for others.
BorderEdge EdgeForIndex(int32_t index);

}  // namespace tabora::calc
