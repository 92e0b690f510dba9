#include "platform/com/DispatchObject.h"

#include <algorithm>
#include <array>
#include <string>

#include "platform/RuntimeError.h"
#include "platform/com/Bstr.h"
#include "platform/com/ComError.h"
#include "platform/com/VariantConversion.h"

namespace tabora::com {

namespace {
// Member and named-argument names as GetIDsOfNames takes them, and the DISPIDs it gives.
class MemberNames {
public:
    explicit MemberNames(const Invocation& call) {
        names_.emplace_back(call.member);
        for (const NamedArgument& argument : call.named) names_.push_back(argument.name);
        for (std::u16string& name : names_) pointers_.push_back(reinterpret_cast<LPOLESTR>(name.data()));
        ids_.resize(names_.size(), DISPID_UNKNOWN);
    }

    void Resolve(IDispatch& dispatch, LCID locale) {
        HRESULT hr = dispatch.GetIDsOfNames(IID_NULL, pointers_.data(), static_cast<UINT>(pointers_.size()), locale,
                                            ids_.data());
        // The member was found but one of its named arguments was not.
        if (hr == DISP_E_UNKNOWNNAME && ids_.size() > 1 && ids_.front() != DISPID_UNKNOWN) {
            throw vb_error::Raise(vb_error::kNamedArgumentNotFound);
        }
        ThrowIfFailed(hr);
    }
    DISPID Member() const { return ids_.front(); }
    DISPID Named(size_t index) const { return ids_.at(index + 1); }

private:
    std::vector<std::u16string> names_;
    std::vector<LPOLESTR> pointers_;
    std::vector<DISPID> ids_;
};

// The argument block of one Invoke. IDispatch wants the named arguments first, in the order of
// their DISPIDs, and then the positional ones from last to first; a property put passes its
// new value as the named argument DISPID_PROPERTYPUT.
class Arguments {
public:
    Arguments(const Invocation& call, const MemberNames& names) {
        std::span<const Variant> positional = call.args;
        if (call.kind == InvokeKind::PropertyPut) {
            if (positional.empty()) throw vb_error::Raise(vb_error::kInvalidProcedureCall);
            Add(positional.back(), DISPID_PROPERTYPUT);
            positional = positional.first(positional.size() - 1);
        }
        for (size_t i = 0; i < call.named.size(); ++i) Add(call.named[i].value, names.Named(i));
        for (auto it = positional.rbegin(); it != positional.rend(); ++it) values_.push_back(ToComVariant(*it));
        // ScopedVariant is exactly one VARIANT, so the vector is the array Invoke reads.
        static_assert(sizeof(ScopedVariant) == sizeof(VARIANT));
        params_.rgvarg = values_.empty() ? nullptr : &values_.front().Get();
        params_.cArgs = static_cast<UINT>(values_.size());
        params_.rgdispidNamedArgs = namedIds_.empty() ? nullptr : namedIds_.data();
        params_.cNamedArgs = static_cast<UINT>(namedIds_.size());
    }
    DISPPARAMS* Params() { return &params_; }

private:
    void Add(const Variant& value, DISPID id) {
        values_.push_back(ToComVariant(value));
        namedIds_.push_back(id);
    }

    std::vector<ScopedVariant> values_;
    std::vector<DISPID> namedIds_;
    DISPPARAMS params_{};
};

// The name a type description gives itself, without the underscore of a dispinterface.
std::u16string ClassName(ITypeInfo& type) {
    Bstr name;
    if (FAILED(type.GetDocumentation(MEMBERID_NIL, name.Receive(), nullptr, nullptr, nullptr))) return {};
    std::u16string text = ToU16String(name.Get());
    if (text.starts_with(u'_')) text.erase(0, 1);
    return text;
}

// One Invoke whose failure becomes the server's error.
void InvokeChecked(IDispatch& dispatch, DISPID member, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result) {
    ExceptionRecord exception;
    HRESULT hr = dispatch.Invoke(member, IID_NULL, locale, flags, params, result, exception.Receive(), nullptr);
    if (hr == DISP_E_EXCEPTION) throw ErrorFromException(exception.Completed(), hr);
    ThrowIfFailed(hr);
}
}  // namespace

DispatchObject::DispatchObject(ComPtr<IDispatch> dispatch) : dispatch_(std::move(dispatch)) {
    if (!dispatch_) throw vb_error::Raise(vb_error::kObjectNotSet);
}

Variant DispatchObject::Invoke(const Invocation& call) {
    MemberNames names(call);
    names.Resolve(*dispatch_, call.locale);
    Arguments arguments(call, names);
    if (call.kind == InvokeKind::PropertyPut) {
        InvokeChecked(*dispatch_, names.Member(), call.locale, DISPATCH_PROPERTYPUT, arguments.Params(), nullptr);
        return Variant();
    }
    ScopedVariant result;
    InvokeChecked(*dispatch_, names.Member(), call.locale, DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                  arguments.Params(), result.Receive());
    return FromComVariant(result.Get());
}

std::vector<Variant> DispatchObject::Enumerate(uint32_t locale) {
    DISPPARAMS none{};
    ScopedVariant enumerable;
    InvokeChecked(*dispatch_, DISPID_NEWENUM, locale, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &none,
                  enumerable.Receive());
    const VARIANT& holder = enumerable.Get();
    IUnknown* unknown = holder.vt == VT_UNKNOWN ? holder.punkVal : holder.vt == VT_DISPATCH ? holder.pdispVal : nullptr;
    ComPtr<IEnumVARIANT> items = ComPtr<IUnknown>::Share(unknown).Query<IEnumVARIANT>(IID_IEnumVARIANT);
    // As For Each does with anything that is no collection.
    if (!items) throw vb_error::Raise(vb_error::kMemberNotFound);

    std::vector<Variant> result;
    for (;;) {
        std::array<ScopedVariant, 32> batch;
        static_assert(sizeof(batch) == sizeof(VARIANT) * 32);
        ULONG fetched = 0;
        HRESULT hr = items->Next(static_cast<ULONG>(batch.size()), &batch.front().Get(), &fetched);
        ThrowIfFailed(hr);
        fetched = std::min<ULONG>(fetched, static_cast<ULONG>(batch.size()));
        for (ULONG i = 0; i < fetched; ++i) result.push_back(FromComVariant(batch[i].Get()));
        if (hr != S_OK || fetched == 0) break;
    }
    return result;
}

std::u16string DispatchObject::TypeName() const {
    ComPtr<ITypeInfo> type;
    if (auto provider = dispatch_.Query<IProvideClassInfo>(IID_IProvideClassInfo);
        provider && SUCCEEDED(provider->GetClassInfo(type.Receive())) && type) {
        if (std::u16string name = ClassName(*type); !name.empty()) return name;
    }
    UINT count = 0;
    if (FAILED(dispatch_->GetTypeInfoCount(&count)) || count == 0) return {};
    if (FAILED(dispatch_->GetTypeInfo(0, kExcelLocale, type.Receive())) || !type) return {};
    return ClassName(*type);
}

bool DispatchObject::ServerAlive() const {
    UINT count = 0;
    HRESULT hr = dispatch_->GetTypeInfoCount(&count);
    return !ServerGone(hr);
}

}  // namespace tabora::com
