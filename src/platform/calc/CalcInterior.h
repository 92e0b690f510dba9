#pragma once
// Excel's Interior object over a Calc range: the cell fill by palette index, colour and pattern.

#include "platform/calc/CalcObject.h"
#include "platform/calc/DocumentAccess.h"

namespace tabora::calc {

class CalcInterior : public CalcObject {
public:
    CalcInterior(std::shared_ptr<OfficeInstance> office, RangeRef range)
        : CalcObject(std::move(office)), range_(std::move(range)) {}

    std::u16string TypeName() const override { return u"Interior"; }

protected:
    Variant Dispatch(const MemberCall& call) override;

private:
    RangeRef range_;
};

}  // namespace tabora::calc
