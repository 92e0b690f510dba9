#include "platform/calc/CalcSheets.h"

#include <com/sun/star/container/NoSuchElementException.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/lang/IndexOutOfBoundsException.hpp>

#include "platform/calc/CalcError.h"
#include "platform/calc/CalcWorksheet.h"
#include "platform/calc/UnoText.h"

namespace tabora::calc {
using namespace css;

Variant CalcSheets::Dispatch(const MemberCall& call) {
    if (call.Is(u"Count") && call.IsGet()) {
        uno::Reference<container::XIndexAccess> byIndex(SheetsOf(document_), uno::UNO_QUERY_THROW);
        return static_cast<int32_t>(byIndex->getCount());
    }
    if (call.Is(u"Item") && call.IsGet()) {
        call.Expect(1);
        if (!call.Has(0, u"Index")) throw CalcFailure(kErrWrongArguments);
        return Item(call.Arg(0, u"Index"));
    }
    NoSuchMember();
}

std::vector<Variant> CalcSheets::Items() {
    std::vector<Variant> items;
    for (auto& name : SheetNames(document_)) items.emplace_back(Make<CalcWorksheet>(document_, std::move(name)));
    return items;
}

Variant CalcSheets::Item(const Variant& index) {
    auto sheets = SheetsOf(document_);
    try {
        if (index.Type() == VariantType::String) {
            // Calc looks names up ignoring case, as Excel does.
            SheetRef sheet(sheets->getByName(ToOUString(index.AsString())), uno::UNO_QUERY_THROW);
            return Variant(Make<CalcWorksheet>(document_, sheet));
        }
        int32_t position = ToLong(index);
        if (position < 1) throw CalcFailure(kErrSubscriptOutOfRange);
        uno::Reference<container::XIndexAccess> byIndex(sheets, uno::UNO_QUERY_THROW);
        SheetRef sheet(byIndex->getByIndex(position - 1), uno::UNO_QUERY_THROW);
        return Variant(Make<CalcWorksheet>(document_, sheet));
    } catch (const container::NoSuchElementException&) {
        throw CalcFailure(kErrSubscriptOutOfRange);
    } catch (const lang::IndexOutOfBoundsException&) {
        throw CalcFailure(kErrSubscriptOutOfRange);
    }
}

}  // namespace tabora::calc
