#pragma once
// The in-memory store behind the Excel double: instances, workbooks, sheets and cells as plain
// data that tests inspect directly, each also the store Excel's object model (excel/model)
// works on. Excel's rules are the model's; here is only what memory holds.

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "excel/Variant.h"
#include "excel/model/Application.h"
#include "excel/model/CellArea.h"
#include "excel/model/Store.h"
#include "excel/model/Xl.h"

namespace tabora::test {

using excel::model::BorderFormat;
using excel::model::CellAddress;
using excel::model::CellArea;
using excel::model::InteriorPart;
using excel::model::kMaxColumns;
using excel::model::kMaxRows;
using excel::model::PasteOptions;

struct CellFormat {
    std::map<int32_t, BorderFormat> borders;  // by Excel border index of the cell's own edges
    int32_t colorIndex = excel::xl::kNone;
    int32_t pattern = excel::xl::kNone;
    friend bool operator==(const CellFormat&, const CellFormat&) = default;
};

struct FakeCell {
    Variant value;            // Empty, Boolean, Double, Date, String or Error
    std::u16string formula;   // the text written when it began with "=" (not evaluated)
    CellFormat format;
    bool IsBlank() const { return value.IsEmpty() && formula.empty(); }
    friend bool operator==(const FakeCell&, const FakeCell&) = default;
};

struct FakeWorkbook;

struct FakeSheet : excel::model::SheetStore {
    std::u16string name;
    bool isChart = false;
    std::map<CellAddress, FakeCell> cells;  // only cells ever written or formatted
    std::vector<CellArea> merged;
    CellArea selection;  // each worksheet keeps its own selection, A1 at first
    int32_t visibility = excel::xl::kSheetVisible;
    bool protectContents = false;      // the sheet's protection: it travels with a copy
    FakeWorkbook* workbook = nullptr;  // the workbook it is in; none once deleted

    const FakeCell& Cell(int32_t row, int32_t col) const;
    FakeCell& MutableCell(int32_t row, int32_t col) { return cells[{row, col}]; }
    const Variant& Value(int32_t row, int32_t col) const { return Cell(row, col).value; }
    bool IsVisible() const { return visibility == excel::xl::kSheetVisible; }
    // Its workbook's grid, by the format the workbook is saved in.
    excel::WorkbookGrid Grid() const;
    // Forgets cells that are blank and unformatted, so that two sheets showing the same compare
    // equal however they came to be.
    void Tidy();
    // After a change: tidied.
    void Touch() { Tidy(); }

    // The store.
    bool Exists() override;
    bool SameAs(SheetStore& other) override { return &other == this; }
    std::u16string Name() override { return name; }
    bool SetName(const std::u16string& newName) override;
    bool IsChart() override { return isChart; }
    int32_t Visibility() override { return visibility; }
    void SetVisibility(int32_t value) override;
    bool IsProtected() override { return protectContents; }
    void Protect(const std::u16string&) override { protectContents = true; }
    Variant Value(CellAddress cell) override { return Value(cell.row, cell.col); }
    bool SetValue(const CellArea& area, const Variant& value) override;
    CellArea Selection() override { return selection; }
    void Select(const CellArea& area) override { selection = area; }
    void CopyToClipboard(const CellArea&) override {}
    bool Paste(SheetStore& source, const CellArea& area, CellAddress at, const PasteOptions& options) override;
    bool Insert(const CellArea& area, bool shiftDown) override;
    bool Delete(const CellArea& area, bool shiftUp) override;
    void Merge(const CellArea& area) override;
    std::optional<BorderFormat> Border(const CellArea& area, int32_t index) override;
    void SetBorder(const CellArea& area, int32_t index, std::optional<int32_t> lineStyle,
                   std::optional<int32_t> weight) override;
    std::optional<int32_t> Interior(const CellArea& area, InteriorPart part) override;
    void SetInterior(const CellArea& area, InteriorPart part, int32_t value) override;
};

// Readable test failure messages.
void PrintTo(const FakeCell& cell, std::ostream* out);

struct FakeWorkbook : excel::model::WorkbookStore {
    std::u16string name;      // "Book1" until saved, then the file name
    std::u16string fullName;  // the file's path; empty until opened from or saved to a file
    std::vector<std::shared_ptr<FakeSheet>> sheets;  // tab order, worksheets and charts together
    std::shared_ptr<FakeSheet> activeSheet;
    // No sheet is added, copied in, moved, deleted, renamed, hidden or shown while it is set.
    bool protectStructure = false;
    std::optional<int32_t> fileFormat;  // as opened or last saved; none for a new workbook
    // What it held when last opened or saved, as its file shows it but for the active sheet
    // (switching sheets is no change to Excel); compared with to tell unsaved changes.
    std::string savedContent;
    bool markedUnsaved = false;  // Saved set to False
    bool closed = false;

    std::shared_ptr<FakeSheet> FindSheet(std::u16string_view sheetName) const;  // ignoring case
    // 1-based tab position; 0 when the sheet is not in this workbook.
    int32_t PositionOf(const FakeSheet* sheet) const;
    std::vector<std::u16string> SheetNames() const;
    std::vector<std::u16string> WorksheetNames() const;
    // Takes sheets as its own, in tab order.
    void Hold(std::vector<std::shared_ptr<FakeSheet>> taken);

    // The store.
    std::u16string Name() override { return name; }
    std::u16string Path() override { return fullName; }
    std::vector<excel::model::SheetRef> Sheets() override { return {sheets.begin(), sheets.end()}; }
    excel::model::SheetRef ActiveSheet() override { return activeSheet; }
    void Activate(excel::model::SheetStore& sheet) override;
    excel::model::SheetRef CopySheet(excel::model::SheetStore& source, int32_t position, const std::u16string& copyName) override;
    void DeleteSheet(excel::model::SheetStore& sheet) override;
    bool StructureProtected() override { return protectStructure; }
    void ProtectStructure(const std::u16string&) override { protectStructure = true; }
    std::optional<int32_t> FileFormat() override { return fileFormat; }
    bool Modified() override;
    void SetModified(bool value) override;
    void SaveAs(const std::u16string& path, int32_t format) override;
    void Save() override;
    void Close() override { closed = true; }
};

struct FakeDeletion {
    std::u16string sheetName;
    bool displayAlerts = false;  // a real Excel would have asked the user
};

// One instance: the store Excel's model asks, and what tests read of it.
struct FakeInstance : excel::model::ApplicationStore {
    int id = 0;
    bool userControl = false;  // set once made visible: the instance then stays for the user
    bool quitCalled = false;
    bool ended = false;
    int addedWorkbooks = 0;  // numbers "Book1", "Book2", ...
    int liveReferences = 0;  // objects of this instance alive
    std::vector<FakeDeletion> deletions;
    std::deque<Variant>* openFilenameAnswers = nullptr;  // the server's, shared by its instances
    std::weak_ptr<excel::model::Application> model;

    // Excel's state of the instance, as its object model keeps it (nothing once ended).
    bool Visible() const;
    bool DisplayAlerts() const;
    int32_t SheetsInNewWorkbook() const;
    std::vector<std::shared_ptr<FakeWorkbook>> Workbooks() const;
    std::shared_ptr<FakeWorkbook> ActiveWorkbook() const;
    bool CopyMode() const;
    FakeWorkbook* FindWorkbook(std::u16string_view workbookName) const;  // ignoring case
    FakeSheet* ActiveSheet() const;
    // Ends the instance as its last reference going does: every later call fails.
    void End() { ended = true; }

    // The store.
    std::u16string Name() override { return u"Microsoft Excel"; }
    Opened Open(const std::u16string& path) override;
    excel::model::WorkbookRef Add(const std::vector<std::u16string>& sheetNames) override;
    void SetVisible(bool visible, const std::vector<excel::model::WorkbookRef>& workbooks) override;
    void ShowWorkbook(excel::model::WorkbookStore&) override {}
    excel::model::SaveAnswer AskToSaveChanges(excel::model::WorkbookStore& workbook) override;
    std::optional<std::u16string> GetOpenFilename(const std::u16string& filter, const std::u16string& title) override;
    void Quit() override;
    [[noreturn]] void RethrowAsAutomationError() override;
};

}  // namespace tabora::test
