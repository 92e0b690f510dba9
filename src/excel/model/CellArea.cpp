#include "excel/model/CellArea.h"

#include <algorithm>
#include <string>

namespace tabora::excel::model {

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

bool CellArea::OnGrid(const WorkbookGrid& grid) const {
    const bool rowsFit = IsWholeColumns() || bottom <= grid.rows;
    const bool columnsFit = IsWholeRows() || right <= grid.columns;
    return top >= 1 && left >= 1 && rowsFit && columnsFit;
}

std::u16string ColumnLetters(int32_t col) {
    std::u16string letters;
    for (; col > 0; col = (col - 1) / 26) letters.insert(letters.begin(), static_cast<char16_t>(u'A' + (col - 1) % 26));
    return letters;
}

std::u16string AreaText(const CellArea& area, bool absolute) {
    const std::u16string dollar = absolute ? u"$" : u"";
    const auto cell = [&](int32_t row, int32_t col) {
        const std::string digits = std::to_string(row);
        return dollar + ColumnLetters(col) + dollar + std::u16string(digits.begin(), digits.end());
    };
    if (area.IsSingleCell()) return cell(area.top, area.left);
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

}  // namespace tabora::excel::model
