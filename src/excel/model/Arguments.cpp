#include "excel/model/Arguments.h"

#include "excel/ArgumentConversion.h"
#include "excel/CaseFolding.h"
#include "platform/RuntimeError.h"

namespace tabora::excel::model {

Arguments::Arguments(const Invocation& call, std::span<const std::u16string_view> parameters)
    : count_(parameters.size()) {
    std::span<const Variant> positional = call.args;
    if (call.kind == InvokeKind::PropertyPut && !positional.empty()) {
        newValue_ = &positional.back();
        positional = positional.first(positional.size() - 1);
    }
    if (positional.size() > parameters.size()) throw vb_error::Raise(vb_error::kWrongArgumentCount);
    for (size_t i = 0; i < positional.size(); ++i) bound_[i] = &positional[i];
    for (const NamedArgument& named : call.named) {
        size_t index = 0;
        while (index < parameters.size() && !EqualsIgnoringCase(parameters[index], named.name)) ++index;
        if (named.name.empty() || index == parameters.size()) throw vb_error::Raise(vb_error::kNamedArgumentNotFound);
        bound_[index] = &named.value;
    }
}

bool Arguments::Has(size_t index) const {
    return index < count_ && bound_[index] != nullptr && !bound_[index]->IsMissing();
}

const Variant& Arguments::Value(size_t index) const {
    if (!Has(index)) throw vb_error::Raise(vb_error::kArgumentNotOptional);
    return *bound_[index];
}

const Variant& Arguments::NewValue() const {
    if (newValue_ == nullptr) throw vb_error::Raise(vb_error::kWrongArgumentCount);
    return *newValue_;
}

int32_t Arguments::Number(size_t index) const { return ToLong(Value(index)); }
bool Arguments::Flag(size_t index) const { return ToBool(Value(index)); }
std::u16string Arguments::Text(size_t index) const { return ToText(Value(index)); }

ItemKey ToItemKey(const Variant& key) {
    switch (key.Type()) {
        case VariantType::String: return {true, 0, key.AsString()};
        case VariantType::Integer:
        case VariantType::Long:
        case VariantType::Double: return {false, ToLong(key), {}};
        default: throw vb_error::Raise(vb_error::kTypeMismatch);
    }
}

}  // namespace tabora::excel::model
