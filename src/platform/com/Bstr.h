#pragma once
// Owner of one BSTR, and the conversions between BSTR and the core's UTF-16 strings.

#include <string>
#include <string_view>
#include <utility>

#include "platform/com/WindowsSdk.h"
#include <oleauto.h>

namespace tabora::com {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16 code units");

class Bstr {
public:
    Bstr() = default;
    // A copy of text, embedded NULs included. Out of memory raises error 7.
    explicit Bstr(std::u16string_view text);
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    Bstr(Bstr&& other) noexcept : value_(std::exchange(other.value_, nullptr)) {}
    Bstr& operator=(Bstr&& other) noexcept {
        std::swap(value_, other.value_);
        return *this;
    }
    ~Bstr() { SysFreeString(value_); }

    BSTR Get() const { return value_; }
    BSTR* Receive() {
        SysFreeString(std::exchange(value_, nullptr));
        return &value_;
    }
    BSTR Detach() { return std::exchange(value_, nullptr); }

private:
    BSTR value_ = nullptr;
};

// The text of a BSTR by its length prefix; a null BSTR is the empty string.
std::u16string ToU16String(BSTR text);

inline const wchar_t* AsWide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

}  // namespace tabora::com
