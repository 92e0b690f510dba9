#pragma once
// Excel's Worksheet object over one Calc sheet.
//
// A worksheet made from an enumeration knows only its name until it is used: listing a
// workbook's sheets then costs one call to the office, not one per sheet.

#include "excel/WorkbookGrid.h"
#include "platform/calc/CalcObject.h"
#include "platform/calc/DocumentAccess.h"

namespace tabora::calc {

class CalcWorksheet : public CalcObject {
public:
    CalcWorksheet(std::shared_ptr<OfficeInstance> office, DocumentRef document, SheetRef sheet)
        : CalcObject(std::move(office)),
          document_(std::make_shared<const DocumentRef>(std::move(document))),
          sheet_(std::move(sheet)) {}
    // The worksheets of one enumeration share their document reference: copying a reference to
    // an object of the office costs a trip through the UNO bridge's machinery each time.
    CalcWorksheet(std::shared_ptr<OfficeInstance> office, std::shared_ptr<const DocumentRef> document,
                  std::u16string name)
        : CalcObject(std::move(office)), document_(std::move(document)), knownName_(std::move(name)) {}

    const SheetRef& Sheet();
    const DocumentRef& Document() const { return *document_; }

    std::u16string TypeName() const override { return u"Worksheet"; }

protected:
    Variant Dispatch(const MemberCall& call) override;

private:
    std::u16string Name();
    void Rename(const std::u16string& name);
    void Activate();
    bool IsVisible();
    void SetVisible(const Variant& value);
    void Delete();
    void Copy(const MemberCall& call);
    void Protect(const MemberCall& call);
    // Refuses a change of the workbook's sheets while its structure is protected, as Excel does.
    void RefuseIfStructureProtected(std::u16string_view member, bool property = false);
    excel::WorkbookGrid Grid();
    Variant Cells(const MemberCall& call);
    Variant RangeOf(const MemberCall& call);
    Variant Lines(const MemberCall& call, bool columns);

    std::shared_ptr<const DocumentRef> document_;
    SheetRef sheet_;
    std::u16string knownName_;
};

}  // namespace tabora::calc
