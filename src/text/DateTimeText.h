#pragma once
// Dates and times as text, cut into fields by character position only: no calendar or clock
// check. A character is a code point: a surrogate pair counts once and is never cut.

#include <optional>
#include <string>
#include <string_view>

namespace tabora::text {

// text without any of the characters in remove.
std::u16string WithoutChars(std::u16string_view text, std::u16string_view remove);

// YYYYMMDD as YYYY/MM/DD (YYYY年MM月DD日 in the Japanese style), YYYYMM as YYYY/MM (YYYY年MM月);
// nothing for any other length.
std::optional<std::u16string> DateDisplayForm(std::u16string_view digits, bool japanese);

// hhmm as hh:mm, hhmmss as hh:mm:ss; nothing for any other length.
std::optional<std::u16string> TimeDisplayForm(std::u16string_view digits);

}  // namespace tabora::text
