#include "excel/ExcelTexts.h"

namespace tabora::excel {
namespace {
std::u16string MemberOf(std::u16string_view objectClass, std::u16string_view member) {
    return std::u16string(objectClass) + u" クラスの " + std::u16string(member);
}
}  // namespace

std::u16string MethodFailedText(std::u16string_view objectClass, std::u16string_view method) {
    return MemberOf(objectClass, method) + u" メソッドが失敗しました。";
}

std::u16string CannotSetText(std::u16string_view objectClass, std::u16string_view property) {
    return MemberOf(objectClass, property) + u" プロパティを設定できません。";
}

std::u16string CannotGetText(std::u16string_view objectClass, std::u16string_view property) {
    return MemberOf(objectClass, property) + u" プロパティを取得できません。";
}

}  // namespace tabora::excel
