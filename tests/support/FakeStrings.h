#pragma once
// Text helpers of the Excel double: Excel's case-blind name matching and readable UTF-8 for
// assertions.

#include <string>
#include <string_view>

#include "excel/CaseFolding.h"

namespace tabora::test {

// The letter case Excel ignores when it matches sheet, workbook and member names.
using excel::EqualsIgnoringCase;

std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);

// Shortest text that reads back as the same double ("1", "0.5", "1e+20").
std::u16string NumberText(double value);

}  // namespace tabora::test
