#include "platform/com/Bstr.h"

#include "platform/RuntimeError.h"

namespace tabora::com {

Bstr::Bstr(std::u16string_view text)
    : value_(SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()))) {
    if (value_ == nullptr) throw vb_error::Raise(vb_error::kOutOfMemory);
}

std::u16string ToU16String(BSTR text) {
    if (text == nullptr) return {};
    return std::u16string(reinterpret_cast<const char16_t*>(text), SysStringLen(text));
}

}  // namespace tabora::com
