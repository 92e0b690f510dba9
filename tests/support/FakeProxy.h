#pragma once
// The base of every object the Excel double hands out. Like an interface pointer from COM, each
// one is a fresh reference into the model: it is counted while it lives, records each call made
// on it, lets failure rules refuse a call before anything changes, and ends a hidden instance
// when the instance's last reference goes.

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "excel/Automation.h"
#include "support/FakeExcelCore.h"

namespace tabora::test {

class FakeProxy : public AutomationObject {
public:
    FakeProxy(std::shared_ptr<FakeExcelCore> core, std::shared_ptr<FakeInstance> instance, std::u16string kind);
    ~FakeProxy() override;
    FakeProxy(const FakeProxy&) = delete;
    FakeProxy& operator=(const FakeProxy&) = delete;

    Variant Invoke(const Invocation& call) final;
    std::vector<Variant> Enumerate(uint32_t locale) final;

    const std::u16string& Kind() const { return kind_; }
    // Excel's class names are the kinds the call log uses: "Worksheet", "Chart", "Range", ...
    std::u16string TypeName() const override { return kind_; }
    const std::shared_ptr<FakeInstance>& InstanceState() const { return instance_; }
    // How a call log names this object: <Worksheet "Sheet1">, <Range A1:B2>, <Workbooks>.
    virtual std::string Describe() const;

protected:
    // Carries out a call that passed the failure rules; 438 for a member the object lacks.
    virtual Variant Dispatch(const Invocation& call) = 0;
    // The items of a collection, in order; 438 for an object that is no collection.
    virtual std::vector<Variant> Items();
    // Raises the automation error of an object whose workbook or sheet is gone.
    virtual void CheckExists() const {}

    template <class Proxy, class... Args>
    Variant Make(Args&&... args) const {
        return Variant(ObjectRef(std::make_shared<Proxy>(core_, instance_, std::forward<Args>(args)...)));
    }

    std::shared_ptr<FakeExcelCore> core_;
    std::shared_ptr<FakeInstance> instance_;

private:
    Variant Run(const Invocation& call, const std::function<Variant()>& action);

    std::u16string kind_;
};

// Member names match ignoring case, as Excel's do.
bool Is(std::u16string_view member, std::u16string_view name);
bool IsPut(const Invocation& call);
[[noreturn]] void NoSuchMember();
// A put on a member that can only be read, or a read of one that can only be written.
void ReadOnly(const Invocation& call);

// The call log's name for any object: a proxy's description, else <Object>.
std::string DescribeObject(const ObjectRef& object);

}  // namespace tabora::test
