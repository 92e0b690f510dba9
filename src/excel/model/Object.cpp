#include "excel/model/Object.h"

#include "excel/model/Application.h"

namespace tabora::excel::model {

Variant Object::Invoke(const Invocation& call) {
    try {
        CheckExists();
        return Dispatch(call);
    } catch (...) {
        app_->Store().RethrowAsAutomationError();
        throw;  // not reached: the store throws
    }
}

std::vector<Variant> Object::Enumerate(uint32_t) {
    try {
        CheckExists();
        return Items();
    } catch (...) {
        app_->Store().RethrowAsAutomationError();
        throw;  // not reached: the store throws
    }
}

std::vector<Variant> Object::Items() { throw vb_error::Raise(vb_error::kMemberNotFound); }

}  // namespace tabora::excel::model
