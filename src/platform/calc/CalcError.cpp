#include "platform/calc/CalcError.h"

namespace tabora::calc {

RuntimeError CalcFailure(int32_t number, std::u16string detail) {
    std::u16string description = vb_error::Description(number);
    if (!detail.empty()) description = description.empty() ? detail : description + u" " + detail;
    return RuntimeError(number, std::move(description), kCalcSource);
}

}  // namespace tabora::calc
