#pragma once
// The late-bound automation interface: objects called by member name with variant arguments.
//
// One virtual entry point, Invoke, takes a whole call (kind, member, positional and named
// arguments, locale); the named helpers below only build calls. Every failure is thrown as a
// RuntimeError carrying the server's number, description and source.
//
// Property put follows the automation convention: the new value is the last positional argument,
// after any index arguments.

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "excel/Variant.h"

namespace tabora {

// Excel is always addressed in US English, so that member names and values read the same on
// every user's system.
inline constexpr uint32_t kExcelLocale = 1033;

enum class InvokeKind { PropertyGet, PropertyPut, Method };

struct NamedArgument {
    std::u16string name;
    Variant value;
};

struct Invocation {
    InvokeKind kind = InvokeKind::Method;
    std::u16string_view member;
    std::span<const Variant> args;          // positional, in source order
    std::span<const NamedArgument> named;  // after the positional ones
    uint32_t locale = kExcelLocale;
};

class AutomationObject {
public:
    virtual ~AutomationObject() = default;

    virtual Variant Invoke(const Invocation& call) = 0;
    // For Each over a collection: every item, in the collection's order, in one round trip.
    virtual std::vector<Variant> Enumerate(uint32_t locale = kExcelLocale) = 0;
    // The object's class as the server names it ("Worksheet", "Chart", ...); empty when the
    // server cannot tell.
    virtual std::u16string TypeName() const { return {}; }

    Variant Get(std::u16string_view member, std::initializer_list<Variant> args = {});
    // A property or item that must be an object (Workbooks, Sheets(1), Cells(r, c), ...).
    ObjectRef GetObject(std::u16string_view member, std::initializer_list<Variant> args = {});
    void Put(std::u16string_view member, Variant value);
    void PutIndexed(std::u16string_view member, std::initializer_list<Variant> index, Variant value);
    Variant Call(std::u16string_view member, std::initializer_list<Variant> args = {},
                 std::initializer_list<NamedArgument> named = {});
};

}  // namespace tabora
