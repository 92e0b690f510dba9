#include "platform/calc/CalcDiagnostics.h"

#include "platform/calc/CalcWorkbook.h"

namespace tabora::calc {

css::uno::Reference<css::sheet::XSpreadsheetDocument> DocumentOf(const ObjectRef& workbook) {
    auto* calc = dynamic_cast<CalcWorkbook*>(workbook.get());
    return calc == nullptr ? css::uno::Reference<css::sheet::XSpreadsheetDocument>() : calc->Document();
}

}  // namespace tabora::calc
