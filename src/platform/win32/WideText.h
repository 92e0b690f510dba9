#pragma once
// The core's UTF-16 strings at the Windows API: the same code units, another character type.

#include <string>

#include "platform/com/WindowsSdk.h"

namespace tabora::platform::win32 {

inline const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

inline std::u16string FromWide(const wchar_t* text, size_t length) {
    return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}

// A window's whole text.
std::u16string WindowText(HWND window);

}  // namespace tabora::platform::win32
