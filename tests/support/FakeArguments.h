#pragma once
// The arguments of one call, bound to the member's parameters as Excel's type library binds
// them: positional ones in order, named ones by name ignoring case. An omitted (Missing)
// argument counts as not given.

#include <string>
#include <string_view>
#include <vector>

#include "excel/Automation.h"

namespace tabora::test {

class Arguments {
public:
    // For a property write the last positional argument is the new value, not a parameter.
    // More positional arguments than parameters: error 450; an unknown name: 448.
    Arguments(const Invocation& call, std::vector<std::u16string_view> parameters);

    bool Has(size_t index) const;
    size_t Count() const { return bound_.size(); }
    // The argument; 449 when it was not given.
    const Variant& Value(size_t index) const;
    // The new value of a property write; 450 when there is none.
    const Variant& NewValue() const;

    // Conversions as Excel makes them (excel/ArgumentConversion.h): 13 when the value is not of
    // that kind, 6 when a number does not fit.
    int32_t Number(size_t index) const;
    int32_t NumberOr(size_t index, int32_t fallback) const { return Has(index) ? Number(index) : fallback; }
    bool Flag(size_t index) const;
    bool FlagOr(size_t index, bool fallback) const { return Has(index) ? Flag(index) : fallback; }
    std::u16string Text(size_t index) const;

    static int32_t ToNumber(const Variant& value);
    static bool ToFlag(const Variant& value);
    static std::u16string ToText(const Variant& value);

private:
    std::vector<const Variant*> bound_;
    const Variant* newValue_ = nullptr;
};

// The key of a collection item: a 1-based position (Integer or Long) or a name (String).
struct ItemKey {
    bool byName = false;
    int32_t position = 0;
    std::u16string name;
};
// 13 for a key of any other type.
ItemKey ToItemKey(const Variant& key);

// The file name at the end of a path ("C:\a\b.xls" -> "b.xls"), either slash.
std::u16string FileNamePart(std::u16string_view path);

}  // namespace tabora::test
