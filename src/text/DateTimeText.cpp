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
bool IsSurrogatePair(std::u16string_view text, size_t at) {
    return at + 1 < text.size() && text[at] >= 0xD800 && text[at] <= 0xDBFF && text[at + 1] >= 0xDC00 &&
           text[at + 1] <= 0xDFFF;
}

// Where the character after count characters from at begins: a surrogate pair is one character,
// so that no mark ever falls between its halves.
size_t AfterCharacters(std::u16string_view text, size_t at, size_t count) {
    for (; count > 0 && at < text.size(); --count) at += IsSurrogatePair(text, at) ? 2 : 1;
    return at;
}

size_t CharacterCount(std::u16string_view text) {
    size_t count = 0;
    for (size_t at = 0; at < text.size(); at = AfterCharacters(text, at, 1)) ++count;
    return count;
}

// digits cut after the given numbers of characters, each piece followed by its mark.
std::u16string Joined(std::u16string_view digits, std::initializer_list<std::pair<size_t, std::u16string_view>> pieces) {
    std::u16string out;
    out.reserve(digits.size() + 2 * pieces.size());
    size_t at = 0;
    for (const auto& [length, mark] : pieces) {
        const size_t end = AfterCharacters(digits, at, length);
        out.append(digits.substr(at, end - at));
        out.append(mark);
        at = end;
    }
    return out;
}
}  // namespace

std::optional<std::u16string> DateDisplayForm(std::u16string_view digits, bool japanese) {
    const size_t length = CharacterCount(digits);
    if (length == 8)
        return japanese ? Joined(digits, {{4, u"年"}, {2, u"月"}, {2, u"日"}}) : Joined(digits, {{4, u"/"}, {2, u"/"}, {2, u""}});
    if (length == 6) return japanese ? Joined(digits, {{4, u"年"}, {2, u"月"}}) : Joined(digits, {{4, u"/"}, {2, u""}});
    return std::nullopt;
}

std::optional<std::u16string> TimeDisplayForm(std::u16string_view digits) {
    const size_t length = CharacterCount(digits);
    if (length == 4) return Joined(digits, {{2, u":"}, {2, u""}});
    if (length == 6) return Joined(digits, {{2, u":"}, {2, u":"}, {2, u""}});
    return std::nullopt;
}

}  // namespace tabora::text
