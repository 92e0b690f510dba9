#include "platform/calc/MemberCall.h"

#include "platform/calc/CalcError.h"

namespace tabora::calc {
namespace {

const Variant& MissingValue() {
    static const Variant missing = Variant::Missing();
    return missing;
}

}  // namespace

bool MemberCall::Is(std::u16string_view name) const { return SameName(call_.member, name); }

size_t MemberCall::Count() const { return call_.args.size() - (IsPut() && !call_.args.empty() ? 1 : 0); }

const Variant& MemberCall::Arg(size_t position, std::u16string_view name) const {
    if (!name.empty())
        for (const auto& named : call_.named)
            if (SameName(named.name, name)) return named.value;
    return position < Count() ? call_.args[position] : MissingValue();
}

const Variant& MemberCall::Value() const {
    if (!IsPut() || call_.args.empty()) throw CalcFailure(kErrWrongArguments);
    return call_.args.back();
}

void MemberCall::Expect(size_t max) const {
    if (Count() > max) throw CalcFailure(kErrWrongArguments);
    for (const auto& named : call_.named)
        if (named.name.empty()) throw CalcFailure(kErrWrongArguments);
}

void NoSuchMember() { throw CalcFailure(kErrMemberNotFound); }

}  // namespace tabora::calc
