#include "support/FakeArguments.h"

#include "excel/ArgumentConversion.h"
#include "support/FakeExcelErrors.h"
#include "support/FakeStrings.h"

namespace tabora::test {

Arguments::Arguments(const Invocation& call, std::vector<std::u16string_view> parameters)
    : bound_(parameters.size(), nullptr) {
    std::span<const Variant> positional = call.args;
    if (call.kind == InvokeKind::PropertyPut && !positional.empty()) {
        newValue_ = &positional.back();
        positional = positional.first(positional.size() - 1);
    }
    if (positional.size() > parameters.size()) throw RuntimeError(excel_error::Program(excel_error::kWrongArgumentCount));
    for (size_t i = 0; i < positional.size(); ++i) bound_[i] = &positional[i];
    for (const NamedArgument& named : call.named) {
        size_t index = 0;
        while (index < parameters.size() && !EqualsIgnoringCase(parameters[index], named.name)) ++index;
        if (index == parameters.size()) throw RuntimeError(excel_error::Program(excel_error::kNamedArgumentNotFound));
        bound_[index] = &named.value;
    }
}

bool Arguments::Has(size_t index) const {
    return index < bound_.size() && bound_[index] != nullptr && !bound_[index]->IsMissing();
}

const Variant& Arguments::Value(size_t index) const {
    if (!Has(index)) throw RuntimeError(excel_error::Program(excel_error::kArgumentNotOptional));
    return *bound_[index];
}

const Variant& Arguments::NewValue() const {
    if (newValue_ == nullptr) throw RuntimeError(excel_error::Program(excel_error::kWrongArgumentCount));
    return *newValue_;
}

int32_t Arguments::Number(size_t index) const { return ToNumber(Value(index)); }
bool Arguments::Flag(size_t index) const { return ToFlag(Value(index)); }
std::u16string Arguments::Text(size_t index) const { return ToText(Value(index)); }

int32_t Arguments::ToNumber(const Variant& value) { return excel::ToLong(value); }
bool Arguments::ToFlag(const Variant& value) { return excel::ToBool(value); }
std::u16string Arguments::ToText(const Variant& value) { return excel::ToText(value); }

ItemKey ToItemKey(const Variant& key) {
    switch (key.Type()) {
        case VariantType::Integer: return {false, key.AsInteger(), {}};
        case VariantType::Long: return {false, key.AsLong(), {}};
        case VariantType::String: return {true, 0, key.AsString()};
        default: throw vb_error::Raise(vb_error::kTypeMismatch);
    }
}

std::u16string FileNamePart(std::u16string_view path) {
    const size_t slash = path.find_last_of(u"\\/");
    return std::u16string(slash == std::u16string_view::npos ? path : path.substr(slash + 1));
}

}  // namespace tabora::test
