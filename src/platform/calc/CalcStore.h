#pragma once
// The office as the store of Excel's object model (excel/model): one office instance holds the
// workbooks, each a Calc document, each sheet a Calc sheet. Excel's rules are the model's; here
// is what only the office can do.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "excel/model/Store.h"
#include "platform/calc/DocumentAccess.h"
#include "platform/calc/OfficeInstance.h"

namespace tabora::calc {

using excel::model::CellAddress;
using excel::model::CellArea;

// What a workbook and its sheets share: the document, the office, and a count of the changes
// made to its sheets through them, by which a sheet knows it was checked since the last one.
struct CalcDocument {
    std::shared_ptr<OfficeInstance> office;
    DocumentRef document;
    css::uno::Reference<css::sheet::XSpreadsheets> sheets;
    uint64_t sheetChanges = 0;
};

class CalcSheetStore : public excel::model::SheetStore {
public:
    // A sheet known by its name: listing a workbook's sheets costs one call to the office, not
    // one per sheet.
    CalcSheetStore(std::shared_ptr<CalcDocument> document, std::u16string name)
        : document_(std::move(document)), name_(std::move(name)), checkedAt_(document_->sheetChanges) {}

    SheetRef Sheet() const;
    const std::shared_ptr<CalcDocument>& Document() const { return document_; }

    bool Exists() override;
    bool SameAs(SheetStore& other) override;
    std::u16string Name() override;
    bool SetName(const std::u16string& name) override;
    bool IsChart() override { return false; }  // Calc has no chart sheets
    int32_t Visibility() override;
    void SetVisibility(int32_t visibility) override;
    bool IsProtected() override;
    void Protect(const std::u16string& password) override;

    Variant Value(CellAddress cell) override;
    bool SetValue(const CellArea& area, const Variant& value) override;
    CellArea Selection() override;
    void Select(const CellArea& area) override;
    void CopyToClipboard(const CellArea& area) override;
    bool Paste(SheetStore& source, const CellArea& area, CellAddress at, const excel::model::PasteOptions& options) override;
    bool Insert(const CellArea& area, bool shiftDown) override;
    bool Delete(const CellArea& area, bool shiftUp) override;
    void Merge(const CellArea& area) override;
    std::optional<excel::model::BorderFormat> Border(const CellArea& area, int32_t index) override;
    void SetBorder(const CellArea& area, int32_t index, std::optional<int32_t> lineStyle,
                   std::optional<int32_t> weight) override;
    std::optional<int32_t> Interior(const CellArea& area, excel::model::InteriorPart part) override;
    void SetInterior(const CellArea& area, excel::model::InteriorPart part, int32_t value) override;

private:
    // The cells of area, as far as the office's sheet reaches.
    RangeRef RangeOf(const CellArea& area) const;
    css::table::CellRangeAddress AddressOf(const CellArea& area) const;

    std::shared_ptr<CalcDocument> document_;
    std::u16string name_;
    uint64_t checkedAt_;
};

class CalcWorkbookStore : public excel::model::WorkbookStore {
public:
    CalcWorkbookStore(std::shared_ptr<OfficeInstance> office, DocumentRef document);

    const DocumentRef& Document() const { return document_->document; }
    // The workbook's name as Excel gives it: the file name, or the title of a new workbook.
    static std::u16string NameOf(const DocumentRef& document);

    std::u16string Name() override { return NameOf(document_->document); }
    std::u16string Path() override;
    std::vector<excel::model::SheetRef> Sheets() override;
    excel::model::SheetRef ActiveSheet() override;
    void Activate(excel::model::SheetStore& sheet) override;
    excel::model::SheetRef CopySheet(excel::model::SheetStore& source, int32_t position, const std::u16string& name) override;
    void DeleteSheet(excel::model::SheetStore& sheet) override;
    bool StructureProtected() override;
    void ProtectStructure(const std::u16string& password) override;
    std::optional<int32_t> FileFormat() override;
    bool Modified() override;
    void SetModified(bool modified) override;
    void SaveAs(const std::u16string& path, int32_t format) override;
    void Save() override;
    void Close() override;

private:
    std::shared_ptr<CalcDocument> document_;
};

class CalcStore : public excel::model::ApplicationStore {
public:
    explicit CalcStore(std::shared_ptr<OfficeInstance> office) : office_(std::move(office)) {}
    const std::shared_ptr<OfficeInstance>& Office() const { return office_; }

    std::u16string Name() override;
    Opened Open(const std::u16string& path) override;
    excel::model::WorkbookRef Add(const std::vector<std::u16string>& sheetNames) override;
    void SetVisible(bool visible, const std::vector<excel::model::WorkbookRef>& workbooks) override;
    void ShowWorkbook(excel::model::WorkbookStore& workbook) override;
    excel::model::SaveAnswer AskToSaveChanges(excel::model::WorkbookStore& workbook) override;
    std::optional<std::u16string> GetOpenFilename(const std::u16string& filter, const std::u16string& title) override;
    void Quit() override;
    [[noreturn]] void RethrowAsAutomationError() override;

private:
    std::shared_ptr<OfficeInstance> office_;
};

}  // namespace tabora::calc
