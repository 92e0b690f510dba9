#include "platform/calc/SheetNameRules.h"

#include <algorithm>
#include <string>

namespace tabora::calc {
namespace {

char16_t Fold(char16_t c) {
    if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 32);
    if (c >= u'ａ' && c <= u'ｚ') return static_cast<char16_t>(c - 32);
    if (c >= 0x00E0 && c <= 0x00FE && c != 0x00F7) return static_cast<char16_t>(c - 32);  // Latin-1
    return c;
}

bool Taken(std::u16string_view name, const std::vector<std::u16string>& existing) {
    return std::any_of(existing.begin(), existing.end(),
                       [&](const std::u16string& other) { return SameSheetName(other, name); });
}

std::u16string Number(int n) {
    std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
}

// "Name (12)" gives "Name"; anything else stays as it is.
std::u16string_view WithoutCopyNumber(std::u16string_view name) {
    if (name.size() < 4 || name.back() != u')') return name;
    size_t open = name.rfind(u" (");
    if (open == std::u16string_view::npos || open + 3 >= name.size()) return name;
    for (size_t i = open + 2; i + 1 < name.size(); ++i)
        if (name[i] < u'0' || name[i] > u'9') return name;
    return name.substr(0, open);
}

}  // namespace

bool SameSheetName(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Fold(a[i]) != Fold(b[i])) return false;
    return true;
}

std::optional<SheetNameProblem> CheckSheetName(std::u16string_view name,
                                               const std::vector<std::u16string>& existing) {
    if (name.empty()) return SheetNameProblem::Empty;
    if (name.size() > kMaxSheetNameLength) return SheetNameProblem::TooLong;
    if (name.find_first_of(u":\\/?*[]") != std::u16string_view::npos) return SheetNameProblem::BadCharacter;
    if (name.front() == u'\'' || name.back() == u'\'') return SheetNameProblem::ApostropheAtEnd;
    if (SameSheetName(name, u"History")) return SheetNameProblem::Reserved;
    if (Taken(name, existing)) return SheetNameProblem::Taken;
    return std::nullopt;
}

std::u16string SheetNameMessage(SheetNameProblem problem) {
    switch (problem) {
        case SheetNameProblem::Taken:
            return u"シート名を他のシート、Visual Basic で参照されるオブジェクト ライブラリ、またはワークシートと"
                   u"同じ名前に変更することはできません。";
        case SheetNameProblem::Reserved:
            return u"シート名 \"History\" は Excel で予約されています。";
        default:
            return u"シート名またはグラフ名に入力した名前が正しくありません。次の点を確認してください。"
                   u"・入力文字が 31 文字以内であること。・次の文字が含まれていないこと: : \\ / ? * [ ]"
                   u"・名前が空白でないこと。";
    }
}

std::u16string CopyName(std::u16string_view source, const std::vector<std::u16string>& existing) {
    std::u16string_view base = WithoutCopyNumber(source);
    for (int n = 2;; ++n) {
        std::u16string suffix = u" (" + Number(n) + u")";
        std::u16string candidate(base.substr(0, kMaxSheetNameLength - suffix.size()));
        candidate += suffix;
        if (!Taken(candidate, existing)) return candidate;
    }
}

}  // namespace tabora::calc
