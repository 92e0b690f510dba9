#include "text/NumberText.h"

#include <algorithm>
#include <optional>

#include "text/Digits.h"

namespace tabora::text {

namespace {

struct Pattern {
    bool grouping = false;
    size_t minIntegerDigits = 0;
    size_t minDecimals = 0;
    size_t maxDecimals = 0;
};

Pattern ReadPattern(std::u16string_view pattern) {
    Pattern result;
    const size_t dot = pattern.find(u'.');
    const std::u16string_view integer = pattern.substr(0, dot);
    result.grouping = integer.find(u',') != std::u16string_view::npos;
    result.minIntegerDigits = static_cast<size_t>(std::count(integer.begin(), integer.end(), u'0'));
    if (dot != std::u16string_view::npos) {
        const std::u16string_view decimals = pattern.substr(dot + 1);
        result.minDecimals = static_cast<size_t>(std::count(decimals.begin(), decimals.end(), u'0'));
        result.maxDecimals = result.minDecimals + static_cast<size_t>(std::count(decimals.begin(), decimals.end(), u'#'));
    }
    return result;
}

struct Number {
    bool negative = false;
    std::u16string integer;   // digits only
    std::u16string decimals;  // digits only
};

std::optional<Number> ReadNumber(std::u16string_view text) {
    Number number;
    if (!text.empty() && text.front() == u'-') {
        number.negative = true;
        text.remove_prefix(1);
    }
    const size_t dot = text.find(u'.');
    const std::u16string_view integer = text.substr(0, dot);
    const std::u16string_view decimals = dot == std::u16string_view::npos ? std::u16string_view() : text.substr(dot + 1);

    const size_t firstDigit = integer.find_first_not_of(u',');
    const size_t lastDigit = integer.find_last_not_of(u',');
    if (firstDigit != 0 && !integer.empty()) return std::nullopt;  // "," before the first digit
    if (!integer.empty() && lastDigit != integer.size() - 1) return std::nullopt;  // "," after the last
    for (char16_t c : integer) {
        if (IsDigit(c)) number.integer.push_back(c);
        else if (c != u',') return std::nullopt;
    }
    for (char16_t c : decimals) {
        if (!IsDigit(c)) return std::nullopt;  // a second ".", a "," or anything else
        number.decimals.push_back(c);
    }
    if (number.integer.empty() && number.decimals.empty()) return std::nullopt;
    return number;
}

// Adds one unit in the last place of digits; true when it carries out of the first.
bool Increment(std::u16string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != u'9') {
            ++*it;
            return false;
        }
        *it = u'0';
    }
    return true;
}

void Round(Number& number, size_t decimals) {
    if (number.decimals.size() <= decimals) return;
    const bool up = number.decimals[decimals] >= u'5';
    number.decimals.resize(decimals);
    if (!up) return;
    if (Increment(number.decimals) && Increment(number.integer)) number.integer.insert(0, 1, u'1');
}

std::u16string Grouped(std::u16string_view digits) {
    std::u16string out;
    out.reserve(digits.size() + digits.size() / 3);
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out.push_back(u',');
        out.push_back(digits[i]);
    }
    return out;
}

}  // namespace

std::u16string FormatNumberText(std::u16string_view text, std::u16string_view pattern) {
    std::optional<Number> number = ReadNumber(text);
    if (!number) return std::u16string(text);
    const Pattern form = ReadPattern(pattern);

    Round(*number, form.maxDecimals);
    std::u16string& integer = number->integer;
    integer.erase(0, std::min(integer.find_first_not_of(u'0'), integer.size()));
    if (integer.size() < form.minIntegerDigits) integer.insert(0, form.minIntegerDigits - integer.size(), u'0');
    std::u16string& decimals = number->decimals;
    while (decimals.size() > form.minDecimals && decimals.back() == u'0') decimals.pop_back();
    if (decimals.size() < form.minDecimals) decimals.append(form.minDecimals - decimals.size(), u'0');

    const auto isZero = [](const std::u16string& digits) {
        return digits.find_first_not_of(u'0') == std::u16string::npos;
    };
    std::u16string out;
    if (number->negative && !(isZero(integer) && isZero(decimals))) out.push_back(u'-');
    out.append(form.grouping ? Grouped(integer) : integer);
    if (!decimals.empty()) {
        out.push_back(u'.');
        out.append(decimals);
    }
    return out;
}

}  // namespace tabora::text
