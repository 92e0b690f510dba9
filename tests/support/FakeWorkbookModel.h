#pragma once
// The plain data behind the Excel double: instances, workbooks, sheets and cells. No automation
// here; the proxy objects read and change this data, and tests inspect it directly.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "excel/Variant.h"
#include "excel/WorkbookGrid.h"

namespace tabora::test {

// The extent of the model: the largest grid. Each sheet's own grid (its workbook's, by file
// format) bounds what a call can reach.
inline constexpr int32_t kMaxRows = excel::kLargeGrid.rows;
inline constexpr int32_t kMaxColumns = excel::kLargeGrid.columns;

// Excel's "none" for line styles, colour indexes and patterns.
inline constexpr int32_t kXlNone = -4142;
inline constexpr int32_t kXlThin = 2;

// A sheet's Visible property, with Excel's values.
inline constexpr int32_t kXlSheetVisible = -1;
inline constexpr int32_t kXlSheetHidden = 0;
inline constexpr int32_t kXlSheetVeryHidden = 2;

struct CellAddress {
    int32_t row = 1;
    int32_t col = 1;
    friend auto operator<=>(const CellAddress&, const CellAddress&) = default;
};

// A rectangle of cells, corners inclusive.
struct CellArea {
    int32_t top = 1;
    int32_t left = 1;
    int32_t bottom = 1;
    int32_t right = 1;

    // The rectangle between two corners given in any order.
    static CellArea Between(CellAddress a, CellAddress b);
    static CellArea WholeColumns(int32_t first, int32_t last) { return {1, first, kMaxRows, last}; }
    static CellArea WholeRows(int32_t first, int32_t last) { return {first, 1, last, kMaxColumns}; }

    int32_t Rows() const { return bottom - top + 1; }
    int32_t Columns() const { return right - left + 1; }
    bool IsWholeColumns() const { return top == 1 && bottom == kMaxRows; }
    bool IsWholeRows() const { return left == 1 && right == kMaxColumns; }
    bool Contains(CellAddress cell) const;
    bool Contains(const CellArea& other) const;
    bool Intersects(const CellArea& other) const;
    friend bool operator==(const CellArea&, const CellArea&) = default;
};

// "A1", "B2:D5", as Excel writes addresses without dollar signs.
std::u16string AreaText(const CellArea& area);
std::u16string ColumnLetters(int32_t col);
// "B" -> 2; nullopt for anything but 1 to 3 letters naming a column of the grid.
std::optional<int32_t> ColumnNumber(std::u16string_view letters);
// An address in A1 style, dollar signs allowed: "B3", "A1:C4", "B:D" (whole columns), "2:5"
// (whole rows). nullopt when it is none or lies outside the grid.
std::optional<CellArea> ParseArea(std::u16string_view address);

struct BorderFormat {
    int32_t lineStyle = kXlNone;
    int32_t weight = kXlThin;
    friend bool operator==(const BorderFormat&, const BorderFormat&) = default;
};

struct CellFormat {
    std::map<int32_t, BorderFormat> borders;  // by Excel border index of the cell's own edges
    int32_t colorIndex = kXlNone;
    int32_t pattern = kXlNone;
    friend bool operator==(const CellFormat&, const CellFormat&) = default;
};

struct FakeCell {
    Variant value;            // Empty, Boolean, Double, Date, String or Error
    std::u16string formula;   // the text written when it began with "=" (not evaluated)
    CellFormat format;
    bool IsBlank() const { return value.IsEmpty() && formula.empty(); }
    friend bool operator==(const FakeCell&, const FakeCell&) = default;
};

struct FakeSheet {
    std::u16string name;
    bool isChart = false;
    std::map<CellAddress, FakeCell> cells;  // only cells ever written or formatted
    std::vector<CellArea> merged;
    CellArea selection;  // each worksheet keeps its own selection, A1 at first
    int32_t visibility = kXlSheetVisible;
    bool protectContents = false;                  // the sheet's protection: it travels with a copy
    excel::WorkbookGrid grid = excel::kLargeGrid;  // its workbook's: .xls has the smaller one

    const FakeCell& Cell(int32_t row, int32_t col) const;
    FakeCell& MutableCell(int32_t row, int32_t col) { return cells[{row, col}]; }
    const Variant& Value(int32_t row, int32_t col) const { return Cell(row, col).value; }
    bool IsVisible() const { return visibility == kXlSheetVisible; }
    // Forgets cells that are blank and unformatted, so that two sheets showing the same compare
    // equal however they came to be.
    void Tidy();
};

// Readable test failure messages.
void PrintTo(const CellAddress& address, std::ostream* out);
void PrintTo(const CellArea& area, std::ostream* out);
void PrintTo(const FakeCell& cell, std::ostream* out);

struct FakeWorkbook {
    std::u16string name;      // "Book1" until saved, then the file name
    std::u16string fullName;  // the file's path; empty until opened from or saved to a file
    std::vector<std::shared_ptr<FakeSheet>> sheets;  // tab order, worksheets and charts together
    std::shared_ptr<FakeSheet> activeSheet;
    // No sheet is added, copied in, moved, deleted, renamed, hidden or shown while it is set.
    bool protectStructure = false;
    // What it held when last opened or saved, as its file shows it but for the active sheet
    // (switching sheets is no change to Excel); compared with to tell unsaved changes.
    std::string savedContent;
    bool markedUnsaved = false;  // Saved set to False

    std::shared_ptr<FakeSheet> FindSheet(std::u16string_view sheetName) const;  // ignoring case
    // 1-based tab position; 0 when the sheet is not in this workbook.
    int32_t PositionOf(const FakeSheet* sheet) const;
    std::vector<std::u16string> SheetNames() const;
    std::vector<std::u16string> WorksheetNames() const;
    std::vector<std::shared_ptr<FakeSheet>> Worksheets() const;
    int VisibleSheetCount() const;
    // The visible sheet nearest after position (1-based), else the nearest before it: the one
    // Excel brings to the front when the sheet there is hidden or deleted.
    std::shared_ptr<FakeSheet> VisibleSheetNear(int32_t position) const;
};

// What Copy put on the clipboard: the cells as they were at that moment.
struct FakeClipboard {
    std::u16string sourceSheet;
    CellArea source;
    // The source's non-blank or formatted cells, by offset from its top-left corner (0-based).
    std::map<CellAddress, FakeCell> cells;
};

struct FakeDeletion {
    std::u16string sheetName;
    bool displayAlerts = false;  // a real Excel would have asked the user
};

struct FakeInstance {
    int id = 0;
    bool visible = false;
    bool displayAlerts = true;
    bool userControl = false;  // set once made visible: the instance then stays for the user
    int32_t sheetsInNewWorkbook = 3;
    bool quitCalled = false;
    bool ended = false;
    std::vector<std::shared_ptr<FakeWorkbook>> workbooks;
    std::shared_ptr<FakeWorkbook> activeWorkbook;
    std::optional<FakeClipboard> clipboard;  // present while copy mode is on
    std::vector<FakeDeletion> deletions;
    int addedWorkbooks = 0;  // numbers "Book1", "Book2", ...
    int liveReferences = 0;  // proxies of this instance alive

    FakeWorkbook* FindWorkbook(std::u16string_view workbookName) const;  // ignoring case
    FakeSheet* ActiveSheet() const;
    void Activate(const std::shared_ptr<FakeWorkbook>& workbook, const std::shared_ptr<FakeSheet>& sheet);
    void RemoveWorkbook(const FakeWorkbook* workbook);
    void End();
};

}  // namespace tabora::test
