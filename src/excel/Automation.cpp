#include "excel/Automation.h"

namespace tabora {

Variant AutomationObject::Get(std::u16string_view member, std::initializer_list<Variant> args) {
    return Invoke({InvokeKind::PropertyGet, member, {args.begin(), args.size()}, {}, kExcelLocale});
}

ObjectRef AutomationObject::GetObject(std::u16string_view member, std::initializer_list<Variant> args) {
    return Get(member, args).AsObject();
}

void AutomationObject::Put(std::u16string_view member, Variant value) {
    PutIndexed(member, {}, std::move(value));
}

void AutomationObject::PutIndexed(std::u16string_view member, std::initializer_list<Variant> index,
                                  Variant value) {
    std::vector<Variant> args(index);
    args.push_back(std::move(value));
    Invoke({InvokeKind::PropertyPut, member, args, {}, kExcelLocale});
}

Variant AutomationObject::Call(std::u16string_view member, std::initializer_list<Variant> args,
                               std::initializer_list<NamedArgument> named) {
    return Invoke({InvokeKind::Method, member, {args.begin(), args.size()}, {named.begin(), named.size()},
                   kExcelLocale});
}

}  // namespace tabora
