#pragma once
// The Calc export filter for a file Excel would save: by Excel's FileFormat number when given,
// else by the file's extension.

#include <optional>
#include <string>
#include <string_view>

namespace tabora::calc {

// Filter name; nothing for a format Calc cannot write (the caller refuses it with 1004).
// fileFormat 0 means "not given".
std::optional<std::u16string> ExportFilter(std::u16string_view path, int32_t fileFormat = 0);

}  // namespace tabora::calc
