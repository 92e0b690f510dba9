#pragma once
// How many rows and columns a worksheet has, which Excel decides by the format its workbook is
// saved in: a workbook in the old binary format (.xls) keeps that format's grid, every other one
// (.xlsx, .xlsm, .ods, or a new workbook not saved yet) has the large grid. A save in another
// format changes the grid with it.

#include <cstdint>
#include <optional>
#include <string_view>

namespace tabora::excel {

struct WorkbookGrid {
    int32_t rows;
    int32_t columns;
    friend bool operator==(const WorkbookGrid&, const WorkbookGrid&) = default;
};

inline constexpr WorkbookGrid kBinaryGrid{65536, 256};       // .xls
inline constexpr WorkbookGrid kLargeGrid{1048576, 16384};   // .xlsx, .xlsm, .ods, new workbooks

// The FileFormat SaveAs writes a path in when none is given: by its extension in any letter
// case, and .xls, this Excel's own format, for no extension at all; nothing for an extension it
// writes no format of.
std::optional<int32_t> FileFormatFor(std::u16string_view path);
// Whether a FileFormat is one of the old binary formats, whose grid the workbook then has.
bool IsBinaryFormat(int32_t fileFormat);
// The grid of a workbook saved in a FileFormat; nothing means not saved yet.
WorkbookGrid GridOfFormat(std::optional<int32_t> fileFormat);

}  // namespace tabora::excel
