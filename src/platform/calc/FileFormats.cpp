#include "platform/calc/FileFormats.h"

#include "excel/WorkbookGrid.h"
#include "platform/calc/MemberCall.h"

namespace tabora::calc {
namespace {

constexpr char16_t kExcel97[] = u"MS Excel 97";
constexpr char16_t kExcel2007[] = u"Calc MS Excel 2007 XML";
constexpr char16_t kOds[] = u"calc8";
constexpr char16_t kCsv[] = u"Text - txt - csv (StarCalc)";

std::u16string_view Extension(std::u16string_view path) {
    size_t slash = path.find_last_of(u'/');
    size_t dot = path.rfind(u'.');
    if (dot == std::u16string_view::npos || (slash != std::u16string_view::npos && dot < slash)) return {};
    return path.substr(dot + 1);
}

}  // namespace

std::optional<std::u16string> ExportFilter(std::u16string_view path, int32_t fileFormat) {
    // Excel's own rule, which also decides the workbook's grid.
    if (excel::SavesBinaryFormat(path, fileFormat)) return kExcel97;
    switch (fileFormat) {
        case 0:
            break;
        case 51: return kExcel2007;  // xlOpenXMLWorkbook
        case 60: return kOds;        // xlOpenDocumentSpreadsheet
        case 6: return kCsv;         // xlCSV
        default: return std::nullopt;
    }
    std::u16string_view ext = Extension(path);
    if (SameName(ext, u"xlsx")) return kExcel2007;
    if (SameName(ext, u"ods")) return kOds;
    if (SameName(ext, u"csv")) return kCsv;
    return std::nullopt;
}

}  // namespace tabora::calc
