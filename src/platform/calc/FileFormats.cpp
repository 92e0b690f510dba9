#include "platform/calc/FileFormats.h"

#include "excel/WorkbookGrid.h"
#include "excel/model/Xl.h"

namespace tabora::calc {
namespace xl = excel::xl;

namespace {
constexpr char16_t kExcel97[] = u"MS Excel 97";
constexpr char16_t kExcel2007[] = u"Calc MS Excel 2007 XML";
constexpr char16_t kOds[] = u"calc8";
constexpr char16_t kCsv[] = u"Text - txt - csv (StarCalc)";
}  // namespace

std::optional<std::u16string> ExportFilter(int32_t fileFormat) {
    if (excel::IsBinaryFormat(fileFormat)) return kExcel97;
    switch (fileFormat) {
        case xl::kOpenXmlWorkbook: return kExcel2007;
        case xl::kOpenDocumentSpreadsheet: return kOds;
        case xl::kCsv: return kCsv;
        default: return std::nullopt;
    }
}

int32_t FileFormatOfFilter(std::u16string_view filter) {
    if (filter.starts_with(u"MS Excel ")) return xl::kExcel8;
    if (filter == kOds) return xl::kOpenDocumentSpreadsheet;
    if (filter == kCsv) return xl::kCsv;
    return xl::kOpenXmlWorkbook;
}

}  // namespace tabora::calc
