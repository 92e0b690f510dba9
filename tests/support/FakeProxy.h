#pragma once
// What the Excel double puts around every object of Excel's model it hands out. Like an
// interface pointer from COM, each one is a fresh reference: it is counted while it lives,
// records each call made through it, lets failure rules refuse a call before anything changes,
// and ends a hidden instance when the instance's last reference goes.

#include <memory>
#include <string>
#include <string_view>

#include "excel/Automation.h"
#include "support/FakeExcelCore.h"

namespace tabora::test {

class FakeProxy : public AutomationObject {
public:
    FakeProxy(std::shared_ptr<FakeExcelCore> core, std::shared_ptr<FakeInstance> instance, ObjectRef inner);
    ~FakeProxy() override;
    FakeProxy(const FakeProxy&) = delete;
    FakeProxy& operator=(const FakeProxy&) = delete;

    Variant Invoke(const Invocation& call) override;
    std::vector<Variant> Enumerate(uint32_t locale) override;
    // Excel's class names are the kinds the call log uses: "Worksheet", "Chart", "Range", ...
    std::u16string TypeName() const override { return inner_->TypeName(); }

    const ObjectRef& Inner() const { return inner_; }
    const std::shared_ptr<FakeInstance>& InstanceState() const { return instance_; }
    // How a call log names this object: <Worksheet "Sheet1">, <Range A1:B2>, <Workbooks>.
    std::string Describe() const;

private:
    // Runs action as call, recorded, after the failure rules and the instance's end are checked.
    template <class Action>
    auto Run(const Invocation& call, Action action);
    Variant Wrapped(Variant value) const;

    std::shared_ptr<FakeExcelCore> core_;
    std::shared_ptr<FakeInstance> instance_;
    ObjectRef inner_;
};

// The call log's name for any object: a proxy's description, else <Object>.
std::string DescribeObject(const ObjectRef& object);

}  // namespace tabora::test
