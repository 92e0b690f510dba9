#pragma once
// An automation value that keeps the exact type it was made with.
//
// Excel tells a sheet index (16- or 32-bit integer) from a sheet name by the argument's type, so
// the core never lets a value change type on the way: a 16-bit integer stays Integer, a 32-bit
// one Long, text stays String. Plain int literals make a Long; a 16-bit Integer must be asked for.

#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>
#include <variant>

namespace tabora {

class AutomationObject;
using ObjectRef = std::shared_ptr<AutomationObject>;

enum class VariantType {
    Empty,    // nothing assigned (an empty cell)
    Null,     // no valid data
    Missing,  // an optional argument left out
    Boolean,
    Integer,  // 16-bit signed
    Long,     // 32-bit signed
    Double,
    Date,     // days since 1899-12-30, as Excel counts them
    String,
    Object,
    Error,    // a cell error value such as #N/A
};

struct DateValue {
    double serial = 0;
    friend bool operator==(DateValue, DateValue) = default;
};
struct CellErrorValue {
    int32_t code = 0;  // Excel's CVErr code: 2007 #DIV/0!, 2042 #N/A, ...
    friend bool operator==(CellErrorValue, CellErrorValue) = default;
};

class Variant {
public:
    Variant() = default;
    Variant(bool value) : value_(value) {}
    Variant(int16_t value) : value_(value) {}
    Variant(int32_t value) : value_(value) {}
    Variant(double value) : value_(value) {}
    Variant(DateValue value) : value_(value) {}
    Variant(CellErrorValue value) : value_(value) {}
    Variant(std::u16string value) : value_(std::move(value)) {}
    Variant(std::u16string_view value) : value_(std::u16string(value)) {}
    Variant(const char16_t* value) : value_(std::u16string(value)) {}
    Variant(ObjectRef value) : value_(std::move(value)) {}
    // Anything else (long, size_t, char*, float) would have to guess a type: say which one.
    template <class T>
        requires(!std::is_same_v<std::remove_cvref_t<T>, Variant> && !std::is_convertible_v<T, ObjectRef>)
    Variant(T) = delete;

    static Variant Null() { return Variant(NullTag{}); }
    static Variant Missing() { return Variant(MissingTag{}); }

    VariantType Type() const;
    bool IsEmpty() const { return Type() == VariantType::Empty; }
    bool IsMissing() const { return Type() == VariantType::Missing; }
    bool IsObject() const { return Type() == VariantType::Object; }

    // Strict accessors: the value must hold that very type, or a type mismatch (13) is raised.
    bool AsBoolean() const;
    int16_t AsInteger() const;
    int32_t AsLong() const;
    double AsDouble() const;
    DateValue AsDate() const;
    CellErrorValue AsCellError() const;
    const std::u16string& AsString() const;
    // The object reference; "object required" (424) for any other type, 91 for no object.
    const ObjectRef& AsObject() const;

    // Any number (Integer, Long, Double, Date, Boolean) as a double, for servers and models.
    double ToNumber() const;

    friend bool operator==(const Variant& a, const Variant& b) { return a.value_ == b.value_; }

private:
    struct NullTag {
        friend bool operator==(NullTag, NullTag) { return true; }
    };
    struct MissingTag {
        friend bool operator==(MissingTag, MissingTag) { return true; }
    };
    explicit Variant(NullTag tag) : value_(tag) {}
    explicit Variant(MissingTag tag) : value_(tag) {}

    std::variant<std::monostate, NullTag, MissingTag, bool, int16_t, int32_t, double, DateValue,
                 std::u16string, ObjectRef, CellErrorValue>
        value_;
};

// Name of a type as diagnostics and tests print it ("Integer", "Long", "String", ...).
const char* TypeName(VariantType type);

}  // namespace tabora
