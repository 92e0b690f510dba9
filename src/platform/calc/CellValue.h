#pragma once
// Cell values as Excel gives and takes them.

#include <com/sun/star/table/XCell.hpp>

#include "excel/Variant.h"
#include "platform/calc/DocumentAccess.h"

namespace tabora::calc {

// Empty, Double, Date (a date-formatted number), Boolean (a number with a logical format),
// String, or an Excel error value (#N/A, #DIV/0!, ...) for a formula that failed.
Variant ReadCellValue(const DocumentRef& document, const css::uno::Reference<css::table::XCell>& cell);

// A string is read as Excel reads typed input: a number becomes a number, "=..." a formula in
// Excel's own syntax, anything else text. Numbers, Booleans and dates are kept as they are.
void WriteCellValue(const DocumentRef& document, const css::uno::Reference<css::table::XCell>& cell,
                    const Variant& value);

// Excel's CVErr code for a Calc formula error code.
int32_t ExcelErrorCode(int32_t calcError);

}  // namespace tabora::calc
