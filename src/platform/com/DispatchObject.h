#pragma once
// An automation object reached through IDispatch, called by member name (late binding).
//
// Each call looks up the member and its named arguments in one GetIDsOfNames and makes one
// Invoke, both with the call's locale. Nothing is cached between calls: the object holds its
// one interface reference and releases it with itself.

#include "platform/com/WindowsSdk.h"
#include <oaidl.h>
#include <ocidl.h>

#include "excel/Automation.h"
#include "platform/com/ComPtr.h"

namespace tabora::com {

class DispatchObject : public AutomationObject {
public:
    explicit DispatchObject(ComPtr<IDispatch> dispatch);

    Variant Invoke(const Invocation& call) override;
    std::vector<Variant> Enumerate(uint32_t locale = kExcelLocale) override;
    // The class the object's type information names: its coclass (IProvideClassInfo), else its
    // interface without the leading underscore ("_Worksheet" is "Worksheet"); empty when the
    // object describes itself with neither.
    std::u16string TypeName() const override;
    // False once the object's server has died or cut the connection (one round trip).
    bool ServerAlive() const;

    IDispatch* Interface() const { return dispatch_.Get(); }

private:
    ComPtr<IDispatch> dispatch_;
};

}  // namespace tabora::com
