#pragma once
// The base of every object of Excel's object model: a member is looked up by name in the
// object's table (ignoring case), its arguments bound by Arguments, and whatever goes wrong
// below it becomes an automation error.

#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "excel/Automation.h"
#include "excel/CaseFolding.h"
#include "excel/model/Arguments.h"
#include "platform/RuntimeError.h"

namespace tabora::excel::model {

class Application;

class Object : public AutomationObject {
public:
    explicit Object(std::shared_ptr<Application> app) : app_(std::move(app)) {}

    Variant Invoke(const Invocation& call) final;
    std::vector<Variant> Enumerate(uint32_t locale) final;
    // How a diagnostic names the object: <Worksheet "Sheet1">, <Range A1:B2>, <Workbooks>.
    virtual std::u16string Describe() const { return u"<" + TypeName() + u">"; }
    Application& App() const { return *app_; }
    const std::shared_ptr<Application>& SharedApp() const { return app_; }

protected:
    // Carries out a call; 438 for a member the object lacks.
    virtual Variant Dispatch(const Invocation& call) = 0;
    // The items of a collection, in order; 438 for an object that is no collection.
    virtual std::vector<Variant> Items();
    // Raises the automation error of an object whose workbook or sheet has gone.
    virtual void CheckExists() const {}

    template <class T, class... A>
    Variant Make(A&&... args) const {
        return Variant(ObjectRef(std::make_shared<T>(app_, std::forward<A>(args)...)));
    }

private:
    std::shared_ptr<Application> app_;
};

// One member of an object's table. A property read and a method call are the same to Excel's
// IDispatch; a write needs a setter.
template <class T>
struct Member {
    std::u16string_view name;
    std::initializer_list<std::u16string_view> parameters;
    Variant (T::*get)(const Arguments&) = nullptr;
    void (T::*put)(const Arguments&) = nullptr;
};

template <class T>
Variant DispatchTo(T& object, std::span<const Member<T>> table, const Invocation& call) {
    // A collection's default member is its Item.
    const bool byDefault = call.member.empty() || EqualsIgnoringCase(call.member, u"_Default");
    const std::u16string_view wanted = byDefault ? u"Item" : call.member;
    for (const Member<T>& member : table) {
        if (member.name != wanted && !EqualsIgnoringCase(member.name, wanted)) continue;
        const bool write = call.kind == InvokeKind::PropertyPut;
        if (write ? member.put == nullptr : member.get == nullptr) break;
        const Arguments args(call, {member.parameters.begin(), member.parameters.size()});
        if (!write) return (object.*member.get)(args);
        (object.*member.put)(args);
        return {};
    }
    throw vb_error::Raise(vb_error::kMemberNotFound);
}

inline Variant Nothing() { return Variant(ObjectRef()); }

}  // namespace tabora::excel::model
