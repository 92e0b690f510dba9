#pragma once
// Excel's Workbook object over one Calc document.

#include "excel/WorkbookGrid.h"
#include "platform/calc/CalcObject.h"
#include "platform/calc/DocumentAccess.h"

namespace tabora::calc {

class CalcWorkbook : public CalcObject {
public:
    CalcWorkbook(std::shared_ptr<OfficeInstance> office, DocumentRef document)
        : CalcObject(std::move(office)), document_(std::move(document)) {}

    // The sheet the document's view shows, as a worksheet object.
    static Variant ActiveSheetOf(const std::shared_ptr<OfficeInstance>& office, const DocumentRef& document);
    // The workbook's name as Excel gives it: the file name, or the title of a new workbook.
    static std::u16string NameOf(const DocumentRef& document);
    // The grid of the format the document is saved in (and was loaded from): an .xls workbook, or
    // one saved as .xls under any name, has the smaller one.
    static excel::WorkbookGrid GridOf(const DocumentRef& document);
    const DocumentRef& Document() const { return document_; }

    std::u16string TypeName() const override { return u"Workbook"; }

protected:
    Variant Dispatch(const MemberCall& call) override;

private:
    void SaveAs(const MemberCall& call);
    void SaveTo(const std::u16string& path, int32_t fileFormat);
    // Saves in place; refused with a message of ours when the office opened the file read-only.
    void Store();
    // Saves, discards or asks as Excel does; a question cancelled keeps the workbook open.
    void Close(const MemberCall& call);
    void Protect(const MemberCall& call);
    // Excel's question about unsaved changes: true to save, false to discard; throws on Cancel.
    bool AskToSave();

    DocumentRef document_;
};

}  // namespace tabora::calc
