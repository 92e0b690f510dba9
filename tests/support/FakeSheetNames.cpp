#include "support/FakeSheetNames.h"

namespace tabora::test {

namespace {
// The names of the workbook's sheets but one (nullptr: all of them).
std::vector<std::u16string> NamesBesides(const FakeWorkbook& workbook, const FakeSheet* sheet) {
    std::vector<std::u16string> names;
    for (const auto& other : workbook.sheets)
        if (other.get() != sheet) names.push_back(other->name);
    return names;
}
}  // namespace

bool IsValidSheetName(std::u16string_view name) { return !excel::CheckSheetName(name); }

bool CanNameSheet(const FakeWorkbook& workbook, const FakeSheet* sheet, std::u16string_view name) {
    return !excel::CheckSheetName(name, NamesBesides(workbook, sheet));
}

std::u16string CopyName(const FakeWorkbook& workbook, std::u16string_view original) {
    return excel::CopyName(original, NamesBesides(workbook, nullptr));
}

std::u16string NewSheetName(const FakeWorkbook& workbook, std::u16string_view prefix) {
    return excel::NewSheetName(prefix, NamesBesides(workbook, nullptr));
}

}  // namespace tabora::test
