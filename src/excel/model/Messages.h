#pragma once
// Excel's own words for what it refuses, as a Japanese Excel says them.

#include <string>
#include <string_view>

namespace tabora::excel::messages {

// "<Class> クラスの <Member> メソッドが失敗しました。"
std::u16string MethodFailed(std::u16string_view objectClass, std::u16string_view member);
// "<Class> クラスの <Member> プロパティを設定できません。"
std::u16string CannotSet(std::u16string_view objectClass, std::u16string_view member);
// "<Class> クラスの <Member> プロパティを取得できません。"
std::u16string CannotGet(std::u16string_view objectClass, std::u16string_view member);
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
