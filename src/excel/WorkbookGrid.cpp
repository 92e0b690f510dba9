#include "excel/WorkbookGrid.h"

#include "excel/CaseFolding.h"

namespace tabora::excel {

WorkbookGrid GridOfWorkbook(std::u16string_view fileName) {
    const size_t dot = fileName.find_last_of(u"./\\");
    if (dot == std::u16string_view::npos || fileName[dot] != u'.') return kLargeGrid;
    return EqualsIgnoringCase(fileName.substr(dot), u".xls") ? kBinaryGrid : kLargeGrid;
}

}  // namespace tabora::excel
