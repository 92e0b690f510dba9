#pragma once
// The question Excel asks before it closes a workbook with unsaved changes, when it is told
// neither to save nor to discard them and alerts are on: Yes saves, No discards, Cancel keeps
// the workbook open and makes the Close fail.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/MessageBoxService.h"

namespace tabora::excel {

inline constexpr int32_t kSaveChangesStyle = platform::mb::kYesNoCancel + platform::mb::kExclamation;
inline constexpr char16_t kSaveChangesTitle[] = u"Microsoft Excel";

// "'Book1.xls' への変更を保存しますか?", naming the workbook as its Name does.
std::u16string SaveChangesQuestion(std::u16string_view workbookName);

}  // namespace tabora::excel
