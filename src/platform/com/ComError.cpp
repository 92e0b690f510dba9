#include "platform/com/ComError.h"

#include "platform/com/WindowsSdk.h"

#include <string>

#include "platform/com/Bstr.h"

namespace tabora::com {

namespace {
constexpr uint32_t kAutomationFacility = 0x800A0000u;
constexpr char16_t kGenericDescription[] = u"オートメーション エラーです。";

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

std::u16string DescriptionOf(HRESULT hr) {
    int32_t number = ErrorNumber(hr);
    if (number != hr) {
        if (std::u16string known = vb_error::Description(number); !known.empty()) return known;
    }
    if (std::u16string system = SystemMessage(hr); !system.empty()) return system;
    return kGenericDescription;
}
}  // namespace

int32_t ErrorNumber(HRESULT hr) {
    auto bits = static_cast<uint32_t>(hr);
    if ((bits & 0xFFFF0000u) == kAutomationFacility) return static_cast<int32_t>(bits & 0xFFFFu);
    return static_cast<int32_t>(hr);
}

RuntimeError ErrorFromHresult(HRESULT hr) { return RuntimeError(ErrorNumber(hr), DescriptionOf(hr), vb_error::kSource); }

RuntimeError ErrorFromException(const EXCEPINFO& exception, HRESULT hr) {
    HRESULT code = FAILED(exception.scode) ? exception.scode : hr;
    int32_t number = exception.wCode != 0 ? exception.wCode : ErrorNumber(code);
    std::u16string description = ToU16String(exception.bstrDescription);
    if (description.empty()) description = DescriptionOf(code);
    return RuntimeError(number, std::move(description), ToU16String(exception.bstrSource));
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
