#pragma once
// Cells and rectangles of cells as Excel addresses them: 1-based rows and columns, corners
// inclusive. Whole rows and columns run to the edge of the largest grid; a workbook's own grid
// (WorkbookGrid.h) bounds what a call may reach.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "excel/WorkbookGrid.h"

namespace tabora::excel::model {

inline constexpr int32_t kMaxRows = kLargeGrid.rows;
inline constexpr int32_t kMaxColumns = kLargeGrid.columns;

struct CellAddress {
    int32_t row = 1;
    int32_t col = 1;
    friend auto operator<=>(const CellAddress&, const CellAddress&) = default;
};

struct CellArea {
    int32_t top = 1;
    int32_t left = 1;
    int32_t bottom = 1;
    int32_t right = 1;

    // The rectangle between two corners given in any order.
    static CellArea Between(CellAddress a, CellAddress b);
    static CellArea Cell(CellAddress a) { return {a.row, a.col, a.row, a.col}; }
    static CellArea WholeColumns(int32_t first, int32_t last) { return {1, first, kMaxRows, last}; }
    static CellArea WholeRows(int32_t first, int32_t last) { return {first, 1, last, kMaxColumns}; }
    static CellArea WholeSheet() { return {1, 1, kMaxRows, kMaxColumns}; }

    int32_t Rows() const { return bottom - top + 1; }
    int32_t Columns() const { return right - left + 1; }
    bool IsWholeColumns() const { return top == 1 && bottom == kMaxRows; }
    bool IsWholeRows() const { return left == 1 && right == kMaxColumns; }
    bool IsSingleCell() const { return top == bottom && left == right; }
    CellAddress TopLeft() const { return {top, left}; }
    bool Contains(CellAddress cell) const;
    bool Contains(const CellArea& other) const;
    bool Intersects(const CellArea& other) const;
    // Within grid, whole rows and columns counting as within it.
    bool OnGrid(const WorkbookGrid& grid) const;
    friend bool operator==(const CellArea&, const CellArea&) = default;
};

// "A1", "B2:D5", as Excel writes addresses without dollar signs; with them: "$A$1".
std::u16string AreaText(const CellArea& area, bool absolute = false);
std::u16string ColumnLetters(int32_t col);
// "B" -> 2; nullopt for anything but 1 to 3 letters naming a column of the largest grid.
std::optional<int32_t> ColumnNumber(std::u16string_view letters);
// An address in A1 style, dollar signs allowed: "B3", "A1:C4", "B:D" (whole columns), "2:5"
// (whole rows). nullopt when it is none or lies outside the largest grid.
std::optional<CellArea> ParseArea(std::u16string_view address);

}  // namespace tabora::excel::model
