#pragma once
// How a cell takes a value written to its Value property: text is read as if typed in.

#include <optional>
#include <string_view>

#include "support/FakeWorkbookModel.h"

namespace tabora::test {

// Stores value in cell. Text is read as typed input: "" empties the cell, a leading apostrophe
// keeps the rest as text, "=..." is a formula (kept as its text, not evaluated), numeric text
// ("12", "-3.5", "1e3", "50%") a Double, "TRUE"/"FALSE" in any case a Boolean, "yyyy/m/d" or
// "yyyy-m-d" a Date; anything else stays text. Numbers of any type become Double. Returns false,
// changing nothing, for a value no cell can hold (an object, Missing).
bool StoreValue(FakeCell& cell, const Variant& value);

// Text Excel reads as a number: spaces, sign, digits, point, exponent, an optional "%".
std::optional<double> NumberFromText(std::u16string_view text);

// Days since 1899-12-30 of a calendar date, as Excel counts them (valid for 1900-03-01 on).
double DateSerial(int year, int month, int day);

}  // namespace tabora::test
