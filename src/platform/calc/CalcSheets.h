#pragma once
// Excel's Sheets and Worksheets collections (Calc has no chart sheets: they are the same).

#include "platform/calc/CalcObject.h"
#include "platform/calc/DocumentAccess.h"

namespace tabora::calc {

class CalcSheets : public CalcObject {
public:
    CalcSheets(std::shared_ptr<OfficeInstance> office, DocumentRef document)
        : CalcObject(std::move(office)), document_(std::move(document)) {}

    std::u16string TypeName() const override { return u"Sheets"; }

protected:
    Variant Dispatch(const MemberCall& call) override;
    // Every sheet with its name, from one call to the office.
    std::vector<Variant> Items() override;

private:
    Variant Item(const Variant& index);

    DocumentRef document_;
};

}  // namespace tabora::calc
