#pragma once
// Reading one automation call as Excel does: member names matched ignoring case, arguments by
// position or by name, numbers accepted in any numeric type.

#include <cstdint>
#include <string>
#include <string_view>

#include "excel/ArgumentConversion.h"
#include "excel/Automation.h"
#include "excel/CaseFolding.h"

namespace tabora::calc {

class MemberCall {
public:
    explicit MemberCall(const Invocation& call) : call_(call) {}

    // True when the member is name, compared ignoring case.
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

// Names and arguments as Excel reads them: the core's one set of rules.
inline bool SameName(std::u16string_view a, std::u16string_view b) { return excel::EqualsIgnoringCase(a, b); }
using excel::ToBool;
using excel::ToDouble;
using excel::ToLong;
using excel::ToText;

// "Object doesn't support this property or method" (438).
[[noreturn]] void NoSuchMember();

}  // namespace tabora::calc
