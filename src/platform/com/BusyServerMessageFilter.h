#pragma once
// The client's COM message filter: a call that a busy Excel turns away (while the user edits a
// cell, or a dialog of its own is open) is sent again until it is accepted or ten seconds have
// passed since it was first made; then it fails with the server's error. Incoming calls and
// pending messages are handled as COM's default filter handles them.
//
// The filter is owned by whoever registers it (see ScopedOleInitialization); COM's references
// are counted but do not decide its life.

#include <atomic>
#include <cstdint>

#include "platform/com/WindowsSdk.h"
#include <objidl.h>

namespace tabora::com {

// COM objects end through Release, never through delete on an interface pointer, so the
// interfaces' non-virtual destructors are as meant.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif
class BusyServerMessageFilter final : public IMessageFilter {
public:
    static constexpr DWORD kRetryLimitMs = 10000;
    static constexpr DWORD kRetryDelayMs = 100;

    // What RetryRejectedCall answers: the delay before the next try, or (DWORD)-1 to give up.
    static DWORD RetryDecision(DWORD elapsedMs, DWORD rejectType);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD callType, HTASK caller, DWORD elapsedMs,
                                               LPINTERFACEINFO interfaceInfo) override;
    DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK callee, DWORD elapsedMs, DWORD rejectType) override;
    DWORD STDMETHODCALLTYPE MessagePending(HTASK callee, DWORD elapsedMs, DWORD pendingType) override;

    // References COM holds at the moment.
    ULONG References() const { return references_; }

private:
    std::atomic<ULONG> references_{0};
};
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

}  // namespace tabora::com
