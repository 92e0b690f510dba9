#pragma once
// Text between the core's UTF-16 strings and UNO's OUString (also UTF-16: no conversion).

#include <rtl/ustring.hxx>

#include <string>
#include <string_view>

namespace tabora::calc {

inline rtl::OUString ToOUString(std::u16string_view text) {
    return rtl::OUString(reinterpret_cast<const sal_Unicode*>(text.data()), static_cast<sal_Int32>(text.size()));
}
inline std::u16string ToU16(const rtl::OUString& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.getStr()), static_cast<size_t>(text.getLength()));
}
inline rtl::OUString Ascii(const char* text) { return rtl::OUString::createFromAscii(text); }
inline rtl::OUString FromUtf8(const std::string& text) {
    return rtl::OUString(text.data(), static_cast<sal_Int32>(text.size()), RTL_TEXTENCODING_UTF8);
}
inline std::string ToUtf8(const rtl::OUString& text) {
    rtl::OString utf8 = rtl::OUStringToOString(text, RTL_TEXTENCODING_UTF8);
    return std::string(utf8.getStr(), static_cast<size_t>(utf8.getLength()));
}

}  // namespace tabora::calc
