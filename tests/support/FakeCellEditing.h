#pragma once
// Editing of a sheet's cells as Excel does it: copy, paste special, insert and delete with a
// shift, merge, borders and fill. Each function either does all of its change or, returning
// false, none.

#include <optional>

#include <map>

#include "support/FakeWorkbookModel.h"

namespace tabora::test {

// What Copy takes of a range: its cells as they are at that moment.
struct FakeClipboard {
    CellArea source;
    // The source's non-blank or formatted cells, by offset from its top-left corner (0-based).
    std::map<CellAddress, FakeCell> cells;
};

FakeClipboard CopyCells(const FakeSheet& sheet, const CellArea& area);

// Pastes with its top-left corner at `at`. False when it would not fit on the sheet or would
// split a merged area.
bool PasteCells(FakeSheet& sheet, CellAddress at, const FakeClipboard& clipboard, const PasteOptions& options);

// Makes room for area by moving the cells at and below it down (or at and right of it right).
// False when non-blank cells would fall off the sheet or a merged area would be split.
bool InsertCells(FakeSheet& sheet, const CellArea& area, bool shiftDown);
// Removes area, moving the cells below it up (or right of it left). False when a merged area
// would be split.
bool DeleteCells(FakeSheet& sheet, const CellArea& area, bool shiftUp);

// Merges area with any merged area it overlaps; the first value in reading order stays, in the
// top-left cell.
void MergeCells(FakeSheet& sheet, const CellArea& area);
// The merged area containing cell, if any.
std::optional<CellArea> MergedAreaAt(const FakeSheet& sheet, CellAddress cell);

// Border index of a range (edges, inside lines, diagonals) applied to its cells. A line between
// two cells is one line: the left and top edges are kept as the right and bottom edges of the
// neighbours, as Excel shows them.
void SetBorder(FakeSheet& sheet, const CellArea& area, int32_t index, std::optional<int32_t> lineStyle,
               std::optional<int32_t> weight);
// The border a range shows for index: nullopt where its cells differ (Excel answers Null).
std::optional<BorderFormat> GetBorder(const FakeSheet& sheet, const CellArea& area, int32_t index);
// One cell's edge (7 to 10) or diagonal (5, 6) as the user sees it.
BorderFormat CellBorder(const FakeSheet& sheet, CellAddress cell, int32_t index);

void SetInterior(FakeSheet& sheet, const CellArea& area, std::optional<int32_t> colorIndex,
                 std::optional<int32_t> pattern);

}  // namespace tabora::test
