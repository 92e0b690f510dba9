#pragma once
// Excel's FileFormat numbers and the Calc filters that write and read them.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tabora::calc {

// The export filter for a FileFormat; nothing for a format Calc cannot write (refused with 1004).
std::optional<std::u16string> ExportFilter(int32_t fileFormat);
// The FileFormat a document loaded or stored with a filter is in: every filter of the old
// binary family ("MS Excel 97", its template, "MS Excel 95", ...) is one of Excel's binary
// formats, whatever the file's name.
int32_t FileFormatOfFilter(std::u16string_view filter);

}  // namespace tabora::calc
