#pragma once
// The two windows as data: their captions, sizes, colours and control tables.

#include "platform/FormDescription.h"

namespace tabora::windows {

platform::FormDescription Frm_TestDescription();
platform::FormDescription Frm_MoreDescription();

// Names of the pictures the platform layers draw (window icon and picture buttons).
namespace picture {
inline constexpr char16_t kAppIcon[] = u"tabora";
inline constexpr char16_t kMagnifier[] = u"magnifier";
inline constexpr char16_t kSpreadsheet[] = u"spreadsheet";
inline constexpr char16_t kGreenArrow[] = u"green_arrow";
inline constexpr char16_t kFolderDocuments[] = u"folder_documents";
inline constexpr char16_t kCopySheet[] = u"copy_sheet";
}  // namespace picture

}  // namespace tabora::windows
