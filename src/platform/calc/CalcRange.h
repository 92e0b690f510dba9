#pragma once
// Excel's Range object over a Calc cell range: a cell, a block, whole columns or whole rows.

#include "platform/calc/CalcObject.h"
#include "platform/calc/DocumentAccess.h"

namespace tabora::calc {

enum class RangeKind { Cells, Columns, Rows };

class CalcRange : public CalcObject {
public:
    CalcRange(std::shared_ptr<OfficeInstance> office, DocumentRef document, RangeRef range, RangeKind kind)
        : CalcObject(std::move(office)), document_(std::move(document)), range_(std::move(range)), kind_(kind) {}

    css::table::CellRangeAddress Address() const { return AddressOf(range_); }
    const RangeRef& Range() const { return range_; }

    std::u16string TypeName() const override { return u"Range"; }

protected:
    Variant Dispatch(const MemberCall& call) override;

private:
    void Select();
    void Copy(const MemberCall& call);
    void PasteSpecial(const MemberCall& call);
    void Merge();
    void Insert(const MemberCall& call);
    void Delete(const MemberCall& call);
    SheetRef SheetOfRange() const;

    DocumentRef document_;
    RangeRef range_;
    RangeKind kind_;
};

}  // namespace tabora::calc
