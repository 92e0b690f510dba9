#pragma once
// Excel's Workbooks collection: the workbooks opened or added in this instance.

#include "platform/calc/CalcObject.h"

namespace tabora::calc {

class CalcWorkbooks : public CalcObject {
public:
    using CalcObject::CalcObject;

    std::u16string TypeName() const override { return u"Workbooks"; }

protected:
    Variant Dispatch(const MemberCall& call) override;
    std::vector<Variant> Items() override;

private:
    Variant Item(const Variant& index);
    Variant Open(const MemberCall& call);
    Variant Add();
};

}  // namespace tabora::calc
