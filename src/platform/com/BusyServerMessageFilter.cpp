#include "platform/com/BusyServerMessageFilter.h"

namespace tabora::com {

namespace {
constexpr DWORD kGiveUp = static_cast<DWORD>(-1);
}

DWORD BusyServerMessageFilter::RetryDecision(DWORD elapsedMs, DWORD rejectType) {
    if (rejectType != SERVERCALL_RETRYLATER && rejectType != SERVERCALL_REJECTED) return kGiveUp;
    if (elapsedMs >= kRetryLimitMs) return kGiveUp;
    return kRetryDelayMs;
}

HRESULT STDMETHODCALLTYPE BusyServerMessageFilter::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IMessageFilter)) {
        *object = static_cast<IMessageFilter*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE BusyServerMessageFilter::AddRef() { return ++references_; }
ULONG STDMETHODCALLTYPE BusyServerMessageFilter::Release() { return --references_; }

DWORD STDMETHODCALLTYPE BusyServerMessageFilter::HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO) {
    return SERVERCALL_ISHANDLED;
}

DWORD STDMETHODCALLTYPE BusyServerMessageFilter::RetryRejectedCall(HTASK, DWORD elapsedMs, DWORD rejectType) {
    return RetryDecision(elapsedMs, rejectType);
}

DWORD STDMETHODCALLTYPE BusyServerMessageFilter::MessagePending(HTASK, DWORD, DWORD) {
    return PENDINGMSG_WAITDEFPROCESS;
}

}  // namespace tabora::com
