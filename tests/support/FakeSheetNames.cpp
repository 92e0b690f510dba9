#include "support/FakeSheetNames.h"

#include "support/FakeStrings.h"

namespace tabora::test {

namespace {
bool IsFree(const FakeWorkbook& workbook, const FakeSheet* sheet, std::u16string_view name) {
    for (const auto& other : workbook.sheets) {
        if (other.get() != sheet && EqualsIgnoringCase(other->name, name)) return false;
    }
    return true;
}

std::u16string Decimal(int number) { return FromUtf8(std::to_string(number)); }

// "Name (12)" -> "Name"; anything else unchanged.
std::u16string_view WithoutCopyNumber(std::u16string_view name) {
    if (name.size() < 4 || name.back() != u')') return name;
    size_t open = name.size() - 1;
    while (open > 0 && name[open - 1] >= u'0' && name[open - 1] <= u'9') --open;
    if (open == name.size() - 1 || open < 2 || name[open - 1] != u'(' || name[open - 2] != u' ') return name;
    return name.substr(0, open - 2);
}
}  // namespace

bool IsValidSheetName(std::u16string_view name) {
    if (name.empty() || name.size() > kMaxSheetNameLength) return false;
    if (name.find_first_of(u":\\/?*[]") != std::u16string_view::npos) return false;
    if (name.front() == u'\'' || name.back() == u'\'') return false;
    return !EqualsIgnoringCase(name, u"History");
}

bool CanNameSheet(const FakeWorkbook& workbook, const FakeSheet* sheet, std::u16string_view name) {
    return IsValidSheetName(name) && IsFree(workbook, sheet, name);
}

std::u16string CopyName(const FakeWorkbook& workbook, std::u16string_view original) {
    if (IsFree(workbook, nullptr, original)) return std::u16string(original);
    const std::u16string_view base = WithoutCopyNumber(original);
    for (int number = 2;; ++number) {
        const std::u16string suffix = u" (" + Decimal(number) + u")";
        const std::u16string candidate =
            std::u16string(base.substr(0, kMaxSheetNameLength - suffix.size())) + suffix;
        if (IsFree(workbook, nullptr, candidate)) return candidate;
    }
}

std::u16string NewSheetName(const FakeWorkbook& workbook, std::u16string_view prefix) {
    for (int number = 1;; ++number) {
        std::u16string candidate = std::u16string(prefix) + Decimal(number);
        if (IsFree(workbook, nullptr, candidate)) return candidate;
    }
}

}  // namespace tabora::test
