#include "excel/ArgumentConversion.h"

#include <cmath>

#include "excel/Conversions.h"
#include "platform/RuntimeError.h"

namespace tabora::excel {

double ToDouble(const Variant& value) {
    switch (value.Type()) {
        case VariantType::String: {
            const auto number = conversions::NumberFromText(value.AsString());
            if (!number) throw vb_error::Raise(vb_error::kTypeMismatch);
            return *number;
        }
        case VariantType::Empty:
        case VariantType::Boolean:
        case VariantType::Integer:
        case VariantType::Long:
        case VariantType::Double:
        case VariantType::Date: return value.ToNumber();
        default: throw vb_error::Raise(vb_error::kTypeMismatch);
    }
}

int32_t ToLong(const Variant& value) {
    if (value.Type() == VariantType::Integer) return value.AsInteger();
    if (value.Type() == VariantType::Long) return value.AsLong();
    const double rounded = std::nearbyint(ToDouble(value));  // half to even in the default mode
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) throw vb_error::Raise(vb_error::kOverflow);
    return static_cast<int32_t>(rounded);
}

bool ToBool(const Variant& value) {
    if (value.Type() == VariantType::Boolean) return value.AsBoolean();
    if (value.Type() == VariantType::String) return conversions::TextToBoolean(value.AsString());
    return ToDouble(value) != 0;
}

std::u16string ToText(const Variant& value) {
    switch (value.Type()) {
        case VariantType::Empty:
        case VariantType::String:
        case VariantType::Boolean:
        case VariantType::Integer:
        case VariantType::Long:
        case VariantType::Double:
        case VariantType::Date: return conversions::ValueToText(value);
        default: throw vb_error::Raise(vb_error::kTypeMismatch);
    }
}

}  // namespace tabora::excel
