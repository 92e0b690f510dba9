#pragma once
// How many rows and columns a worksheet has, which Excel decides by the workbook's file format:
// a workbook in the old binary format (.xls) keeps that format's grid, every other one (.xlsx,
// .xlsm, .ods, or a new workbook not saved yet) has the large grid. A save in another format
// changes the grid with it.

#include <cstdint>
#include <string_view>

namespace tabora::excel {

struct WorkbookGrid {
    int32_t rows;
    int32_t columns;
    friend bool operator==(const WorkbookGrid&, const WorkbookGrid&) = default;
};

inline constexpr WorkbookGrid kBinaryGrid{65536, 256};       // .xls
inline constexpr WorkbookGrid kLargeGrid{1048576, 16384};   // .xlsx, .xlsm, .ods, new workbooks

// The grid of a workbook by its file name or path (the extension, in any letter case).
WorkbookGrid GridOfWorkbook(std::u16string_view fileName);

// Whether SaveAs writes the old binary format, whose grid the workbook then has: Excel's
// FileFormat number decides when given (not 0); else the name: .xls, or no extension at all,
// which this Excel saves in its own format, .xls.
bool SavesBinaryFormat(std::u16string_view path, int32_t fileFormat = 0);

}  // namespace tabora::excel
