#include "excel/SheetNames.h"

#include <algorithm>

#include "excel/CaseFolding.h"
#include "excel/Conversions.h"

namespace tabora::excel {
namespace {

bool Taken(std::u16string_view name, const std::vector<std::u16string>& existing) {
    return std::any_of(existing.begin(), existing.end(),
                       [&](const std::u16string& other) { return EqualsIgnoringCase(other, name); });
}

// "Name (12)" gives "Name"; anything else stays as it is.
std::u16string_view WithoutCopyNumber(std::u16string_view name) {
    if (name.size() < 4 || name.back() != u')') return name;
    const size_t open = name.rfind(u" (");
    if (open == std::u16string_view::npos || open + 3 >= name.size()) return name;
    for (size_t i = open + 2; i + 1 < name.size(); ++i)
        if (name[i] < u'0' || name[i] > u'9') return name;
    return name.substr(0, open);
}

}  // namespace

std::optional<SheetNameProblem> CheckSheetName(std::u16string_view name) {
    if (name.empty()) return SheetNameProblem::Empty;
    if (name.size() > kMaxSheetNameLength) return SheetNameProblem::TooLong;
    if (name.find_first_of(u":\\/?*[]") != std::u16string_view::npos) return SheetNameProblem::BadCharacter;
    if (name.front() == u'\'' || name.back() == u'\'') return SheetNameProblem::ApostropheAtEnd;
    if (EqualsIgnoringCase(name, u"History")) return SheetNameProblem::Reserved;
    return std::nullopt;
}

std::optional<SheetNameProblem> CheckSheetName(std::u16string_view name, const std::vector<std::u16string>& existing) {
    if (auto problem = CheckSheetName(name)) return problem;
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
    if (!Taken(source, existing)) return std::u16string(source);
    const std::u16string_view base = WithoutCopyNumber(source);
    for (int64_t n = 2;; ++n) {
        const std::u16string suffix = u" (" + conversions::DecimalText(n) + u")";
        std::u16string candidate(base.substr(0, kMaxSheetNameLength - suffix.size()));
        candidate += suffix;
        if (!Taken(candidate, existing)) return candidate;
    }
}

std::u16string NewSheetName(std::u16string_view prefix, const std::vector<std::u16string>& existing) {
    for (int64_t n = 1;; ++n) {
        std::u16string candidate = std::u16string(prefix) + conversions::DecimalText(n);
        if (!Taken(candidate, existing)) return candidate;
    }
}

}  // namespace tabora::excel
