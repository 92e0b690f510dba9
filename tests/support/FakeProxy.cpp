#include "support/FakeProxy.h"

#include "excel/CaseFolding.h"
#include "excel/model/Object.h"
#include "support/FakeExcelErrors.h"
#include "support/FakeStrings.h"

namespace tabora::test {

namespace {
// The log keeps no object alive: an object argument stays an (empty) object reference.
Variant Scrubbed(const Variant& value) { return value.IsObject() ? Variant(ObjectRef()) : value; }

// The model's own object behind a proxy passed back as an argument.
Variant Unwrapped(const Variant& value) {
    if (!value.IsObject() || value == Variant(ObjectRef())) return value;
    const auto* proxy = dynamic_cast<const FakeProxy*>(value.AsObject().get());
    return proxy == nullptr ? value : Variant(proxy->Inner());
}
}  // namespace

FakeProxy::FakeProxy(std::shared_ptr<FakeExcelCore> core, std::shared_ptr<FakeInstance> instance, ObjectRef inner)
    : core_(std::move(core)), instance_(std::move(instance)), inner_(std::move(inner)) {
    ++core_->liveReferences;
    ++instance_->liveReferences;
}

FakeProxy::~FakeProxy() {
    --core_->liveReferences;
    // A hidden instance has no user to stay for: it ends with its last reference.
    if (--instance_->liveReferences == 0 && !instance_->userControl) instance_->End();
}

std::string FakeProxy::Describe() const {
    const auto* object = dynamic_cast<const excel::model::Object*>(inner_.get());
    return ToUtf8(object != nullptr ? object->Describe() : u"<" + TypeName() + u">");
}

Variant FakeProxy::Wrapped(Variant value) const {
    if (!value.IsObject() || value == Variant(ObjectRef())) return value;
    return Variant(ObjectRef(std::make_shared<FakeProxy>(core_, instance_, value.AsObject())));
}

template <class Action>
auto FakeProxy::Run(const Invocation& call, Action action) {
    RecordedCall record{instance_->id, TypeName(), std::u16string(call.member), call.kind, {}, {}, call.locale,
                        FormatCall(TypeName(), call, DescribeObject), 0};
    for (const Variant& arg : call.args) record.args.push_back(Scrubbed(arg));
    for (const NamedArgument& named : call.named) record.named.push_back({named.name, Scrubbed(named.value)});
    core_->calls.push_back(std::move(record));
    const size_t index = core_->calls.size() - 1;
    try {
        core_->duringCalls.Run(core_->calls[index]);
        if (auto failure = core_->failures.Check(core_->calls[index])) throw RuntimeError(std::move(*failure));
        if (instance_->ended) throw RuntimeError(excel_error::Disconnected());
        return action();
    } catch (const RuntimeError& error) {
        core_->calls[index].error = error.Number();
        throw;
    }
}

Variant FakeProxy::Invoke(const Invocation& call) {
    return Run(call, [&] {
        std::vector<Variant> args;
        for (const Variant& arg : call.args) args.push_back(Unwrapped(arg));
        std::vector<NamedArgument> named;
        for (const NamedArgument& argument : call.named) named.push_back({argument.name, Unwrapped(argument.value)});
        // Deleting a sheet never asks here: the record tells whether a real Excel would have.
        const bool sheet = TypeName() == u"Worksheet" || TypeName() == u"Chart";
        if (sheet && call.kind != InvokeKind::PropertyPut && excel::EqualsIgnoringCase(call.member, u"Delete")) {
            const std::u16string name = inner_->Get(u"Name").AsString();
            inner_->Call(u"Delete");
            instance_->deletions.push_back({name, instance_->DisplayAlerts()});
            return Variant();
        }
        return Wrapped(inner_->Invoke({call.kind, call.member, args, named, call.locale}));
    });
}

std::vector<Variant> FakeProxy::Enumerate(uint32_t locale) {
    const Invocation call{InvokeKind::PropertyGet, kEnumerateMember, {}, {}, locale};
    return Run(call, [&] {
        std::vector<Variant> items = inner_->Enumerate(locale);
        for (Variant& item : items) item = Wrapped(std::move(item));
        return items;
    });
}

std::string DescribeObject(const ObjectRef& object) {
    if (const auto* proxy = dynamic_cast<const FakeProxy*>(object.get())) return proxy->Describe();
    return "<Object>";
}

}  // namespace tabora::test
