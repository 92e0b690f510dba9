// FormatNumberText on any text: a number comes out in the pattern's form, formatting its own
// result again changes nothing, and grouping only adds commas.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "text/Digits.h"
#include "text/NumberText.h"

namespace {

constexpr std::u16string_view kPatterns[] = {u"#,###,###,###,##0", u"#,###,###,###,##0.0#####", u"############0",
                                             u"############0.0#####"};

void Check(bool condition) {
    if (!condition) std::abort();
}

using tabora::text::IsDigit;

// [-]digits with "," every three from the right when grouped, then "." and 1 to 6 digits with
// decimals; no leading zero, no "-0".
bool IsInForm(std::u16string_view out, bool grouped, bool decimals) {
    const bool negative = !out.empty() && out[0] == u'-';
    if (negative) out.remove_prefix(1);
    const size_t dot = out.find(u'.');
    if (decimals != (dot != std::u16string_view::npos)) return false;
    const std::u16string_view integer = out.substr(0, dot);
    if (integer.empty() || (integer.size() > 1 && integer[0] == u'0')) return false;
    if (grouped && integer.size() % 4 == 0) return false;  // would begin with a comma
    for (size_t i = 0; i < integer.size(); ++i) {
        const bool commaPlace = grouped && (integer.size() - i) % 4 == 0;
        if (commaPlace ? integer[i] != u',' : !IsDigit(integer[i])) return false;
    }
    if (decimals) {
        const std::u16string_view fraction = out.substr(dot + 1);
        if (fraction.empty() || fraction.size() > 6) return false;
        for (char16_t c : fraction)
            if (!IsDigit(c)) return false;
        if (fraction.size() > 1 && fraction.back() == u'0') return false;
    }
    if (negative && out.find_first_not_of(u"0,.") == std::u16string_view::npos) return false;
    return true;
}

std::u16string WithoutCommas(std::u16string text) {
    std::erase(text, u',');
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const size_t which = data[0] % 2;  // whole or decimal
    std::u16string text;
    // Mostly the characters of numbers, so that the reading is reached often.
    constexpr char16_t kAlphabet[] = u"0123456789,.-0959x ";
    for (size_t i = 1; i < size; ++i)
        text.push_back(data[i] < 0xE0 ? kAlphabet[data[i] % (std::size(kAlphabet) - 1)] : static_cast<char16_t>(data[i] << 4));

    const std::u16string_view grouped = kPatterns[which];
    const std::u16string_view plain = kPatterns[which + 2];
    const std::u16string display = tabora::text::FormatNumberText(text, grouped);
    const std::u16string editing = tabora::text::FormatNumberText(text, plain);
    if (display == text && editing == text) {
        return 0;  // no number, or already in both forms (only possible without commas)
    }
    Check(IsInForm(display, true, which == 1));
    Check(IsInForm(editing, false, which == 1));
    Check(WithoutCommas(display) == editing);
    Check(tabora::text::FormatNumberText(display, grouped) == display);
    Check(tabora::text::FormatNumberText(editing, plain) == editing);
    Check(tabora::text::FormatNumberText(display, plain) == editing);
    return 0;
}
