#pragma once
// Owner of one VARIANT: whatever it holds (string, interface, array) is freed with it.

#include <utility>

#include "platform/com/WindowsSdk.h"
#include <oleauto.h>

namespace tabora::com {

class ScopedVariant {
public:
    ScopedVariant() { VariantInit(&value_); }
    ScopedVariant(const ScopedVariant&) = delete;
    ScopedVariant& operator=(const ScopedVariant&) = delete;
    ScopedVariant(ScopedVariant&& other) noexcept : ScopedVariant() { std::swap(value_, other.value_); }
    ScopedVariant& operator=(ScopedVariant&& other) noexcept {
        std::swap(value_, other.value_);
        return *this;
    }
    ~ScopedVariant() { VariantClear(&value_); }

    VARIANT& Get() { return value_; }
    const VARIANT& Get() const { return value_; }
    // Cleared, for an out-parameter.
    VARIANT* Receive() {
        VariantClear(&value_);
        return &value_;
    }

private:
    VARIANT value_;
};

}  // namespace tabora::com
