#include "platform/com/ComError.h"

#include "platform/com/WindowsSdk.h"

#include <string>
#include <winerror.h>

#include "platform/com/Bstr.h"

namespace tabora::com {

bool ServerGone(HRESULT hr) {
    switch (static_cast<uint32_t>(hr)) {
        case static_cast<uint32_t>(HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE)):
        case static_cast<uint32_t>(RPC_E_DISCONNECTED):
        case static_cast<uint32_t>(RPC_E_SERVER_DIED):
        case static_cast<uint32_t>(RPC_E_SERVER_DIED_DNE): return true;
        default: return false;
    }
}

namespace {
constexpr uint32_t kAutomationFacility = 0x800A0000u;
constexpr char16_t kGenericDescription[] = u"オートメーション エラーです。";

// COM's own failures as a Visual Basic client numbers them.
int32_t VisualBasicNumber(HRESULT hr) {
    // Visual Basic keeps the HRESULT of a disconnected object: the user closed Excel.
    if (ServerGone(hr)) return hr == RPC_E_DISCONNECTED ? vb_error::kObjectDisconnected : vb_error::kServerUnavailable;
    switch (static_cast<uint32_t>(hr)) {
        case static_cast<uint32_t>(DISP_E_UNKNOWNNAME):
        case static_cast<uint32_t>(DISP_E_MEMBERNOTFOUND): return vb_error::kMemberNotFound;
        case static_cast<uint32_t>(DISP_E_PARAMNOTFOUND): return vb_error::kNamedArgumentNotFound;
        case static_cast<uint32_t>(DISP_E_PARAMNOTOPTIONAL): return vb_error::kArgumentNotOptional;
        case static_cast<uint32_t>(DISP_E_BADPARAMCOUNT): return vb_error::kWrongArgumentCount;
        case static_cast<uint32_t>(DISP_E_TYPEMISMATCH): return vb_error::kTypeMismatch;
        case static_cast<uint32_t>(DISP_E_BADINDEX): return vb_error::kSubscriptOutOfRange;
        case static_cast<uint32_t>(DISP_E_OVERFLOW): return vb_error::kOverflow;
        case static_cast<uint32_t>(CO_E_CLASSSTRING):
        case static_cast<uint32_t>(REGDB_E_CLASSNOTREG): return vb_error::kCannotCreateObject;
        case static_cast<uint32_t>(E_OUTOFMEMORY): return vb_error::kOutOfMemory;
        case static_cast<uint32_t>(E_ACCESSDENIED): return vb_error::kPermissionDenied;
        case static_cast<uint32_t>(E_NOINTERFACE): return vb_error::kNoAutomationInterface;
        case static_cast<uint32_t>(E_INVALIDARG): return vb_error::kInvalidProcedureCall;
        case static_cast<uint32_t>(E_NOTIMPL): return vb_error::kActionNotSupported;
        default: return 0;
    }
}

// The system's message for an HRESULT in the user's language, without the line end.
std::u16string SystemMessage(HRESULT hr) {
    wchar_t buffer[512];
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                  static_cast<DWORD>(hr), 0, buffer, static_cast<DWORD>(std::size(buffer)),
                                  nullptr);
    while (length > 0 && (buffer[length - 1] == L'\r' || buffer[length - 1] == L'\n' || buffer[length - 1] == L' ')) {
        --length;
    }
    return std::u16string(reinterpret_cast<const char16_t*>(buffer), length);
}

// The program's text for the number a Visual Basic client gives, else the system's, else a
// generic one: never empty.
std::u16string DescriptionOf(int32_t number, HRESULT hr) {
    if (std::u16string known = vb_error::Description(number); !known.empty()) return known;
    if (std::u16string system = SystemMessage(hr); !system.empty()) return system;
    return kGenericDescription;
}
}  // namespace

int32_t ErrorNumber(HRESULT hr) {
    auto bits = static_cast<uint32_t>(hr);
    if ((bits & 0xFFFF0000u) == kAutomationFacility) return static_cast<int32_t>(bits & 0xFFFFu);
    if (int32_t number = VisualBasicNumber(hr); number != 0) return number;
    return static_cast<int32_t>(hr);
}

RuntimeError ErrorFromHresult(HRESULT hr) {
    int32_t number = ErrorNumber(hr);
    return RuntimeError(number, DescriptionOf(number, hr), vb_error::kSource);
}

RuntimeError ErrorFromException(const EXCEPINFO& exception, HRESULT hr) {
    HRESULT code = FAILED(exception.scode) ? exception.scode : hr;
    int32_t number = exception.wCode != 0 ? exception.wCode : ErrorNumber(code);
    std::u16string description = ToU16String(exception.bstrDescription);
    if (description.empty()) description = DescriptionOf(number, code);
    std::u16string source = ToU16String(exception.bstrSource);
    if (source.empty()) source = vb_error::kSource;
    return RuntimeError(number, std::move(description), std::move(source));
}

ExceptionRecord::~ExceptionRecord() {
    SysFreeString(info_.bstrSource);
    SysFreeString(info_.bstrDescription);
    SysFreeString(info_.bstrHelpFile);
}

const EXCEPINFO& ExceptionRecord::Completed() {
    if (info_.pfnDeferredFillIn != nullptr) {
        auto fillIn = info_.pfnDeferredFillIn;
        info_.pfnDeferredFillIn = nullptr;
        fillIn(&info_);
    }
    return info_;
}

}  // namespace tabora::com
