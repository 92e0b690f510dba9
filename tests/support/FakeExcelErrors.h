#pragma once
// The errors Excel raises, numbered and worded as a Visual Basic program sees them, for tests to
// make calls of the Excel double fail with and to expect.

#include <string>
#include <string_view>

#include "platform/RuntimeError.h"

namespace tabora::test::excel_error {

inline constexpr char16_t kExcelSource[] = u"Microsoft Excel";

using vb_error::kApplicationDefined;
using vb_error::kArgumentNotOptional;
using vb_error::kCannotCreateObject;  // Excel is not installed
using vb_error::kNamedArgumentNotFound;
using vb_error::kWrongArgumentCount;
inline constexpr int32_t kObjectDeleted = -2147221080;  // 0x800401A8: the sheet or workbook is gone
inline constexpr int32_t kDisconnected = vb_error::kObjectDisconnected;  // the instance has ended

// "<Class> クラスの <Member> メソッドが失敗しました。", number 1004, source Microsoft Excel.
ErrorRecord MethodFailed(std::u16string_view objectClass, std::u16string_view member);
// "<Class> クラスの <Member> プロパティを設定できません。"
ErrorRecord CannotSet(std::u16string_view objectClass, std::u16string_view member);
// "<Class> クラスの <Member> プロパティを取得できません。"
ErrorRecord CannotGet(std::u16string_view objectClass, std::u16string_view member);
ErrorRecord ApplicationDefined();
ErrorRecord FileNotFound(std::u16string_view path);
ErrorRecord NotAWorkbook(std::u16string_view path);
ErrorRecord SameNameOpen(std::u16string_view workbookName);
ErrorRecord CannotSaveTo(std::u16string_view path);

// Raised by the automation layer itself, not by Excel (source as for the program's own errors).
ErrorRecord Program(int32_t number);
ErrorRecord ExcelNotInstalled();
ErrorRecord ObjectDeleted();
ErrorRecord Disconnected();

}  // namespace tabora::test::excel_error
