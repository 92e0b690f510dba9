#pragma once
// For benchmarks that compare the server with bare UNO calls: the Calc document behind a
// workbook object of this server. Includes UNO headers: nothing of the system uses it.

#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>

#include "excel/Automation.h"

namespace tabora::calc {

// The document, or an empty reference for an object that is not a Calc workbook.
css::uno::Reference<css::sheet::XSpreadsheetDocument> DocumentOf(const ObjectRef& workbook);

}  // namespace tabora::calc
