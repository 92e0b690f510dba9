#pragma once
// An in-process automation object for tests of the COM layer: it answers GetIDsOfNames from a
// table, records every Invoke as it arrived (DISPIDs, flags, locale, the argument array in
// IDispatch's order) and lets the test decide the answer. The test owns it; COM references are
// only counted, so a test can see that every reference taken was given back.

#include "platform/com/WindowsSdk.h"
#include <oaidl.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/com/ScopedVariant.h"

namespace tabora::test {

struct RecordedInvoke {
    std::vector<std::u16string> names;  // the GetIDsOfNames that preceded it, if any
    LCID namesLocale = 0;
    DISPID member = DISPID_UNKNOWN;
    LCID locale = 0;
    WORD flags = 0;
    std::vector<DISPID> namedIds;
    std::vector<com::ScopedVariant> args;  // copies of rgvarg, in its order
    bool wantsResult = false;
};

// The answer to one Invoke: fill result (or the exception record) and return the HRESULT.
using InvokeHandler = std::function<HRESULT(const RecordedInvoke& call, VARIANT* result, EXCEPINFO* exception)>;

// Counts references without owning the object.
class ReferenceCounted {
public:
    ULONG References() const { return references_; }

protected:
    ULONG AddReference() { return ++references_; }
    ULONG DropReference() { return --references_; }

private:
    ULONG references_ = 0;
};

// COM objects end through Release, never through delete on an interface pointer, so the
// interfaces' non-virtual destructors are as meant.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif
class FakeDispatch final : public IDispatch, public ReferenceCounted {
public:
    // Names are matched without regard to letter case, as Excel matches them.
    void AddName(std::u16string name, DISPID id);
    void OnInvoke(InvokeHandler handler) { handler_ = std::move(handler); }
    // Answers from now on as the proxy of a server that has died.
    void Disconnect() { disconnected_ = true; }

    const std::vector<RecordedInvoke>& Calls() const { return calls_; }
    // Drops the recorded calls and the references their argument copies hold.
    void ClearCalls() { calls_.clear(); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return AddReference(); }
    ULONG STDMETHODCALLTYPE Release() override { return DropReference(); }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

private:
    std::map<std::u16string, DISPID> ids_;  // by lower-case name
    std::vector<std::u16string> lastNames_;
    LCID lastNamesLocale_ = 0;
    InvokeHandler handler_;
    std::vector<RecordedInvoke> calls_;
    bool disconnected_ = false;
};
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

// COM objects end through Release, never through delete on an interface pointer, so the
// interfaces' non-virtual destructors are as meant.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif
// An enumerator over copies of given items, as a collection's _NewEnum hands out.
class FakeEnumerator final : public IEnumVARIANT, public ReferenceCounted {
public:
    void Add(const VARIANT& item);
    void Clear() {
        items_.clear();
        position_ = 0;
    }
    int NextCalls() const { return nextCalls_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return AddReference(); }
    ULONG STDMETHODCALLTYPE Release() override { return DropReference(); }
    HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* items, ULONG* fetched) override;
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override;
    HRESULT STDMETHODCALLTYPE Reset() override;
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** copy) override;

private:
    std::vector<com::ScopedVariant> items_;
    size_t position_ = 0;
    int nextCalls_ = 0;
};
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

// Puts an interface into a VARIANT as an out-parameter does: with a reference for the caller.
void ReturnObject(VARIANT* result, IDispatch* object);
void ReturnUnknown(VARIANT* result, IUnknown* object);

}  // namespace tabora::test
