#include "platform/calc/MemberCall.h"

#include <cmath>
#include <limits>

#include "platform/calc/CalcError.h"

namespace tabora::calc {
namespace {

char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

const Variant& MissingValue() {
    static const Variant missing = Variant::Missing();
    return missing;
}

int32_t RoundToLong(double value) {
    double rounded = std::nearbyint(value);  // banker's rounding, as Excel converts arguments
    if (!(rounded >= std::numeric_limits<int32_t>::min() && rounded <= std::numeric_limits<int32_t>::max()))
        throw CalcFailure(kErrTypeMismatch);
    return static_cast<int32_t>(rounded);
}

double ParseNumber(const std::u16string& text) {
    std::string ascii;
    for (char16_t c : text) {
        if (c > 127) throw CalcFailure(kErrTypeMismatch);
        ascii += static_cast<char>(c);
    }
    size_t used = 0;
    double value = 0;
    try {
        value = std::stod(ascii, &used);
    } catch (const std::exception&) {
        throw CalcFailure(kErrTypeMismatch);
    }
    while (used < ascii.size() && ascii[used] == ' ') ++used;
    if (used != ascii.size()) throw CalcFailure(kErrTypeMismatch);
    return value;
}

}  // namespace

bool SameName(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

bool MemberCall::Is(std::u16string_view name) const { return SameName(call_.member, name); }

size_t MemberCall::Count() const { return call_.args.size() - (IsPut() && !call_.args.empty() ? 1 : 0); }

const Variant& MemberCall::Arg(size_t position, std::u16string_view name) const {
    if (!name.empty())
        for (const auto& named : call_.named)
            if (SameName(named.name, name)) return named.value;
    return position < Count() ? call_.args[position] : MissingValue();
}

const Variant& MemberCall::Value() const {
    if (!IsPut() || call_.args.empty()) throw CalcFailure(kErrWrongArguments);
    return call_.args.back();
}

void MemberCall::Expect(size_t max) const {
    if (Count() > max) throw CalcFailure(kErrWrongArguments);
    for (const auto& named : call_.named)
        if (named.name.empty()) throw CalcFailure(kErrWrongArguments);
}

int32_t ToLong(const Variant& value) {
    switch (value.Type()) {
        case VariantType::Integer: return value.AsInteger();
        case VariantType::Long: return value.AsLong();
        case VariantType::Double: return RoundToLong(value.AsDouble());
        case VariantType::Date: return RoundToLong(value.AsDate().serial);
        case VariantType::Boolean: return value.AsBoolean() ? -1 : 0;
        case VariantType::Empty: return 0;
        case VariantType::String: return RoundToLong(ParseNumber(value.AsString()));
        default: throw CalcFailure(kErrTypeMismatch);
    }
}

double ToDouble(const Variant& value) {
    if (value.Type() == VariantType::String) return ParseNumber(value.AsString());
    if (value.Type() == VariantType::Empty) return 0;
    switch (value.Type()) {
        case VariantType::Integer:
        case VariantType::Long:
        case VariantType::Double:
        case VariantType::Date:
        case VariantType::Boolean: return value.ToNumber();
        default: throw CalcFailure(kErrTypeMismatch);
    }
}

bool ToBool(const Variant& value) {
    if (value.Type() == VariantType::Boolean) return value.AsBoolean();
    if (value.Type() == VariantType::String) {
        if (SameName(value.AsString(), u"True")) return true;
        if (SameName(value.AsString(), u"False")) return false;
    }
    return ToDouble(value) != 0;
}

std::u16string ToText(const Variant& value) {
    if (value.Type() == VariantType::String) return value.AsString();
    if (value.Type() == VariantType::Empty) return {};
    if (value.Type() == VariantType::Integer || value.Type() == VariantType::Long) {
        std::string digits = std::to_string(ToLong(value));
        return std::u16string(digits.begin(), digits.end());
    }
    throw CalcFailure(kErrTypeMismatch);
}

void NoSuchMember() { throw CalcFailure(kErrMemberNotFound); }

}  // namespace tabora::calc
