#pragma once
// Reading one automation call as Excel does: member names matched ignoring case, arguments by
// position or by name, numbers accepted in any numeric type.

#include <cstdint>
#include <string>
#include <string_view>

#include "excel/Automation.h"

namespace tabora::calc {

class MemberCall {
public:
    explicit MemberCall(const Invocation& call) : call_(call) {}

    // True when the member is name (ASCII letters compared ignoring case).
    bool Is(std::u16string_view name) const;
    bool IsGet() const { return call_.kind != InvokeKind::PropertyPut; }  // methods read too
    bool IsPut() const { return call_.kind == InvokeKind::PropertyPut; }
    const Invocation& Raw() const { return call_; }

    // Positional arguments, the value of a property put not counted.
    size_t Count() const;
    // The argument at position, or the named one, or Missing.
    const Variant& Arg(size_t position, std::u16string_view name = {}) const;
    bool Has(size_t position, std::u16string_view name = {}) const { return !Arg(position, name).IsMissing(); }
    // The value of a property put.
    const Variant& Value() const;
    // Refuses more than max positional arguments (450).
    void Expect(size_t max) const;

private:
    const Invocation& call_;
};

bool SameName(std::u16string_view a, std::u16string_view b);

// Argument conversions as Excel makes them; a value that cannot be converted raises 13.
int32_t ToLong(const Variant& value);
double ToDouble(const Variant& value);
bool ToBool(const Variant& value);
std::u16string ToText(const Variant& value);

// "Object doesn't support this property or method" (438).
[[noreturn]] void NoSuchMember();

}  // namespace tabora::calc
