#include "excel/Variant.h"

#include "platform/RuntimeError.h"

namespace tabora {

VariantType Variant::Type() const {
    // The alternatives of value_ stand in the order of VariantType, one for each.
    switch (value_.index()) {
        case 0: return VariantType::Empty;
        case 1: return VariantType::Null;
        case 2: return VariantType::Missing;
        case 3: return VariantType::Boolean;
        case 4: return VariantType::Integer;
        case 5: return VariantType::Long;
        case 6: return VariantType::Double;
        case 7: return VariantType::Date;
        case 8: return VariantType::String;
        case 9: return VariantType::Object;
        default: return VariantType::Error;
    }
}

namespace {
template <class T, class V>
const T& Strict(const V& value) {
    if (const T* held = std::get_if<T>(&value)) return *held;
    throw vb_error::Raise(vb_error::kTypeMismatch);
}
}  // namespace

bool Variant::AsBoolean() const { return Strict<bool>(value_); }
int16_t Variant::AsInteger() const { return Strict<int16_t>(value_); }
int32_t Variant::AsLong() const { return Strict<int32_t>(value_); }
double Variant::AsDouble() const { return Strict<double>(value_); }
DateValue Variant::AsDate() const { return Strict<DateValue>(value_); }
CellErrorValue Variant::AsCellError() const { return Strict<CellErrorValue>(value_); }
const std::u16string& Variant::AsString() const { return Strict<std::u16string>(value_); }

const ObjectRef& Variant::AsObject() const {
    const ObjectRef* held = std::get_if<ObjectRef>(&value_);
    if (held == nullptr) throw vb_error::Raise(vb_error::kObjectRequired);
    if (!*held) throw vb_error::Raise(vb_error::kObjectNotSet);
    return *held;
}

double Variant::ToNumber() const {
    switch (Type()) {
        case VariantType::Boolean: return AsBoolean() ? -1.0 : 0.0;
        case VariantType::Integer: return AsInteger();
        case VariantType::Long: return AsLong();
        case VariantType::Double: return AsDouble();
        case VariantType::Date: return AsDate().serial;
        case VariantType::Empty: return 0.0;
        default: throw vb_error::Raise(vb_error::kTypeMismatch);
    }
}

const char* TypeName(VariantType type) {
    switch (type) {
        case VariantType::Empty: return "Empty";
        case VariantType::Null: return "Null";
        case VariantType::Missing: return "Missing";
        case VariantType::Boolean: return "Boolean";
        case VariantType::Integer: return "Integer";
        case VariantType::Long: return "Long";
        case VariantType::Double: return "Double";
        case VariantType::Date: return "Date";
        case VariantType::String: return "String";
        case VariantType::Object: return "Object";
        case VariantType::Error: return "Error";
    }
    return "?";
}

}  // namespace tabora
