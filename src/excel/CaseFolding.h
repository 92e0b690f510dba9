#pragma once
// The letter case Excel ignores when it matches sheet, workbook and member names: Unicode's
// simple case folding, for every script ("Итог" and "итог", "Σύνολο" and "σύνολο", "ǅ" and "ǆ"
// are one name).

#include <string>
#include <string_view>

namespace tabora::excel {

// The simple case folding of one code point (itself when it has none).
char32_t FoldCase(char32_t code);

// Text folded code point by code point; surrogate pairs fold as the code point they make.
std::u16string FoldCase(std::u16string_view text);

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b);

}  // namespace tabora::excel
