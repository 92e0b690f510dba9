#pragma once
// Excel's Border object (Borders(index)) over one edge of a Calc range; index 0 stands for the
// whole Borders collection, all edges at once.

#include "platform/calc/CalcObject.h"
#include "platform/calc/DocumentAccess.h"

namespace tabora::calc {

class CalcBorder : public CalcObject {
public:
    CalcBorder(std::shared_ptr<OfficeInstance> office, RangeRef range, int32_t index)
        : CalcObject(std::move(office)), range_(std::move(range)), index_(index) {}

    std::u16string TypeName() const override { return u"Border"; }

protected:
    Variant Dispatch(const MemberCall& call) override;

private:
    Variant Read(bool weight);
    void Write(std::optional<int32_t> lineStyle, std::optional<int32_t> weight);

    RangeRef range_;
    int32_t index_;
};

}  // namespace tabora::calc
