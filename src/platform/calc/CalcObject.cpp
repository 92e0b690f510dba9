#include "platform/calc/CalcObject.h"

#include "platform/calc/CalcError.h"

namespace tabora::calc {

Variant CalcObject::Invoke(const Invocation& call) {
    try {
        return Dispatch(MemberCall(call));
    } catch (...) {
        office_->RethrowAsAutomationError();
    }
}

std::vector<Variant> CalcObject::Enumerate(uint32_t) {
    try {
        return Items();
    } catch (...) {
        office_->RethrowAsAutomationError();
    }
}

std::vector<Variant> CalcObject::Items() { throw CalcFailure(kErrMemberNotFound); }

}  // namespace tabora::calc
