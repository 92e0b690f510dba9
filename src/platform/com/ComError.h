#pragma once
// COM failures as the core's run-time errors.
//
// Numbers read as a Visual Basic client reads them: an HRESULT of facility 0x800A (the
// automation facility Excel raises its errors in) is its low 16 bits, 0x800A03EC being 1004;
// COM's own failures take Visual Basic's numbers (an unknown member 438, a class that is not
// registered 429, a server that died 462, access denied 70, ...); any other HRESULT, among them
// RPC_E_DISCONNECTED of an Excel the user closed, is its own, negative, number.

#include <cstdint>

#include "platform/com/WindowsSdk.h"
#include <oaidl.h>

#include "platform/RuntimeError.h"

namespace tabora::com {

int32_t ErrorNumber(HRESULT hr);

// True for the failures of a call whose server has ended or cut its objects off.
bool ServerGone(HRESULT hr);

// An error that came as a bare HRESULT: its number, the program's text for that number (else
// the system's text for the HRESULT, else a generic one), source "Tabora".
RuntimeError ErrorFromHresult(HRESULT hr);

// The error an IDispatch::Invoke reported through its exception record (DISP_E_EXCEPTION).
// The record must have had its deferred fill-in already. A record without a description takes
// the program's text for its number; one without a source takes "Tabora".
RuntimeError ErrorFromException(const EXCEPINFO& exception, HRESULT hr);

// Throws ErrorFromHresult(hr) for a failure.
inline void ThrowIfFailed(HRESULT hr) {
    if (FAILED(hr)) throw ErrorFromHresult(hr);
}

// Owner of the strings an exception record carries; runs the deferred fill-in on request.
class ExceptionRecord {
public:
    ExceptionRecord() = default;
    ExceptionRecord(const ExceptionRecord&) = delete;
    ExceptionRecord& operator=(const ExceptionRecord&) = delete;
    ~ExceptionRecord();

    EXCEPINFO* Receive() { return &info_; }
    // The completed record (the server may fill it in only when asked).
    const EXCEPINFO& Completed();

private:
    EXCEPINFO info_{};
};

}  // namespace tabora::com
