#include "text/DateTimeText.h"

namespace tabora::text {

std::u16string WithoutChars(std::u16string_view text, std::u16string_view remove) {
    std::u16string out;
    out.reserve(text.size());
    for (char16_t c : text)
        if (remove.find(c) == std::u16string_view::npos) out.push_back(c);
    return out;
}

std::optional<std::u16string> DateDisplayForm(std::u16string_view digits, bool japanese) {
    const std::u16string year(digits.substr(0, 4));
    if (digits.size() == 8) {
        const std::u16string month(digits.substr(4, 2)), day(digits.substr(6, 2));
        return japanese ? year + u"年" + month + u"月" + day + u"日" : year + u"/" + month + u"/" + day;
    }
    if (digits.size() == 6) {
        const std::u16string month(digits.substr(4, 2));
        return japanese ? year + u"年" + month + u"月" : year + u"/" + month;
    }
    return std::nullopt;
}

std::optional<std::u16string> TimeDisplayForm(std::u16string_view digits) {
    if (digits.size() != 4 && digits.size() != 6) return std::nullopt;
    std::u16string out(digits.substr(0, 2));
    for (size_t at = 2; at < digits.size(); at += 2) out += u":" + std::u16string(digits.substr(at, 2));
    return out;
}

}  // namespace tabora::text
