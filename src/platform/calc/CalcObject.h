#pragma once
// The base of every object the Calc server hands out: it keeps the office alive, and turns
// whatever goes wrong inside a call into an automation error.

#include <memory>
#include <vector>

#include "excel/Automation.h"
#include "platform/calc/MemberCall.h"
#include "platform/calc/OfficeInstance.h"

namespace tabora::calc {

class CalcObject : public AutomationObject {
public:
    explicit CalcObject(std::shared_ptr<OfficeInstance> office) : office_(std::move(office)) {}

    Variant Invoke(const Invocation& call) final;
    std::vector<Variant> Enumerate(uint32_t locale) final;

    OfficeInstance& Office() const { return *office_; }
    const std::shared_ptr<OfficeInstance>& SharedOffice() const { return office_; }

protected:
    virtual Variant Dispatch(const MemberCall& call) = 0;
    // Objects that are collections override this; others are not enumerable (438).
    virtual std::vector<Variant> Items();

    template <class T, class... A>
    ObjectRef Make(A&&... args) const {
        return std::make_shared<T>(office_, std::forward<A>(args)...);
    }

private:
    std::shared_ptr<OfficeInstance> office_;
};

}  // namespace tabora::calc
