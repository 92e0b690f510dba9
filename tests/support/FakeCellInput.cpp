#include "support/FakeCellInput.h"

#include <optional>
#include <string>

#include "excel/Conversions.h"
#include "support/FakeStrings.h"

namespace tabora::test {

namespace {
using conversions::TrimBlanks;

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

}  // namespace

std::optional<double> NumberFromText(std::u16string_view text) {
    text = TrimBlanks(text);
    const bool percent = !text.empty() && text.back() == u'%';
    if (percent) text.remove_suffix(1);
    const auto value = conversions::NumberFromText(text);
    if (!value || !percent) return value;
    return *value / 100;
}

namespace {

std::optional<double> DateFromText(std::u16string_view text) {
    text = TrimBlanks(text);
    int parts[3] = {0, 0, 0};
    size_t i = 0;
    char16_t separator = 0;
    for (int part = 0; part < 3; ++part) {
        if (part > 0) {
            if (i >= text.size() || (text[i] != u'/' && text[i] != u'-')) return std::nullopt;
            if (separator != 0 && text[i] != separator) return std::nullopt;
            separator = text[i++];
        }
        const size_t start = i;
        while (i < text.size() && IsDigit(text[i]) && i - start < 4) parts[part] = parts[part] * 10 + (text[i++] - u'0');
        if (i == start || (part == 0 && i - start != 4) || (part > 0 && i - start > 2)) return std::nullopt;
    }
    if (i != text.size()) return std::nullopt;
    const int year = parts[0], month = parts[1], day = parts[2];
    static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    if (year < 1901 || month < 1 || month > 12 || day < 1 || day > kDays[month - 1] || (month == 2 && day == 29 && !leap)) {
        return std::nullopt;
    }
    return DateSerial(year, month, day);
}

Variant TypedText(std::u16string_view text, std::u16string& formula) {
    if (text.empty()) return {};
    if (text.front() == u'\'') return Variant(text.substr(1));
    if (text.front() == u'=' && text.size() > 1) {
        formula = std::u16string(text);
        return Variant(text);
    }
    if (EqualsIgnoringCase(TrimBlanks(text), u"TRUE")) return Variant(true);
    if (EqualsIgnoringCase(TrimBlanks(text), u"FALSE")) return Variant(false);
    if (const auto number = NumberFromText(text)) return Variant(*number);
    if (const auto date = DateFromText(text)) return Variant(DateValue{*date});
    return Variant(text);
}
}  // namespace

double DateSerial(int year, int month, int day) {
    // Days from the civil calendar (proleptic Gregorian), shifted to Excel's epoch.
    year -= month <= 2 ? 1 : 0;
    const int era = year / 400;
    const int yearOfEra = year - era * 400;
    const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    const int daysSince1970 = era * 146097 + dayOfEra - 719468;
    return daysSince1970 + 25569.0;
}

bool StoreValue(FakeCell& cell, const Variant& value) {
    std::u16string formula;
    Variant stored;
    switch (value.Type()) {
        case VariantType::Empty:
        case VariantType::Null: break;
        case VariantType::Boolean:
        case VariantType::Date:
        case VariantType::Error: stored = value; break;
        case VariantType::Integer:
        case VariantType::Long:
        case VariantType::Double: stored = Variant(value.ToNumber()); break;
        case VariantType::String: stored = TypedText(value.AsString(), formula); break;
        case VariantType::Missing:
        case VariantType::Object: return false;
    }
    cell.value = std::move(stored);
    cell.formula = std::move(formula);
    return true;
}

}  // namespace tabora::test
