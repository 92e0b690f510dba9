#include "excel/Conversions.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "excel/CaseFolding.h"
#include "platform/RuntimeError.h"
#include "text/Digits.h"

namespace tabora::conversions {

namespace {

using text::IsDigit;

// The parts of "[sign]digits[.digits]" (at least one digit in all), or nothing.
struct DecimalParts {
    bool negative = false;
    std::u16string_view integer;
    std::u16string_view fraction;
};

std::optional<DecimalParts> SplitDecimal(std::u16string_view text) {
    DecimalParts parts;
    if (!text.empty() && (text[0] == u'-' || text[0] == u'+')) {
        parts.negative = text[0] == u'-';
        text.remove_prefix(1);
    }
    const size_t point = text.find(u'.');
    parts.integer = text.substr(0, point);
    parts.fraction = point == std::u16string_view::npos ? std::u16string_view{} : text.substr(point + 1);
    auto allDigits = [](std::u16string_view s) {
        for (char16_t c : s)
            if (!IsDigit(c)) return false;
        return true;
    };
    if (!allDigits(parts.integer) || !allDigits(parts.fraction)) return std::nullopt;
    if (parts.integer.empty() && parts.fraction.empty()) return std::nullopt;
    return parts;
}

std::u16string Widen(const char* ascii) {
    std::u16string out;
    for (; *ascii != '\0'; ++ascii) out.push_back(static_cast<char16_t>(*ascii));
    return out;
}

std::u16string DoubleToText(double value) {
    if (value == 0) return u"0";
    // Fifteen significant digits, exponent form from 1E+15 and below 1E-4, as Basic writes them.
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15G", value);
    std::string text = buffer;
    const size_t e = text.find('E');
    if (e != std::string::npos) {
        std::string mantissa = text.substr(0, e);
        std::string exponent = text.substr(e + 1);
        const char sign = exponent[0];
        exponent = exponent.substr(1);
        while (exponent.size() > 2 && exponent[0] == '0') exponent.erase(0, 1);
        text = mantissa + "E" + sign + exponent;
    }
    return Widen(text.c_str());
}

// Days since 1899-12-30 to a civil date (proleptic Gregorian).
void SerialToDate(int64_t serial, int64_t& year, unsigned& month, unsigned& day) {
    const int64_t days = serial - 25569 + 719468;  // 1970-01-01 is serial 25569
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const auto doe = static_cast<unsigned>(days - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = doy - (153 * mp + 2) / 5 + 1;
    month = mp < 10 ? mp + 3 : mp - 9;
    year = static_cast<int64_t>(yoe) + era * 400 + (month <= 2 ? 1 : 0);
}

std::u16string DateToText(double serial) {
    // The whole-day part counts days; the fraction is the time of day, also for negative serials.
    const double wholeDays = std::trunc(serial);
    int64_t seconds = std::llround(std::fabs(serial - wholeDays) * 86400.0);
    int64_t dayNumber = static_cast<int64_t>(wholeDays);
    if (seconds >= 86400) {
        seconds -= 86400;
        dayNumber += serial < 0 ? -1 : 1;
    }
    char buffer[64];
    std::string text;
    if (dayNumber != 0) {
        int64_t year;
        unsigned month, day;
        SerialToDate(dayNumber, year, month, day);
        std::snprintf(buffer, sizeof buffer, "%04lld/%02u/%02u", static_cast<long long>(year), month, day);
        text = buffer;
    }
    if (seconds != 0 || dayNumber == 0) {
        std::snprintf(buffer, sizeof buffer, "%lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                      static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
        text += text.empty() ? buffer : std::string(" ") + buffer;
    }
    return Widen(text.c_str());
}

}  // namespace

std::u16string_view TrimBlanks(std::u16string_view text) {
    while (!text.empty() && text.front() == u' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == u' ') text.remove_suffix(1);
    return text;
}

std::optional<double> NumberFromText(std::u16string_view text) {
    text = TrimBlanks(text);
    // Only the plain shape: sign, digits, point, exponent (no hexadecimal, no "inf").
    size_t i = 0;
    std::string ascii;
    const auto take = [&](auto accept) {
        size_t count = 0;
        while (i < text.size() && accept(text[i])) {
            ascii.push_back(static_cast<char>(text[i++]));
            ++count;
        }
        return count;
    };
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-') ascii.push_back('-');
        ++i;
    }
    size_t digits = take(IsDigit);
    if (i < text.size() && text[i] == u'.') {
        ascii.push_back('.');
        ++i;
        digits += take(IsDigit);
    }
    if (digits == 0) return std::nullopt;
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        ascii.push_back('e');
        ++i;
        take([](char16_t c) { return c == u'+' || c == u'-'; });
        if (take(IsDigit) == 0) return std::nullopt;
    }
    if (i != text.size()) return std::nullopt;
    double value = 0;
    const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (result.ec != std::errc{} || result.ptr != ascii.data() + ascii.size()) return std::nullopt;
    return value;
}

bool TextToBoolean(std::u16string_view text) {
    const std::u16string_view word = TrimBlanks(text);
    if (excel::EqualsIgnoringCase(word, u"True")) return true;
    if (excel::EqualsIgnoringCase(word, u"False")) return false;
    const auto number = NumberFromText(word);
    if (!number) throw vb_error::Raise(vb_error::kTypeMismatch);
    return *number != 0;  // by its value, not rounded first: "0.4" is True
}

std::u16string BooleanToText(bool value) { return value ? u"True" : u"False"; }

std::optional<int32_t> ParseWholeNumber(std::u16string_view text) {
    const auto parts = SplitDecimal(TrimBlanks(text));
    if (!parts) return std::nullopt;
    constexpr int64_t kLimit = int64_t{1} << 32;  // anything beyond cannot fit after rounding
    int64_t magnitude = 0;
    for (char16_t c : parts->integer) {
        magnitude = magnitude * 10 + (c - u'0');
        if (magnitude > kLimit) return std::nullopt;
    }
    // Round half to even on the digits as written: no binary fractions involved.
    if (!parts->fraction.empty()) {
        const char16_t first = parts->fraction[0];
        const bool restNonZero = parts->fraction.substr(1).find_first_not_of(u'0') != std::u16string_view::npos;
        if (first > u'5' || (first == u'5' && (restNonZero || magnitude % 2 == 1))) ++magnitude;
    }
    const int64_t value = parts->negative ? -magnitude : magnitude;
    if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
    return static_cast<int32_t>(value);
}

std::u16string DecimalText(int64_t number) { return Widen(std::to_string(number).c_str()); }

std::u16string ValueToText(const Variant& value) {
    switch (value.Type()) {
        case VariantType::Empty: return {};
        case VariantType::Boolean: return BooleanToText(value.AsBoolean());
        case VariantType::Integer: return DecimalText(value.AsInteger());
        case VariantType::Long: return DecimalText(value.AsLong());
        case VariantType::Double: return DoubleToText(value.AsDouble());
        case VariantType::Date: return DateToText(value.AsDate().serial);
        case VariantType::String: return value.AsString();
        case VariantType::Error: return u"Error " + DecimalText(value.AsCellError().code);
        default: throw vb_error::Raise(vb_error::kTypeMismatch);
    }
}

}  // namespace tabora::conversions
