#pragma once
// The arguments of one call, bound to a member's parameters as Excel's type library binds them:
// positional ones in order, named ones by name ignoring case. An omitted (Missing) argument
// counts as not given.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "excel/Automation.h"

namespace tabora::excel::model {

class Arguments {
public:
    // For a property write the last positional argument is the new value, not a parameter.
    // More positional arguments than parameters: 450; an unknown or empty name: 448.
    Arguments(const Invocation& call, std::span<const std::u16string_view> parameters);

    bool Has(size_t index) const;
    // The argument; 449 when it was not given.
    const Variant& Value(size_t index) const;
    // The new value of a property write; 450 when there is none.
    const Variant& NewValue() const;

    // Conversions as Excel makes them (ArgumentConversion.h): 13 when the value is not of that
    // kind, 6 when a number does not fit.
    int32_t Number(size_t index) const;
    int32_t NumberOr(size_t index, int32_t fallback) const { return Has(index) ? Number(index) : fallback; }
    bool Flag(size_t index) const;
    bool FlagOr(size_t index, bool fallback) const { return Has(index) ? Flag(index) : fallback; }
    std::u16string Text(size_t index) const;

    // The most parameters a member has (Workbooks.Open's 13): arguments are bound in place, as a
    // long list of sheets makes as many calls.
    static constexpr size_t kMaxParameters = 16;

private:
    std::array<const Variant*, kMaxParameters> bound_{};
    size_t count_ = 0;
    const Variant* newValue_ = nullptr;
};

// The key of a collection's item: a 1-based position (Integer, Long or Double, rounded as Excel
// does) or a name (String). 13 for a key of any other type.
struct ItemKey {
    bool byName = false;
    int32_t position = 0;
    std::u16string name;
};
ItemKey ToItemKey(const Variant& key);

}  // namespace tabora::excel::model
