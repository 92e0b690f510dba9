#pragma once
// Excel's sheet naming: which names it accepts, and the names it makes up for copies.

#include <string>
#include <string_view>

#include "support/FakeWorkbookModel.h"

namespace tabora::test {

inline constexpr size_t kMaxSheetNameLength = 31;

// A name on its own: 1 to 31 characters, none of : \ / ? * [ ], no apostrophe at either end,
// and not the reserved "History".
bool IsValidSheetName(std::u16string_view name);

// Whether sheet (or a new sheet, for nullptr) may bear name in workbook: valid, and borne by
// no other sheet, worksheet or chart, ignoring case.
bool CanNameSheet(const FakeWorkbook& workbook, const FakeSheet* sheet, std::u16string_view name);

// The name a copy of a sheet named original gets in workbook: the name itself while it is
// free, else "Name (2)", "Name (3)", ... A " (n)" the original already ends with is replaced,
// and the base is shortened so that the whole stays within 31 characters.
std::u16string CopyName(const FakeWorkbook& workbook, std::u16string_view original);

// The first free "<prefix><n>" (n = 1, 2, ...) among the workbook's sheets: "Sheet4", "Chart1".
std::u16string NewSheetName(const FakeWorkbook& workbook, std::u16string_view prefix);

}  // namespace tabora::test
