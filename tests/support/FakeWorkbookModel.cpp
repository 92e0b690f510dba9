#include "support/FakeWorkbookModel.h"

#include <algorithm>

#include "support/FakeStrings.h"

namespace tabora::test {

CellArea CellArea::Between(CellAddress a, CellAddress b) {
    return {std::min(a.row, b.row), std::min(a.col, b.col), std::max(a.row, b.row), std::max(a.col, b.col)};
}

bool CellArea::Contains(CellAddress cell) const {
    return cell.row >= top && cell.row <= bottom && cell.col >= left && cell.col <= right;
}

bool CellArea::Contains(const CellArea& other) const {
    return Contains(CellAddress{other.top, other.left}) && Contains(CellAddress{other.bottom, other.right});
}

bool CellArea::Intersects(const CellArea& other) const {
    return other.left <= right && other.right >= left && other.top <= bottom && other.bottom >= top;
}

std::u16string ColumnLetters(int32_t col) {
    std::u16string letters;
    for (; col > 0; col = (col - 1) / 26) letters.insert(letters.begin(), static_cast<char16_t>(u'A' + (col - 1) % 26));
    return letters;
}

std::u16string AreaText(const CellArea& area) {
    const auto cell = [](int32_t row, int32_t col) {
        return ColumnLetters(col) + FromUtf8(std::to_string(row));
    };
    if (area.top == area.bottom && area.left == area.right) return cell(area.top, area.left);
    return cell(area.top, area.left) + u":" + cell(area.bottom, area.right);
}

std::optional<int32_t> ColumnNumber(std::u16string_view letters) {
    if (letters.empty() || letters.size() > 3) return std::nullopt;
    int32_t col = 0;
    for (char16_t c : letters) {
        const char16_t upper = c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 0x20) : c;
        if (upper < u'A' || upper > u'Z') return std::nullopt;
        col = col * 26 + (upper - u'A' + 1);
    }
    if (col > kMaxColumns) return std::nullopt;
    return col;
}

namespace {
// One end of an address: column letters, row digits, or both; 0 for a part that is left out.
std::optional<CellAddress> ParseCorner(std::u16string_view text) {
    size_t i = 0;
    const auto dollar = [&] {
        if (i < text.size() && text[i] == u'$') ++i;
    };
    dollar();
    const size_t lettersStart = i;
    while (i < text.size() && ((text[i] >= u'A' && text[i] <= u'Z') || (text[i] >= u'a' && text[i] <= u'z'))) ++i;
    const std::u16string_view letters = text.substr(lettersStart, i - lettersStart);
    dollar();
    int32_t row = 0;
    const size_t digitsStart = i;
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9' && row <= kMaxRows) row = row * 10 + (text[i++] - u'0');
    if (i != text.size() || (letters.empty() && i == digitsStart)) return std::nullopt;
    if (i > digitsStart && (row < 1 || row > kMaxRows)) return std::nullopt;
    int32_t col = 0;
    if (!letters.empty()) {
        const auto number = ColumnNumber(letters);
        if (!number) return std::nullopt;
        col = *number;
    }
    return CellAddress{row, col};
}
}  // namespace

std::optional<CellArea> ParseArea(std::u16string_view address) {
    const size_t colon = address.find(u':');
    const auto first = ParseCorner(address.substr(0, colon));
    const auto second = colon == std::u16string_view::npos ? first : ParseCorner(address.substr(colon + 1));
    if (!first || !second) return std::nullopt;
    const bool wholeColumns = first->row == 0 && second->row == 0;
    const bool wholeRows = first->col == 0 && second->col == 0;
    if (wholeColumns && colon != std::u16string_view::npos) {
        return CellArea::WholeColumns(std::min(first->col, second->col), std::max(first->col, second->col));
    }
    if (wholeRows && colon != std::u16string_view::npos) {
        return CellArea::WholeRows(std::min(first->row, second->row), std::max(first->row, second->row));
    }
    if (first->row == 0 || first->col == 0 || second->row == 0 || second->col == 0) return std::nullopt;
    return CellArea::Between(*first, *second);
}

const FakeCell& FakeSheet::Cell(int32_t row, int32_t col) const {
    static const FakeCell blank;
    const auto found = cells.find({row, col});
    return found == cells.end() ? blank : found->second;
}

void FakeSheet::Tidy() {
    std::erase_if(cells, [](const auto& entry) { return entry.second == FakeCell{}; });
}

void PrintTo(const CellAddress& address, std::ostream* out) {
    *out << ToUtf8(AreaText({address.row, address.col, address.row, address.col}));
}

void PrintTo(const CellArea& area, std::ostream* out) { *out << ToUtf8(AreaText(area)); }

void PrintTo(const FakeCell& cell, std::ostream* out) {
    *out << "{" << TypeName(cell.value.Type());
    if (cell.value.Type() == VariantType::String) *out << " \"" << ToUtf8(cell.value.AsString()) << "\"";
    if (cell.value.Type() == VariantType::Double) *out << " " << cell.value.AsDouble();
    if (!cell.formula.empty()) *out << " formula " << ToUtf8(cell.formula);
    for (const auto& [index, border] : cell.format.borders) {
        *out << " border" << index << "=" << border.lineStyle << "/" << border.weight;
    }
    if (cell.format.colorIndex != kXlNone || cell.format.pattern != kXlNone) {
        *out << " interior " << cell.format.colorIndex << "/" << cell.format.pattern;
    }
    *out << "}";
}

std::shared_ptr<FakeSheet> FakeWorkbook::FindSheet(std::u16string_view sheetName) const {
    for (const auto& sheet : sheets) {
        if (EqualsIgnoringCase(sheet->name, sheetName)) return sheet;
    }
    return nullptr;
}

int32_t FakeWorkbook::PositionOf(const FakeSheet* sheet) const {
    for (size_t i = 0; i < sheets.size(); ++i) {
        if (sheets[i].get() == sheet) return static_cast<int32_t>(i + 1);
    }
    return 0;
}

std::vector<std::u16string> FakeWorkbook::SheetNames() const {
    std::vector<std::u16string> names;
    for (const auto& sheet : sheets) names.push_back(sheet->name);
    return names;
}

std::vector<std::u16string> FakeWorkbook::WorksheetNames() const {
    std::vector<std::u16string> names;
    for (const auto& sheet : Worksheets()) names.push_back(sheet->name);
    return names;
}

std::vector<std::shared_ptr<FakeSheet>> FakeWorkbook::Worksheets() const {
    std::vector<std::shared_ptr<FakeSheet>> worksheets;
    for (const auto& sheet : sheets) {
        if (!sheet->isChart) worksheets.push_back(sheet);
    }
    return worksheets;
}

int FakeWorkbook::VisibleSheetCount() const {
    return static_cast<int>(std::count_if(sheets.begin(), sheets.end(), [](const auto& sheet) { return sheet->IsVisible(); }));
}

std::shared_ptr<FakeSheet> FakeWorkbook::VisibleSheetNear(int32_t position) const {
    const auto count = static_cast<int32_t>(sheets.size());
    for (int32_t i = std::max(position, 1); i <= count; ++i) {
        if (sheets[static_cast<size_t>(i - 1)]->IsVisible()) return sheets[static_cast<size_t>(i - 1)];
    }
    for (int32_t i = std::min(position, count); i >= 1; --i) {
        if (sheets[static_cast<size_t>(i - 1)]->IsVisible()) return sheets[static_cast<size_t>(i - 1)];
    }
    return nullptr;
}

FakeWorkbook* FakeInstance::FindWorkbook(std::u16string_view workbookName) const {
    for (const auto& workbook : workbooks) {
        if (EqualsIgnoringCase(workbook->name, workbookName)) return workbook.get();
    }
    return nullptr;
}

FakeSheet* FakeInstance::ActiveSheet() const {
    return activeWorkbook ? activeWorkbook->activeSheet.get() : nullptr;
}

void FakeInstance::Activate(const std::shared_ptr<FakeWorkbook>& workbook, const std::shared_ptr<FakeSheet>& sheet) {
    activeWorkbook = workbook;
    if (workbook && sheet) workbook->activeSheet = sheet;
}

void FakeInstance::RemoveWorkbook(const FakeWorkbook* workbook) {
    std::erase_if(workbooks, [workbook](const auto& held) { return held.get() == workbook; });
    // The window behind the closed one comes to the front: the last one opened.
    if (activeWorkbook.get() == workbook) activeWorkbook = workbooks.empty() ? nullptr : workbooks.back();
}

void FakeInstance::End() {
    ended = true;
    workbooks.clear();
    activeWorkbook.reset();
    clipboard.reset();
}

}  // namespace tabora::test
