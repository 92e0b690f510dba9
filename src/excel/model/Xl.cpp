#include "excel/model/Xl.h"

#include <algorithm>
#include <initializer_list>

namespace tabora::excel::xl {

namespace {
bool OneOf(int32_t value, std::initializer_list<int32_t> allowed) {
    return std::find(allowed.begin(), allowed.end(), value) != allowed.end();
}
}  // namespace

bool IsPasteType(int32_t value) {
    return OneOf(value, {kPasteAll, kPasteValues, kPasteFormats, kPasteFormulas, kPasteComments, kPasteAllExceptBorders,
                         6, 8, kPasteFormulasAndNumberFormats, kPasteValuesAndNumberFormats, 13, 14});
}

bool IsPasteOperation(int32_t value) {
    return OneOf(value, {kOperationNone, kOperationAdd, kOperationSubtract, kOperationMultiply, kOperationDivide});
}

bool IsBorderIndex(int32_t value) { return value >= kDiagonalDown && value <= kInsideHorizontal; }

bool IsLineStyle(int32_t value) { return OneOf(value, {kContinuous, -4115, 4, 5, -4118, -4119, 13, kNone}); }

bool IsBorderWeight(int32_t value) { return OneOf(value, {kHairline, kThin, kMedium, kThick}); }

bool IsColorIndex(int32_t value) { return (value >= 1 && value <= 56) || value == kAutomatic || value == kNone; }

bool IsPattern(int32_t value) {
    return OneOf(value, {kAutomatic, 9, 16, -4121, 17, -4124, -4125, -4126, 18, 15, -4128, 13, 11, 14, 12, kNone, 10,
                         kPatternSolid, -4162, -4166});
}

bool IsSaveFormat(int32_t value) {
    return OneOf(value, {kWorkbookNormal, kExcel7, kExcel8, kOpenXmlWorkbook, kOpenDocumentSpreadsheet, kCsv});
}

}  // namespace tabora::excel::xl
