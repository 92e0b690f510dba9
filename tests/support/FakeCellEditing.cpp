#include "support/FakeCellEditing.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace tabora::test {

namespace xl = excel::xl;
using excel::xl::kNone;

namespace {
bool OneOf(int32_t value, std::initializer_list<int32_t> allowed) {
    return std::find(allowed.begin(), allowed.end(), value) != allowed.end();
}

bool IsNumber(const Variant& value) { return value.IsEmpty() || value.Type() == VariantType::Double; }

Variant Operate(const Variant& target, const Variant& source, int32_t operation) {
    if (operation == xl::kOperationNone || !IsNumber(target) || !IsNumber(source)) return source;
    const double a = target.ToNumber();
    const double b = source.ToNumber();
    switch (operation) {
        case xl::kOperationAdd: return a + b;
        case xl::kOperationSubtract: return a - b;
        case xl::kOperationMultiply: return a * b;
        default: return b == 0 ? Variant(CellErrorValue{2007}) : Variant(a / b);
    }
}

void PasteOne(FakeCell& target, const FakeCell& source, const PasteOptions& options) {
    const int32_t paste = options.paste;
    const bool values = OneOf(paste, {xl::kPasteAll, xl::kPasteValues, xl::kPasteFormulas,
                                      xl::kPasteAllExceptBorders, 11, 12});
    const bool formulas = values && paste != xl::kPasteValues && paste != 12;
    if (values) {
        target.value = Operate(target.value, source.value, options.operation);
        target.formula = formulas && options.operation == xl::kOperationNone ? source.formula : std::u16string();
    }
    if (paste == xl::kPasteAll || paste == xl::kPasteFormats) {
        target.format = source.format;
    } else if (paste == xl::kPasteAllExceptBorders) {
        auto borders = std::move(target.format.borders);
        target.format = source.format;
        target.format.borders = std::move(borders);
    }
}

// Whether some merged area reaches into zone without lying wholly inside outer.
bool SplitsMerge(const FakeSheet& sheet, const CellArea& zone, const CellArea& outer) {
    return std::any_of(sheet.merged.begin(), sheet.merged.end(),
                       [&](const CellArea& m) { return m.Intersects(zone) && !outer.Contains(m); });
}

// Whole rows (columns) may run through a merged area, which then grows or shrinks; a smaller
// block of cells may not take only part of one.
bool CutsIntoMerge(const FakeSheet& sheet, const CellArea& area, bool vertical) {
    return !(vertical ? area.IsWholeRows() : area.IsWholeColumns()) && SplitsMerge(sheet, area, area);
}

// Cells and merged areas move along one axis: rows (vertical) or columns.
struct Axis {
    bool vertical;
    excel::WorkbookGrid grid;
    int32_t Along(CellAddress c) const { return vertical ? c.row : c.col; }
    int32_t Across(CellAddress c) const { return vertical ? c.col : c.row; }
    CellAddress Moved(CellAddress c, int32_t by) const {
        return vertical ? CellAddress{c.row + by, c.col} : CellAddress{c.row, c.col + by};
    }
    int32_t Limit() const { return vertical ? grid.rows : grid.columns; }
    // The strip of area's rows (columns) from `from` to the sheet's end.
    CellArea Strip(const CellArea& area, int32_t from) const {
        return vertical ? CellArea{from, area.left, kMaxRows, area.right}
                        : CellArea{area.top, from, area.bottom, kMaxColumns};
    }
    int32_t Start(const CellArea& a) const { return vertical ? a.top : a.left; }
    int32_t End(const CellArea& a) const { return vertical ? a.bottom : a.right; }
    CellArea WithAlong(CellArea a, int32_t start, int32_t end) const {
        (vertical ? a.top : a.left) = start;
        (vertical ? a.bottom : a.right) = end;
        return a;
    }
};

void MoveCells(FakeSheet& sheet, const std::function<std::optional<CellAddress>(CellAddress)>& where) {
    std::map<CellAddress, FakeCell> moved;
    for (auto& [address, cell] : sheet.cells) {
        if (const auto target = where(address)) moved[*target] = std::move(cell);
    }
    sheet.cells = std::move(moved);
}
}  // namespace

FakeClipboard CopyCells(const FakeSheet& sheet, const CellArea& area) {
    FakeClipboard clipboard{area, {}};
    for (const auto& [address, cell] : sheet.cells) {
        if (area.Contains(address) && cell != FakeCell{}) {
            clipboard.cells[{address.row - area.top, address.col - area.left}] = cell;
        }
    }
    return clipboard;
}

bool PasteCells(FakeSheet& sheet, CellAddress at, const FakeClipboard& clipboard, const PasteOptions& options) {
    const int32_t rows = options.transpose ? clipboard.source.Columns() : clipboard.source.Rows();
    const int32_t cols = options.transpose ? clipboard.source.Rows() : clipboard.source.Columns();
    // Whole lines reach the model's end; anything else must stay within the sheet's grid.
    const int32_t lastRow = clipboard.source.IsWholeColumns() ? kMaxRows : sheet.Grid().rows;
    const int32_t lastColumn = clipboard.source.IsWholeRows() ? kMaxColumns : sheet.Grid().columns;
    if (at.row < 1 || at.col < 1 || at.row + rows - 1 > lastRow || at.col + cols - 1 > lastColumn) return false;
    const CellArea target{at.row, at.col, at.row + rows - 1, at.col + cols - 1};
    if (SplitsMerge(sheet, target, target)) return false;
    const auto sourceOffset = [&](CellAddress offset) {
        return options.transpose ? CellAddress{offset.col, offset.row} : offset;
    };
    static const FakeCell blank;
    if (!options.skipBlanks) {
        for (auto& [address, cell] : sheet.cells) {
            if (target.Contains(address) &&
                !clipboard.cells.contains(sourceOffset({address.row - at.row, address.col - at.col}))) {
                PasteOne(cell, blank, options);
            }
        }
    }
    for (const auto& [offset, source] : clipboard.cells) {
        if (options.skipBlanks && source.IsBlank()) continue;
        const CellAddress place = sourceOffset(offset);
        PasteOne(sheet.MutableCell(at.row + place.row, at.col + place.col), source, options);
    }
    return true;
}

bool InsertCells(FakeSheet& sheet, const CellArea& area, bool shiftDown) {
    const Axis axis{shiftDown, sheet.Grid()};
    const int32_t count = axis.End(area) - axis.Start(area) + 1;
    const CellArea moving = axis.Strip(area, axis.Start(area));
    const CellArea fallingOff = axis.Strip(area, axis.Limit() - count + 1);
    for (const auto& [address, cell] : sheet.cells) {
        if (fallingOff.Contains(address) && !cell.IsBlank()) return false;
    }
    if (SplitsMerge(sheet, moving, axis.Strip(area, 1)) || SplitsMerge(sheet, fallingOff, CellArea{0, 0, -1, -1}) ||
        CutsIntoMerge(sheet, area, shiftDown)) {
        return false;
    }
    MoveCells(sheet, [&](CellAddress c) -> std::optional<CellAddress> {
        if (!moving.Contains(c)) return c;
        if (fallingOff.Contains(c)) return std::nullopt;
        return axis.Moved(c, count);
    });
    for (CellArea& m : sheet.merged) {
        if (!m.Intersects(moving)) continue;
        const int32_t start = axis.Start(m) >= axis.Start(area) ? axis.Start(m) + count : axis.Start(m);
        m = axis.WithAlong(m, start, axis.End(m) + count);  // a merge across the line grows
    }
    return true;
}

bool DeleteCells(FakeSheet& sheet, const CellArea& area, bool shiftUp) {
    const Axis axis{shiftUp, sheet.Grid()};
    const int32_t first = axis.Start(area);
    const int32_t last = axis.End(area);
    const int32_t count = last - first + 1;
    const CellArea affected = axis.Strip(area, first);
    if (SplitsMerge(sheet, affected, axis.Strip(area, 1)) || CutsIntoMerge(sheet, area, shiftUp)) return false;
    const auto along = [&](int32_t x) { return x < first ? x : x > last ? x - count : first; };
    MoveCells(sheet, [&](CellAddress c) -> std::optional<CellAddress> {
        if (!affected.Contains(c)) return c;
        if (axis.Along(c) <= last) return std::nullopt;
        return axis.Moved(c, -count);
    });
    std::vector<CellArea> merged;
    for (const CellArea& m : sheet.merged) {
        if (!m.Intersects(affected)) {
            merged.push_back(m);
            continue;
        }
        const int32_t start = along(axis.Start(m));
        const int32_t end = axis.End(m) > last ? axis.End(m) - count : std::min(axis.End(m), first - 1);
        const CellArea shrunk = axis.WithAlong(m, start, end);
        if (end >= start && (shrunk.Rows() > 1 || shrunk.Columns() > 1)) merged.push_back(shrunk);
    }
    sheet.merged = std::move(merged);
    return true;
}

void MergeCells(FakeSheet& sheet, const CellArea& area) {
    CellArea whole = area;
    for (bool grew = true; grew;) {
        grew = false;
        for (const CellArea& m : sheet.merged) {
            if (m.Intersects(whole) && !whole.Contains(m)) {
                whole = CellArea::Between({std::min(whole.top, m.top), std::min(whole.left, m.left)},
                                          {std::max(whole.bottom, m.bottom), std::max(whole.right, m.right)});
                grew = true;
            }
        }
    }
    if (whole.Rows() == 1 && whole.Columns() == 1) return;
    std::erase_if(sheet.merged, [&](const CellArea& m) { return whole.Contains(m); });
    sheet.merged.push_back(whole);
    // Cells are ordered by row, then column: the first non-blank one is the upper-left-most.
    FakeCell kept;
    for (auto& [address, cell] : sheet.cells) {
        if (!whole.Contains(address) || cell.IsBlank()) continue;
        if (kept.IsBlank()) kept = cell;
        cell.value = Variant();
        cell.formula.clear();
    }
    FakeCell& corner = sheet.MutableCell(whole.top, whole.left);
    corner.value = kept.value;
    corner.formula = kept.formula;
}

std::optional<CellArea> MergedAreaAt(const FakeSheet& sheet, CellAddress cell) {
    for (const CellArea& m : sheet.merged) {
        if (m.Contains(cell)) return m;
    }
    return std::nullopt;
}

namespace {
struct Edge {
    CellAddress cell;
    int32_t index;
};

// The stored edges that border index of area stands for.
std::vector<Edge> EdgesOf(const CellArea& area, int32_t index) {
    std::vector<Edge> edges;
    for (int32_t row = area.top; row <= area.bottom; ++row) {
        for (int32_t col = area.left; col <= area.right; ++col) {
            const bool first = index == xl::kEdgeLeft ? col == area.left : row == area.top;
            switch (index) {
                case xl::kEdgeLeft:
                case xl::kEdgeTop:
                    if (first) edges.push_back({{row, col}, index});
                    break;
                case xl::kEdgeBottom:
                    if (row == area.bottom) edges.push_back({{row, col}, index});
                    break;
                case xl::kEdgeRight:
                    if (col == area.right) edges.push_back({{row, col}, index});
                    break;
                case 11:
                    if (col < area.right) edges.push_back({{row, col}, xl::kEdgeRight});
                    break;
                case 12:
                    if (row < area.bottom) edges.push_back({{row, col}, xl::kEdgeBottom});
                    break;
                default: edges.push_back({{row, col}, index});
            }
        }
    }
    return edges;
}

// Left and top edges live on the neighbour, except on the sheet's own first column and row.
Edge Stored(Edge edge) {
    if (edge.index == xl::kEdgeLeft && edge.cell.col > 1) return {{edge.cell.row, edge.cell.col - 1}, xl::kEdgeRight};
    if (edge.index == xl::kEdgeTop && edge.cell.row > 1) return {{edge.cell.row - 1, edge.cell.col}, xl::kEdgeBottom};
    return edge;
}
}  // namespace

void SetBorder(FakeSheet& sheet, const CellArea& area, int32_t index, std::optional<int32_t> lineStyle,
               std::optional<int32_t> weight) {
    for (const Edge& edge : EdgesOf(area, index)) {
        const Edge stored = Stored(edge);
        BorderFormat& border = sheet.MutableCell(stored.cell.row, stored.cell.col).format.borders[stored.index];
        if (lineStyle) border.lineStyle = *lineStyle;
        if (weight) border.weight = *weight;
    }
}

BorderFormat CellBorder(const FakeSheet& sheet, CellAddress cell, int32_t index) {
    const Edge stored = Stored({cell, index});
    const auto& borders = sheet.Cell(stored.cell.row, stored.cell.col).format.borders;
    const auto found = borders.find(stored.index);
    return found == borders.end() ? BorderFormat{} : found->second;
}

std::optional<BorderFormat> GetBorder(const FakeSheet& sheet, const CellArea& area, int32_t index) {
    std::optional<BorderFormat> shown;
    for (const Edge& edge : EdgesOf(area, index)) {
        const BorderFormat border = CellBorder(sheet, edge.cell, edge.index);
        if (shown && *shown != border) return std::nullopt;
        shown = border;
    }
    return shown.value_or(BorderFormat{});
}

void SetInterior(FakeSheet& sheet, const CellArea& area, std::optional<int32_t> colorIndex,
                 std::optional<int32_t> pattern) {
    for (int32_t row = area.top; row <= area.bottom; ++row) {
        for (int32_t col = area.left; col <= area.right; ++col) {
            CellFormat& format = sheet.MutableCell(row, col).format;
            // A colour fills the cell (solid unless it has a pattern); automatic or none, and the
            // pattern none, take the fill away.
            if (colorIndex && (*colorIndex == kNone || *colorIndex == xl::kAutomatic)) {
                format.colorIndex = kNone;
                format.pattern = kNone;
            } else if (colorIndex) {
                format.colorIndex = *colorIndex;
                if (format.pattern == kNone) format.pattern = xl::kPatternSolid;
            }
            if (pattern) format.pattern = *pattern;
            if (pattern == kNone) format.colorIndex = kNone;
        }
    }
}

}  // namespace tabora::test
