#pragma once
// The office's own file-open dialog, as Excel's GetOpenFilename shows one.

#include <optional>
#include <string>

#include "platform/calc/OfficeInstance.h"

namespace tabora::calc {

// filter as Excel writes it: "description, pattern[, description, pattern...]".
// The chosen file's full path, or nothing when the user cancels.
std::optional<std::u16string> PickFileToOpen(OfficeInstance& office, const std::u16string& filter,
                                             const std::u16string& title);

}  // namespace tabora::calc
