// A local automation server for the COM layer's tests: COM starts it in a process of its own,
// as it starts Excel, so every call crosses a process boundary. Its application object answers
//   ProcessId                  its process, for the test that kills it
//   Echo(value)                the value as it arrived
//   Subtract(Minuend, Subtrahend)  named arguments in any order
//   NewChild(name)             a new object with a Name property (get and put)
//   Keep(object) / Kept        holds an object of the caller's and gives it back
//   CountOf(object)            calls the caller's object back (its Count)
//   Fail(number[, text])       raises error number of the automation facility, with text if any
//   Wait(milliseconds)         answers after that long, as a slow server does
// The class to serve is the first argument ("{CLSID}"); COM adds -Embedding. The process ends
// once it has held no object for a few seconds: ending with the last one would race with a
// client that is just then connecting to its class object for the next.
#include "platform/com/WindowsSdk.h"
#include <oaidl.h>
#include <objbase.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/com/ScopedVariant.h"

namespace {

using tabora::com::ScopedVariant;

constexpr DWORD kIdleLimitMs = 5000;
LONG liveObjects = 0;
DWORD idleSince = GetTickCount();

void ObjectMade() { ++liveObjects; }
void ObjectGone() {
    if (--liveObjects == 0) idleSince = GetTickCount();
}

// COM objects end through Release, never through delete on an interface pointer.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif

struct Call {
    WORD flags;
    DISPPARAMS* params;
    // The argument at a source position, or the named one with that DISPID; null when absent.
    VARIANT* Argument(UINT position, DISPID named) const {
        for (UINT i = 0; i < params->cNamedArgs; ++i) {
            if (params->rgdispidNamedArgs[i] == named) return &params->rgvarg[i];
        }
        UINT positional = params->cArgs - params->cNamedArgs;
        if (position >= positional) return nullptr;
        return &params->rgvarg[params->cArgs - 1 - position];
    }
};

using Member = std::function<HRESULT(const Call&, VARIANT* result, EXCEPINFO* exception)>;

// An IDispatch over a table of members; named arguments are known by name per member.
class ScriptedObject final : public IDispatch {
public:
    ScriptedObject() { ObjectMade(); }
    ~ScriptedObject() { ObjectGone(); }

    void Define(const std::wstring& name, DISPID id, Member member, std::vector<std::wstring> parameters = {}) {
        ids_[Lower(name)] = id;
        members_[id] = std::move(member);
        for (size_t i = 0; i < parameters.size(); ++i) parameterIds_[id][Lower(parameters[i])] = DISPID(i);
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
            *object = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        *info = nullptr;
        return DISP_E_BADINDEX;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        HRESULT hr = S_OK;
        for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
        auto member = ids_.find(Lower(names[0]));
        if (member == ids_.end()) return DISP_E_UNKNOWNNAME;
        ids[0] = member->second;
        for (UINT i = 1; i < count; ++i) {
            auto& parameters = parameterIds_[member->second];
            auto found = parameters.find(Lower(names[i]));
            if (found == parameters.end()) {
                hr = DISP_E_UNKNOWNNAME;
            } else {
                ids[i] = found->second;
            }
        }
        return hr;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* exception, UINT*) override {
        auto member = members_.find(id);
        if (member == members_.end()) return DISP_E_MEMBERNOTFOUND;
        VARIANT ignored;
        VariantInit(&ignored);
        HRESULT hr = member->second(Call{flags, params}, result != nullptr ? result : &ignored, exception);
        VariantClear(&ignored);
        return hr;
    }

private:
    static std::wstring Lower(std::wstring text) {
        CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
        return text;
    }

    ULONG references_ = 1;
    std::map<std::wstring, DISPID> ids_;
    std::map<DISPID, Member> members_;
    std::map<DISPID, std::map<std::wstring, DISPID>> parameterIds_;
};

void ReturnObject(VARIANT* result, IDispatch* object) {
    result->vt = VT_DISPATCH;
    result->pdispVal = object;  // the caller's reference
}

IDispatch* NewChild(VARIANT* name) {
    auto* child = new ScriptedObject();
    auto stored = std::make_shared<ScopedVariant>();
    if (name != nullptr) VariantCopy(stored->Receive(), name);
    child->Define(L"Name", 1, [stored](const Call& call, VARIANT* result, EXCEPINFO*) {
        if (call.flags & DISPATCH_PROPERTYPUT) {
            VARIANT* value = call.Argument(0, DISPID_PROPERTYPUT);
            return value == nullptr ? DISP_E_PARAMNOTOPTIONAL : VariantCopy(stored->Receive(), value);
        }
        return VariantCopy(result, &stored->Get());
    });
    return child;
}

IDispatch* NewApplication() {
    auto* application = new ScriptedObject();
    auto kept = std::make_shared<ScopedVariant>();
    application->Define(L"ProcessId", 1, [](const Call&, VARIANT* result, EXCEPINFO*) {
        result->vt = VT_I4;
        result->lVal = static_cast<LONG>(GetCurrentProcessId());
        return S_OK;
    });
    application->Define(L"Echo", 2, [](const Call& call, VARIANT* result, EXCEPINFO*) {
        VARIANT* value = call.Argument(0, -1);
        return value == nullptr ? DISP_E_PARAMNOTOPTIONAL : VariantCopy(result, value);
    });
    application->Define(
        L"Subtract", 3,
        [](const Call& call, VARIANT* result, EXCEPINFO*) {
            VARIANT* minuend = call.Argument(0, 0);
            VARIANT* subtrahend = call.Argument(1, 1);
            if (minuend == nullptr || subtrahend == nullptr) return DISP_E_PARAMNOTOPTIONAL;
            if (minuend->vt != VT_I4 || subtrahend->vt != VT_I4) return DISP_E_TYPEMISMATCH;
            result->vt = VT_I4;
            result->lVal = minuend->lVal - subtrahend->lVal;
            return S_OK;
        },
        {L"Minuend", L"Subtrahend"});
    application->Define(L"NewChild", 4, [](const Call& call, VARIANT* result, EXCEPINFO*) {
        ReturnObject(result, NewChild(call.Argument(0, -1)));
        return S_OK;
    });
    application->Define(L"Keep", 5, [kept](const Call& call, VARIANT*, EXCEPINFO*) {
        VARIANT* value = call.Argument(0, -1);
        if (value == nullptr) return DISP_E_PARAMNOTOPTIONAL;
        if (value->vt != VT_DISPATCH) return DISP_E_TYPEMISMATCH;
        return VariantCopy(kept->Receive(), value);
    });
    application->Define(L"Kept", 6, [kept](const Call&, VARIANT* result, EXCEPINFO*) {
        return VariantCopy(result, &kept->Get());
    });
    application->Define(L"CountOf", 7, [](const Call& call, VARIANT* result, EXCEPINFO*) {
        VARIANT* value = call.Argument(0, -1);
        if (value == nullptr || value->vt != VT_DISPATCH || value->pdispVal == nullptr) return DISP_E_TYPEMISMATCH;
        OLECHAR name[] = L"Count";
        LPOLESTR names[] = {name};
        DISPID id = DISPID_UNKNOWN;
        HRESULT hr = value->pdispVal->GetIDsOfNames(IID_NULL, names, 1, 1033, &id);
        if (FAILED(hr)) return hr;
        DISPPARAMS none{};
        return value->pdispVal->Invoke(id, IID_NULL, 1033, DISPATCH_PROPERTYGET, &none, result, nullptr, nullptr);
    });
    application->Define(L"Fail", 8, [](const Call& call, VARIANT*, EXCEPINFO* exception) {
        VARIANT* number = call.Argument(0, -1);
        VARIANT* text = call.Argument(1, -1);
        if (number == nullptr || number->vt != VT_I4) return DISP_E_TYPEMISMATCH;
        if (exception == nullptr) return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, number->lVal);
        // Filled in at once: a deferred fill-in does not survive the trip to another process.
        *exception = EXCEPINFO{};
        exception->scode = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, number->lVal);
        exception->bstrSource = SysAllocString(L"Tabora.TestServer");
        if (text != nullptr && text->vt == VT_BSTR) exception->bstrDescription = SysAllocString(text->bstrVal);
        return DISP_E_EXCEPTION;
    });
    application->Define(L"Wait", 9, [](const Call& call, VARIANT*, EXCEPINFO*) {
        VARIANT* milliseconds = call.Argument(0, -1);
        if (milliseconds == nullptr || milliseconds->vt != VT_I4) return DISP_E_TYPEMISMATCH;
        Sleep(static_cast<DWORD>(milliseconds->lVal));
        return S_OK;
    });
    return application;
}

class ApplicationClass final : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
            *object = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // Static: lives as long as the process.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
        if (outer != nullptr) return CLASS_E_NOAGGREGATION;
        IDispatch* application = NewApplication();
        HRESULT hr = application->QueryInterface(iid, object);
        application->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    std::wstring line(commandLine);
    CLSID clsid{};
    if (line.size() < 38 || FAILED(CLSIDFromString(line.substr(0, 38).c_str(), &clsid))) return 2;
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 3;
    static ApplicationClass factory;
    DWORD cookie = 0;
    if (FAILED(CoRegisterClassObject(clsid, &factory, CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, &cookie))) {
        CoUninitialize();
        return 4;
    }
    SetTimer(nullptr, 0, 1000, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && liveObjects == 0 && GetTickCount() - idleSince >= kIdleLimitMs) break;
        DispatchMessageW(&message);
    }
    CoRevokeClassObject(cookie);
    CoUninitialize();
    return 0;
}
