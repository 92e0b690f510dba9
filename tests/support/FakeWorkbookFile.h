#pragma once
// The workbook files of the Excel double: UTF-8 text that stands in for .xls files, so that tests
// can make fixture workbooks on disk and read back what was saved.
//
//   TaboraFakeWorkbook 1
//   active<TAB>2                               (1-based tab position of the active sheet)
//   sheet<TAB>worksheet<TAB>Sheet1             (or chart; sheets in tab order)
//   cell<TAB>row<TAB>col<TAB>kind<TAB>value    (kind S text, N number, B boolean, D date, E error, F formula)
//   border<TAB>row<TAB>col<TAB>index<TAB>lineStyle<TAB>weight
//   interior<TAB>row<TAB>col<TAB>colorIndex<TAB>pattern
//   merge<TAB>top<TAB>left<TAB>bottom<TAB>right
//
// cell, border, interior and merge lines belong to the sheet line above them. Backslash, tab,
// CR and LF in texts are written \\ \t \r \n.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "support/FakeWorkbookModel.h"

namespace tabora::test {

struct FixtureCell {
    int32_t row = 1;
    int32_t col = 1;
    Variant value;  // stored as if typed into the cell: "12" becomes a number, "'12" stays text
};

struct FixtureSheet {
    std::u16string name;
    bool isChart = false;
    std::vector<FixtureCell> cells;
};

// Writes a fixture workbook whose first visible sheet is active; visibility, when given, holds
// each sheet's Visible value (kXlSheetHidden, ...). Throws std::runtime_error when the file
// cannot be written (a test set-up fault).
void WriteWorkbookFile(const std::u16string& path, const std::vector<FixtureSheet>& sheets,
                       const std::vector<int32_t>& visibility = {});

// Writes workbook as Workbook.SaveAs does; false when the file cannot be written.
bool SaveWorkbookFile(const std::u16string& path, const FakeWorkbook& workbook);

// Notes the workbook's content as saved (after Open, Add, SaveAs, Save, or Saved = True).
void MarkSaved(FakeWorkbook& workbook);
// Whether it changed since then (or was marked unsaved): Excel's Saved = False.
bool HasUnsavedChanges(const FakeWorkbook& workbook);

struct LoadedWorkbook {
    enum class Problem { None, Missing, NotAWorkbook };
    Problem problem = Problem::None;
    std::vector<std::shared_ptr<FakeSheet>> sheets;
    int32_t activeSheet = 1;
};

LoadedWorkbook LoadWorkbookFile(const std::u16string& path);

// The worksheet names of a saved workbook in tab order; empty when it cannot be read.
std::vector<std::u16string> WorksheetNamesInFile(const std::u16string& path);

}  // namespace tabora::test
