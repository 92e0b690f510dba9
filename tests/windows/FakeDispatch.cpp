#include "FakeDispatch.h"

#include <cwctype>

namespace tabora::test {

namespace {
std::u16string Lower(std::u16string text) {
    for (char16_t& c : text) c = static_cast<char16_t>(std::towlower(c));
    return text;
}
}  // namespace

void FakeDispatch::AddName(std::u16string name, DISPID id) { ids_[Lower(std::move(name))] = id; }

HRESULT STDMETHODCALLTYPE FakeDispatch::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE FakeDispatch::GetTypeInfoCount(UINT* count) {
    *count = 0;
    return disconnected_ ? RPC_E_DISCONNECTED : S_OK;
}

HRESULT STDMETHODCALLTYPE FakeDispatch::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    *info = nullptr;
    return DISP_E_BADINDEX;
}

HRESULT STDMETHODCALLTYPE FakeDispatch::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) {
    if (disconnected_) return RPC_E_DISCONNECTED;
    lastNames_.clear();
    lastNamesLocale_ = locale;
    HRESULT hr = S_OK;
    for (UINT i = 0; i < count; ++i) {
        std::u16string name(reinterpret_cast<const char16_t*>(names[i]));
        lastNames_.push_back(name);
        auto found = ids_.find(Lower(name));
        ids[i] = found == ids_.end() ? DISPID_UNKNOWN : found->second;
        if (found == ids_.end()) hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

HRESULT STDMETHODCALLTYPE FakeDispatch::Invoke(DISPID member, REFIID, LCID locale, WORD flags, DISPPARAMS* params,
                                               VARIANT* result, EXCEPINFO* exception, UINT*) {
    RecordedInvoke call;
    call.names = std::exchange(lastNames_, {});
    call.namesLocale = lastNamesLocale_;
    call.member = member;
    call.locale = locale;
    call.flags = flags;
    call.wantsResult = result != nullptr;
    call.namedIds.assign(params->rgdispidNamedArgs, params->rgdispidNamedArgs + params->cNamedArgs);
    for (UINT i = 0; i < params->cArgs; ++i) {
        com::ScopedVariant copy;
        VariantCopy(copy.Receive(), &params->rgvarg[i]);
        call.args.push_back(std::move(copy));
    }
    calls_.push_back(std::move(call));
    return handler_ ? handler_(calls_.back(), result, exception) : S_OK;
}

void FakeEnumerator::Add(const VARIANT& item) {
    com::ScopedVariant copy;
    VariantCopy(copy.Receive(), const_cast<VARIANT*>(&item));  // only read
    items_.push_back(std::move(copy));
}

HRESULT STDMETHODCALLTYPE FakeEnumerator::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IEnumVARIANT)) {
        *object = static_cast<IEnumVARIANT*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE FakeEnumerator::Next(ULONG count, VARIANT* items, ULONG* fetched) {
    ++nextCalls_;
    ULONG given = 0;
    for (; given < count && position_ < items_.size(); ++given, ++position_) {
        VariantInit(&items[given]);
        VariantCopy(&items[given], &items_[position_].Get());
    }
    if (fetched != nullptr) *fetched = given;
    return given == count ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE FakeEnumerator::Skip(ULONG count) {
    position_ = std::min(items_.size(), position_ + count);
    return position_ < items_.size() ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE FakeEnumerator::Reset() {
    position_ = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE FakeEnumerator::Clone(IEnumVARIANT** copy) {
    *copy = nullptr;
    return E_NOTIMPL;
}

void ReturnObject(VARIANT* result, IDispatch* object) {
    VariantInit(result);
    result->vt = VT_DISPATCH;
    result->pdispVal = object;
    if (object != nullptr) object->AddRef();
}

void ReturnUnknown(VARIANT* result, IUnknown* object) {
    VariantInit(result);
    result->vt = VT_UNKNOWN;
    result->punkVal = object;
    if (object != nullptr) object->AddRef();
}

}  // namespace tabora::test
