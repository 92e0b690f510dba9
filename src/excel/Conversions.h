#pragma once
// The text conversions the wrapper needs, as a Visual Basic program in a Japanese locale makes
// them: flag text to Boolean, numeric text to a whole number, and any cell value to text.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "excel/Variant.h"

namespace tabora::conversions {

// Leading and trailing blanks (U+0020) removed.
std::u16string_view TrimBlanks(std::u16string_view text);

// Text read as a number: blanks around, optional sign, digits with an optional decimal part,
// an optional exponent ("12", "-3.5", "1e3"). Nothing for any other text.
std::optional<double> NumberFromText(std::u16string_view text);

// "True"/"False" in any letter case, or a number (0 is False, anything else True), blanks
// around allowed; anything else raises a type mismatch (13).
bool TextToBoolean(std::u16string_view text);
// "True" or "False".
std::u16string BooleanToText(bool value);

// Optional sign, digits, optional decimal part, blanks around; rounded half to even. Nothing
// when the text is no such number or lies outside the 32-bit range.
std::optional<int32_t> ParseWholeNumber(std::u16string_view text);

// The standard value-to-text conversion: empty gives "", numbers and dates in the Japanese
// locale's form, Booleans as True/False, cell errors as "Error 2042". Null and objects raise a
// type mismatch (13).
std::u16string ValueToText(const Variant& value);

// Decimal digits of a number, for messages and values.
std::u16string DecimalText(int64_t number);

}  // namespace tabora::conversions
