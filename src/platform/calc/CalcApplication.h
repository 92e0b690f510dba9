#pragma once
// Excel's Application object over one office instance.

#include "platform/calc/CalcObject.h"

namespace tabora::calc {

class CalcApplication : public CalcObject {
public:
    using CalcObject::CalcObject;

    std::u16string TypeName() const override { return u"Application"; }

protected:
    Variant Dispatch(const MemberCall& call) override;

private:
    Variant ActiveSheet();
    Variant Selection();
    Variant GetOpenFilename(const MemberCall& call);
    void Quit();
};

}  // namespace tabora::calc
