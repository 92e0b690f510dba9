#include "excel/WorkbookGrid.h"

#include "excel/CaseFolding.h"

namespace tabora::excel {

namespace {
// ".xls" of "/a/Book.xls"; empty when the file name has no extension.
std::u16string_view ExtensionOf(std::u16string_view path) {
    const size_t dot = path.find_last_of(u"./\\");
    if (dot == std::u16string_view::npos || path[dot] != u'.') return {};
    return path.substr(dot);
}
}  // namespace

WorkbookGrid GridOfWorkbook(std::u16string_view fileName) {
    return EqualsIgnoringCase(ExtensionOf(fileName), u".xls") ? kBinaryGrid : kLargeGrid;
}

bool SavesBinaryFormat(std::u16string_view path, int32_t fileFormat) {
    constexpr int32_t kXlWorkbookNormal = -4143, kXlExcel8 = 56, kXlExcel7 = 39;
    if (fileFormat != 0)
        return fileFormat == kXlWorkbookNormal || fileFormat == kXlExcel8 || fileFormat == kXlExcel7;
    const std::u16string_view extension = ExtensionOf(path);
    return extension.empty() || EqualsIgnoringCase(extension, u".xls");
}

}  // namespace tabora::excel
