#include "support/FakeCallLog.h"

#include "support/FakeStrings.h"

namespace tabora::test {

bool CallMatcher::Matches(const RecordedCall& call) const {
    return (objectKind.empty() || objectKind == call.objectKind) &&
           (member.empty() || EqualsIgnoringCase(member, call.member)) && (!kind || *kind == call.kind) &&
           (!instance || *instance == call.instance);
}

std::optional<ErrorRecord> FailureRules::Check(const RecordedCall& call) {
    std::optional<ErrorRecord> failure = everything_;
    for (Rule& rule : rules_) {
        if (!rule.matcher.Matches(call)) continue;
        ++rule.seen;
        if (!failure && (rule.matcher.occurrence == 0 || rule.matcher.occurrence == rule.seen)) failure = rule.error;
    }
    return failure;
}

void CallHooks::Run(const RecordedCall& call) {
    // Collected first: an action may make calls of its own, and add hooks.
    std::vector<std::function<void()>> due;
    for (Hook& hook : hooks_) {
        if (!hook.matcher.Matches(call)) continue;
        ++hook.seen;
        if (hook.matcher.occurrence == 0 || hook.matcher.occurrence == hook.seen) due.push_back(hook.action);
    }
    for (const auto& action : due) action();
}

std::string FormatValue(const Variant& value, const std::function<std::string(const ObjectRef&)>& describe) {
    switch (value.Type()) {
        case VariantType::Empty: return "Empty";
        case VariantType::Null: return "Null";
        case VariantType::Missing: return "";
        case VariantType::Boolean: return value.AsBoolean() ? "True" : "False";
        case VariantType::Integer: return std::to_string(value.AsInteger()) + "%";
        case VariantType::Long: return std::to_string(value.AsLong()) + "&";
        case VariantType::Double: return ToUtf8(NumberText(value.AsDouble())) + "#";
        case VariantType::Date: return "Date(" + ToUtf8(NumberText(value.AsDate().serial)) + ")";
        case VariantType::Error: return "Error(" + std::to_string(value.AsCellError().code) + ")";
        case VariantType::String: {
            std::string text = "\"";
            for (char c : ToUtf8(value.AsString())) text += c == '"' ? std::string("\"\"") : std::string(1, c);
            return text + "\"";
        }
        case VariantType::Object:
            try {
                return describe(value.AsObject());
            } catch (const RuntimeError&) {
                return "Nothing";  // an empty reference
            }
    }
    return "?";
}

std::string FormatCall(const std::u16string& objectKind, const Invocation& call,
                       const std::function<std::string(const ObjectRef&)>& describe) {
    std::string text = ToUtf8(objectKind) + "." + ToUtf8(call.member);
    const bool put = call.kind == InvokeKind::PropertyPut && !call.args.empty();
    const size_t listed = put ? call.args.size() - 1 : call.args.size();
    std::string list;
    for (size_t i = 0; i < listed; ++i) list += (i == 0 ? "" : ", ") + FormatValue(call.args[i], describe);
    for (const NamedArgument& named : call.named) {
        list += (list.empty() && listed == 0 ? "" : ", ") + ToUtf8(named.name) + ":=" + FormatValue(named.value, describe);
    }
    if (listed > 0 || !call.named.empty() || call.kind == InvokeKind::Method) text += "(" + list + ")";
    if (put) text += " = " + FormatValue(call.args.back(), describe);
    return text;
}

}  // namespace tabora::test
