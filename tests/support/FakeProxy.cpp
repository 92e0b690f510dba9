#include "support/FakeProxy.h"

#include "support/FakeExcelErrors.h"
#include "support/FakeStrings.h"

namespace tabora::test {

namespace {
// The log keeps no object alive: an object argument stays an (empty) object reference.
Variant Scrubbed(const Variant& value) { return value.IsObject() ? Variant(ObjectRef()) : value; }
}  // namespace

FakeProxy::FakeProxy(std::shared_ptr<FakeExcelCore> core, std::shared_ptr<FakeInstance> instance, std::u16string kind)
    : core_(std::move(core)), instance_(std::move(instance)), kind_(std::move(kind)) {
    ++core_->liveReferences;
    ++instance_->liveReferences;
}

FakeProxy::~FakeProxy() {
    --core_->liveReferences;
    // A hidden instance has no user to stay for: it ends with its last reference.
    if (--instance_->liveReferences == 0 && !instance_->userControl && !instance_->ended) instance_->End();
}

std::string FakeProxy::Describe() const { return "<" + ToUtf8(kind_) + ">"; }

std::vector<Variant> FakeProxy::Items() { NoSuchMember(); }

Variant FakeProxy::Invoke(const Invocation& call) {
    return Run(call, [&] { return Dispatch(call); });
}

std::vector<Variant> FakeProxy::Enumerate(uint32_t locale) {
    const Invocation call{InvokeKind::PropertyGet, kEnumerateMember, {}, {}, locale};
    std::vector<Variant> items;
    Run(call, [&] {
        items = Items();
        return Variant();
    });
    return items;
}

Variant FakeProxy::Run(const Invocation& call, const std::function<Variant()>& action) {
    RecordedCall record{instance_->id, kind_, std::u16string(call.member), call.kind, {}, {}, call.locale,
                        FormatCall(kind_, call, DescribeObject), 0};
    for (const Variant& arg : call.args) record.args.push_back(Scrubbed(arg));
    for (const NamedArgument& named : call.named) record.named.push_back({named.name, Scrubbed(named.value)});
    core_->calls.push_back(std::move(record));
    const size_t index = core_->calls.size() - 1;
    try {
        core_->duringCalls.Run(core_->calls[index]);
        if (auto failure = core_->failures.Check(core_->calls[index])) throw RuntimeError(std::move(*failure));
        if (instance_->ended) throw RuntimeError(excel_error::Disconnected());
        CheckExists();
        return action();
    } catch (const RuntimeError& error) {
        core_->calls[index].error = error.Number();
        throw;
    }
}

bool Is(std::u16string_view member, std::u16string_view name) { return EqualsIgnoringCase(member, name); }

bool IsPut(const Invocation& call) { return call.kind == InvokeKind::PropertyPut; }

void NoSuchMember() { throw vb_error::Raise(vb_error::kMemberNotFound); }

void ReadOnly(const Invocation& call) {
    if (IsPut(call)) NoSuchMember();
}

std::string DescribeObject(const ObjectRef& object) {
    if (const auto* proxy = dynamic_cast<const FakeProxy*>(object.get())) return proxy->Describe();
    return "<Object>";
}

}  // namespace tabora::test
