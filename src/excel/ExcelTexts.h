#pragma once
// Excel's own words for a member of one of its classes that failed (error 1004), as a program
// driving it sees them. Every server words such refusals so, never in its own application's
// terms.

#include <string>
#include <string_view>

namespace tabora::excel {

// "Worksheet クラスの Copy メソッドが失敗しました。"
std::u16string MethodFailedText(std::u16string_view objectClass, std::u16string_view method);
// "Worksheet クラスの Name プロパティを設定できません。"
std::u16string CannotSetText(std::u16string_view objectClass, std::u16string_view property);
// "Range クラスの Value プロパティを取得できません。"
std::u16string CannotGetText(std::u16string_view objectClass, std::u16string_view property);

}  // namespace tabora::excel
