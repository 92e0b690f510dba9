#include "text/DateTimeText.h"

#include <initializer_list>
#include <utility>

namespace tabora::text {

std::u16string WithoutChars(std::u16string_view text, std::u16string_view remove) {
    std::u16string out;
    out.reserve(text.size());
    for (char16_t c : text)
        if (remove.find(c) == std::u16string_view::npos) out.push_back(c);
    return out;
}

namespace {
// digits cut after the given lengths, each piece followed by its mark.
std::u16string Joined(std::u16string_view digits, std::initializer_list<std::pair<size_t, std::u16string_view>> pieces) {
    std::u16string out;
    out.reserve(digits.size() + 2 * pieces.size());
    size_t at = 0;
    for (const auto& [length, mark] : pieces) {
        out.append(digits.substr(at, length));
        out.append(mark);
        at += length;
    }
    return out;
}
}  // namespace

std::optional<std::u16string> DateDisplayForm(std::u16string_view digits, bool japanese) {
    if (digits.size() == 8)
        return japanese ? Joined(digits, {{4, u"年"}, {2, u"月"}, {2, u"日"}}) : Joined(digits, {{4, u"/"}, {2, u"/"}, {2, u""}});
    if (digits.size() == 6) return japanese ? Joined(digits, {{4, u"年"}, {2, u"月"}}) : Joined(digits, {{4, u"/"}, {2, u""}});
    return std::nullopt;
}

std::optional<std::u16string> TimeDisplayForm(std::u16string_view digits) {
    if (digits.size() == 4) return Joined(digits, {{2, u":"}, {2, u""}});
    if (digits.size() == 6) return Joined(digits, {{2, u":"}, {2, u":"}, {2, u""}});
    return std::nullopt;
}

}  // namespace tabora::text
