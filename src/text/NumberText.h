#pragma once
// Writing a number text in a number pattern such as "#,###,##0.0#####", on the decimal digits as
// written: no binary floating point, so every digit of a long number survives and halves round
// away from zero exactly.

#include <string>
#include <string_view>

namespace tabora::text {

// text written in pattern; text itself when it does not read as a number.
//
// A number is an optional leading "-", then digits with at most one "." among them and at least
// one digit. "," is a grouping mark between the first and the last digit before the "."; a ","
// elsewhere, or any other character, makes the text no number.
//
// Pattern: "0" and "#" digit positions, an optional "," in the integer part (grouping in threes),
// an optional "." with decimal positions. "0" positions are always written; the value is rounded
// to the number of decimal positions. A value that rounds to zero is written without a sign.
std::u16string FormatNumberText(std::u16string_view text, std::u16string_view pattern);

}  // namespace tabora::text
