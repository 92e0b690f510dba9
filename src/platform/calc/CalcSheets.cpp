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
        uno::Reference<container::XIndexAccess> byIndex(Office().SheetsOf(document_), uno::UNO_QUERY_THROW);
        return static_cast<int32_t>(byIndex->getCount());
    }
    if (call.Is(u"Item") && call.IsGet()) {
        call.Expect(1);
        if (!call.Has(0, u"Index")) throw CalcFailure(kErrWrongArguments);
        return Item(call.Arg(0, u"Index"));
    }
    NoSuchMember();
}

namespace {
// All the worksheets of one enumeration in one allocation: a workbook of a thousand sheets is
// listed with one call to the office and one block of memory.
struct WorksheetBlock {
    DocumentRef document;
    std::vector<CalcWorksheet> sheets;
};
}  // namespace

std::vector<Variant> CalcSheets::Items() {
    const uno::Sequence<rtl::OUString> names = Office().SheetsOf(document_)->getElementNames();
    auto block = std::make_shared<WorksheetBlock>();
    block->document = document_;
    // Not owning: each worksheet lives inside the block, which owns the reference (owning it from
    // the worksheets would make a cycle that keeps the office alive).
    std::shared_ptr<const DocumentRef> document(std::shared_ptr<const DocumentRef>(), &block->document);
    block->sheets.reserve(static_cast<size_t>(names.getLength()));
    for (const auto& name : names) block->sheets.emplace_back(SharedOffice(), document, ToU16(name));
    std::vector<Variant> items;
    items.reserve(block->sheets.size());
    for (auto& sheet : block->sheets) items.emplace_back(ObjectRef(block, &sheet));
    return items;
}

Variant CalcSheets::Item(const Variant& index) {
    auto sheets = Office().SheetsOf(document_);
    try {
        if (index.Type() == VariantType::String) {
            // Ignoring case as Excel does, not as Calc does.
            for (const auto& name : sheets->getElementNames())
                if (SameName(ToU16(name), index.AsString()))
                    return Variant(Make<CalcWorksheet>(document_, SheetRef(sheets->getByName(name), uno::UNO_QUERY_THROW)));
            throw CalcFailure(kErrSubscriptOutOfRange);
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
