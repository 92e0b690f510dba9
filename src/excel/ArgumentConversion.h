#pragma once
// How Excel converts the arguments of an automation call to the types its members take, so that
// every server answers a wrong argument alike: numbers of any type and numeric text are accepted
// where a number is due, rounded half to even to a whole number; a number too large for its type
// raises 6 (overflow), a value of no numeric meaning 13 (type mismatch).

#include <cstdint>
#include <string>

#include "excel/Variant.h"

namespace tabora::excel {

// A whole number (Long): Integer, Long, Double, Date, Boolean (True is -1), Empty (0), or
// numeric text.
int32_t ToLong(const Variant& value);
// A number: as above, not rounded.
double ToDouble(const Variant& value);
// A flag: a Boolean, "True"/"False" in any letter case, or anything numeric, True when its value
// is not zero ("0.4" is True: a flag is not rounded first).
bool ToBool(const Variant& value);
// Text: a String as it is, Empty as "", Booleans as True/False, numbers and dates as Visual
// Basic writes them.
std::u16string ToText(const Variant& value);

}  // namespace tabora::excel
