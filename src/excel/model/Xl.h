#pragma once
// Excel's enumeration values that its objects take and give, and which of them it accepts.

#include <cstdint>

namespace tabora::excel::xl {

// Worksheet.Visible
inline constexpr int32_t kSheetVisible = -1;
inline constexpr int32_t kSheetHidden = 0;
inline constexpr int32_t kSheetVeryHidden = 2;

// "None" and "automatic" as line styles, colour indexes and patterns give them.
inline constexpr int32_t kNone = -4142;
inline constexpr int32_t kAutomatic = -4105;

// Range.Insert and Range.Delete
inline constexpr int32_t kShiftDown = -4121;
inline constexpr int32_t kShiftToRight = -4161;
inline constexpr int32_t kShiftUp = -4162;
inline constexpr int32_t kShiftToLeft = -4159;

// Range.PasteSpecial
inline constexpr int32_t kPasteAll = -4104;
inline constexpr int32_t kPasteValues = -4163;
inline constexpr int32_t kPasteFormats = -4122;
inline constexpr int32_t kPasteFormulas = -4123;
inline constexpr int32_t kPasteComments = -4144;
inline constexpr int32_t kPasteAllExceptBorders = 7;
inline constexpr int32_t kPasteFormulasAndNumberFormats = 11;
inline constexpr int32_t kPasteValuesAndNumberFormats = 12;
inline constexpr int32_t kOperationNone = -4142;
inline constexpr int32_t kOperationAdd = 2;
inline constexpr int32_t kOperationSubtract = 3;
inline constexpr int32_t kOperationMultiply = 4;
inline constexpr int32_t kOperationDivide = 5;

// Borders(index): the diagonals, the four edges, the inside lines.
inline constexpr int32_t kDiagonalDown = 5;
inline constexpr int32_t kDiagonalUp = 6;
inline constexpr int32_t kEdgeLeft = 7;
inline constexpr int32_t kEdgeTop = 8;
inline constexpr int32_t kEdgeBottom = 9;
inline constexpr int32_t kEdgeRight = 10;
inline constexpr int32_t kInsideVertical = 11;
inline constexpr int32_t kInsideHorizontal = 12;

// Border.LineStyle and Border.Weight
inline constexpr int32_t kContinuous = 1;
inline constexpr int32_t kHairline = 1;
inline constexpr int32_t kThin = 2;
inline constexpr int32_t kMedium = -4138;
inline constexpr int32_t kThick = 4;

// Interior.Pattern
inline constexpr int32_t kPatternSolid = 1;

// Workbook.SaveAs FileFormat
inline constexpr int32_t kWorkbookNormal = -4143;
inline constexpr int32_t kExcel7 = 39;
inline constexpr int32_t kExcel8 = 56;
inline constexpr int32_t kOpenXmlWorkbook = 51;
inline constexpr int32_t kOpenDocumentSpreadsheet = 60;
inline constexpr int32_t kCsv = 6;

bool IsPasteType(int32_t value);
bool IsPasteOperation(int32_t value);
bool IsBorderIndex(int32_t value);  // 5 to 12
bool IsLineStyle(int32_t value);
bool IsBorderWeight(int32_t value);
bool IsColorIndex(int32_t value);  // 1 to 56, automatic, none
bool IsPattern(int32_t value);
// A FileFormat SaveAs writes.
bool IsSaveFormat(int32_t value);

}  // namespace tabora::excel::xl
