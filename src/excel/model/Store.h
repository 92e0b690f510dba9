#pragma once
// What Excel's object model asks of the place that holds the workbooks: the office through UNO,
// or memory in the tests. The model checks every argument and applies Excel's rules before it
// asks; a store only carries the change out, and says when it cannot.
//
// A store raises RuntimeError for what only it can tell (a file it cannot read or write, an
// office that has gone); anything else it throws is turned into an automation error by
// ApplicationStore::RethrowAsAutomationError.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "excel/Variant.h"
#include "excel/model/CellArea.h"

namespace tabora::excel::model {

struct BorderFormat {
    int32_t lineStyle = -4142;  // xl::kNone
    int32_t weight = 2;         // xl::kThin
    friend bool operator==(const BorderFormat&, const BorderFormat&) = default;
};

struct PasteOptions {
    int32_t paste = -4104;      // xl::kPasteAll
    int32_t operation = -4142;  // xl::kOperationNone
    bool skipBlanks = false;
    bool transpose = false;
};

enum class InteriorPart { ColorIndex, Pattern };

// One sheet of a workbook: a worksheet or a chart sheet.
class SheetStore {
public:
    virtual ~SheetStore() = default;

    // Still in its workbook (not deleted, the workbook not closed).
    virtual bool Exists() = 0;
    // The same sheet as other, however each was reached.
    virtual bool SameAs(SheetStore& other) = 0;
    virtual std::u16string Name() = 0;
    // False when the store would not take a name the model found valid.
    virtual bool SetName(const std::u16string& name) = 0;
    virtual bool IsChart() = 0;
    // xl::kSheetVisible, kSheetHidden or kSheetVeryHidden; a store without the last reads it back
    // as hidden.
    virtual int32_t Visibility() = 0;
    virtual void SetVisibility(int32_t visibility) = 0;
    // The protection of the sheet's contents; it travels with a copy.
    virtual bool IsProtected() = 0;
    virtual void Protect(const std::u16string& password) = 0;

    // Cells of a worksheet.
    virtual Variant Value(CellAddress cell) = 0;
    // Every cell of area takes value, text read as typed input ("12" a number, "=..." a
    // formula). False, changing nothing, for a value no cell can hold.
    virtual bool SetValue(const CellArea& area, const Variant& value) = 0;
    virtual CellArea Selection() = 0;
    virtual void Select(const CellArea& area) = 0;
    // Puts area on the clipboard the application's user pastes from.
    virtual void CopyToClipboard(const CellArea& area) = 0;
    // Pastes area of source (this sheet or another of the application) with its top-left corner
    // at `at`. False, changing nothing, when it would not fit or would split a merged area.
    virtual bool Paste(SheetStore& source, const CellArea& area, CellAddress at, const PasteOptions& options) = 0;
    // Makes room for area (cells moved down or right), or removes it (cells moved up or left).
    // False, changing nothing, when data would fall off the sheet or a merged area would split.
    virtual bool Insert(const CellArea& area, bool shiftDown) = 0;
    virtual bool Delete(const CellArea& area, bool shiftUp) = 0;
    // Merges area; of its values only the first in reading order stays, in the top-left cell.
    virtual void Merge(const CellArea& area) = 0;
    // The border a range shows for a Borders index (5 to 12); nullopt where its cells differ.
    virtual std::optional<BorderFormat> Border(const CellArea& area, int32_t index) = 0;
    // Index 0 sets the four edges and the inside lines together.
    virtual void SetBorder(const CellArea& area, int32_t index, std::optional<int32_t> lineStyle,
                           std::optional<int32_t> weight) = 0;
    // nullopt where the cells differ.
    virtual std::optional<int32_t> Interior(const CellArea& area, InteriorPart part) = 0;
    virtual void SetInterior(const CellArea& area, InteriorPart part, int32_t value) = 0;
};

using SheetRef = std::shared_ptr<SheetStore>;

// One open workbook.
class WorkbookStore {
public:
    virtual ~WorkbookStore() = default;

    // The file name ("Book1.xls"), or the name of a workbook never saved ("Book1").
    virtual std::u16string Name() = 0;
    // The file's full path; empty for a workbook never saved.
    virtual std::u16string Path() = 0;
    // Every sheet, worksheets and charts, in tab order.
    virtual std::vector<SheetRef> Sheets() = 0;
    virtual SheetRef ActiveSheet() = 0;
    virtual void Activate(SheetStore& sheet) = 0;
    // A copy of source under name, at 0-based position among the sheets as they stand now.
    virtual SheetRef CopySheet(SheetStore& source, int32_t position, const std::u16string& name) = 0;
    virtual void DeleteSheet(SheetStore& sheet) = 0;
    // The workbook's structure is protected: no sheet may be added, moved, renamed, hidden,
    // shown or deleted.
    virtual bool StructureProtected() = 0;
    virtual void ProtectStructure(const std::u16string& password) = 0;

    // The FileFormat it was opened in or last saved in; nothing for a workbook never saved.
    virtual std::optional<int32_t> FileFormat() = 0;
    // Changed since it was opened or last saved.
    virtual bool Modified() = 0;
    virtual void SetModified(bool modified) = 0;
    // Writes the workbook to path in format (xl::kExcel8, kOpenXmlWorkbook, ...), which the
    // model has chosen; the workbook then bears that file's name.
    virtual void SaveAs(const std::u16string& path, int32_t format) = 0;
    virtual void Save() = 0;
    // Closes it without saving.
    virtual void Close() = 0;
};

using WorkbookRef = std::shared_ptr<WorkbookStore>;

// The user's answer to Excel's question whether to save a changed workbook.
enum class SaveAnswer { Save, DontSave, Cancel };

// One application instance: where workbooks are opened, and what the user sees of them.
class ApplicationStore {
public:
    virtual ~ApplicationStore() = default;

    // The application's name, and the source of the errors it raises itself.
    virtual std::u16string Name() = 0;

    enum class OpenProblem { None, NotFound, NotAWorkbook, CannotOpen };
    struct Opened {
        WorkbookRef workbook;
        OpenProblem problem = OpenProblem::None;
    };
    virtual Opened Open(const std::u16string& path) = 0;
    // A new workbook of these worksheets, the first one in front; named Book1, Book2, ...
    virtual WorkbookRef Add(const std::vector<std::u16string>& sheetNames) = 0;

    // The application's windows, those of workbooks among them: shown or hidden; and a
    // workbook brought to the front in them.
    virtual void SetVisible(bool visible, const std::vector<WorkbookRef>& workbooks) = 0;
    virtual void ShowWorkbook(WorkbookStore& workbook) = 0;
    // Asks the user, naming the workbook, whether to save its changes.
    virtual SaveAnswer AskToSaveChanges(WorkbookStore& workbook) = 0;
    // The file-open dialog: a path, or nothing when the user cancels.
    virtual std::optional<std::u16string> GetOpenFilename(const std::u16string& filter, const std::u16string& title) = 0;
    // Ends the application: its workbooks closed without saving.
    virtual void Quit() = 0;

    // Turns the exception being handled into an automation error and throws it; call inside
    // catch. A RuntimeError passes unchanged.
    [[noreturn]] virtual void RethrowAsAutomationError() = 0;
};

}  // namespace tabora::excel::model
