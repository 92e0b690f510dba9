#pragma once
// Excel's own words for what it refuses, as a Japanese Excel says them.

#include <string>
#include <string_view>

#include "excel/ExcelTexts.h"

namespace tabora::excel::messages {

// A member that failed: in excel/ExcelTexts.h, which every server shares.
using excel::CannotGetText;
using excel::CannotSetText;
using excel::MethodFailedText;
std::u16string FileNotFound(std::u16string_view path);
std::u16string NotAWorkbook(std::u16string_view path);
std::u16string CannotOpen(std::u16string_view path);
std::u16string SameNameOpen(std::u16string_view workbookName);
std::u16string CannotSaveTo(std::u16string_view path);
std::u16string ReadOnlyCannotSave(std::u16string_view workbookName);
std::u16string FormatCannotBeSaved();
// A sheet that is the only visible one can be neither hidden nor deleted.
std::u16string LastVisibleSheet();
std::u16string StructureProtected();

}  // namespace tabora::excel::messages
