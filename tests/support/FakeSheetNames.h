#pragma once
// Excel's sheet naming (excel/SheetNames.h) applied to the double's workbooks.

#include <string>
#include <string_view>

#include "excel/SheetNames.h"
#include "support/FakeWorkbookModel.h"

namespace tabora::test {

using excel::kMaxSheetNameLength;

// A name on its own, as Excel accepts it.
bool IsValidSheetName(std::u16string_view name);

// Whether sheet (or a new sheet, for nullptr) may bear name in workbook: valid, and borne by
// no other sheet, worksheet or chart, ignoring case.
bool CanNameSheet(const FakeWorkbook& workbook, const FakeSheet* sheet, std::u16string_view name);

// The name a copy of a sheet named original gets in workbook (excel::CopyName).
std::u16string CopyName(const FakeWorkbook& workbook, std::u16string_view original);

// The first free "<prefix><n>" among the workbook's sheets: "Sheet4", "Chart1".
std::u16string NewSheetName(const FakeWorkbook& workbook, std::u16string_view prefix);

}  // namespace tabora::test
