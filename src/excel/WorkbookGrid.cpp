#include "excel/WorkbookGrid.h"

#include "excel/CaseFolding.h"
#include "excel/model/Xl.h"

namespace tabora::excel {

std::optional<int32_t> FileFormatFor(std::u16string_view path) {
    const size_t dot = path.find_last_of(u"./\\");
    const std::u16string_view extension = dot == std::u16string_view::npos || path[dot] != u'.' ? u"" : path.substr(dot + 1);
    if (extension.empty() || EqualsIgnoringCase(extension, u"xls")) return xl::kExcel8;
    if (EqualsIgnoringCase(extension, u"xlsx")) return xl::kOpenXmlWorkbook;
    if (EqualsIgnoringCase(extension, u"ods")) return xl::kOpenDocumentSpreadsheet;
    if (EqualsIgnoringCase(extension, u"csv")) return xl::kCsv;
    return std::nullopt;
}

bool IsBinaryFormat(int32_t fileFormat) {
    return fileFormat == xl::kExcel8 || fileFormat == xl::kExcel7 || fileFormat == xl::kWorkbookNormal;
}

WorkbookGrid GridOfFormat(std::optional<int32_t> fileFormat) {
    return fileFormat && IsBinaryFormat(*fileFormat) ? kBinaryGrid : kLargeGrid;
}

}  // namespace tabora::excel
