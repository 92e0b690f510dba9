#include "platform/calc/CalcApplication.h"

#include <com/sun/star/sheet/XSheetCellRange.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>

#include "platform/calc/CalcError.h"
#include "platform/calc/CalcRange.h"
#include "platform/calc/CalcSheets.h"
#include "platform/calc/CalcWorkbook.h"
#include "platform/calc/CalcWorkbooks.h"
#include "platform/calc/DocumentAccess.h"
#include "platform/calc/FilePicker.h"

namespace tabora::calc {
using namespace css;

namespace {
Variant Nothing() { return Variant(ObjectRef()); }
}  // namespace

Variant CalcApplication::Dispatch(const MemberCall& call) {
    if (call.Is(u"Workbooks") && call.IsGet()) {
        call.Expect(1);
        ObjectRef workbooks = Make<CalcWorkbooks>();
        return call.Has(0) ? workbooks->Get(u"Item", {call.Arg(0)}) : Variant(workbooks);
    }
    if (call.Is(u"ActiveWorkbook") && call.IsGet()) {
        DocumentRef active = Office().ActiveWorkbook();
        return active.is() ? Variant(Make<CalcWorkbook>(active)) : Nothing();
    }
    if (call.Is(u"ActiveSheet") && call.IsGet()) return ActiveSheet();
    if ((call.Is(u"Sheets") || call.Is(u"Worksheets")) && call.IsGet()) {
        DocumentRef active = Office().ActiveWorkbook();
        if (!active.is()) throw CalcFailure(kErrRefused);
        ObjectRef sheets = Make<CalcSheets>(active);
        return call.Has(0) ? sheets->Get(u"Item", {call.Arg(0)}) : Variant(sheets);
    }
    if (call.Is(u"Selection") && call.IsGet()) return Selection();
    if (call.Is(u"DisplayAlerts")) {
        if (!call.IsPut()) return Office().displayAlerts;
        Office().displayAlerts = ToBool(call.Value());
        return {};
    }
    if (call.Is(u"Visible")) {
        if (!call.IsPut()) return Office().Visible();
        Office().SetVisible(ToBool(call.Value()));
        return {};
    }
    if (call.Is(u"SheetsInNewWorkbook")) {
        if (!call.IsPut()) return Office().sheetsInNewWorkbook;
        int32_t count = ToLong(call.Value());
        if (count < 1 || count > 255) throw CalcFailure(kErrRefused);
        Office().sheetsInNewWorkbook = count;
        return {};
    }
    if (call.Is(u"CutCopyMode")) {
        if (!call.IsPut()) return Office().copySource ? Variant(int32_t{1}) : Variant(false);
        if (!ToBool(call.Value())) Office().copySource.reset();
        return {};
    }
    if (call.Is(u"Name") && call.IsGet()) return u"LibreOffice Calc";
    if (call.Is(u"Quit") && !call.IsPut()) {
        Quit();
        return {};
    }
    if (call.Is(u"GetOpenFilename") && !call.IsPut()) return GetOpenFilename(call);
    NoSuchMember();
}

Variant CalcApplication::ActiveSheet() {
    DocumentRef active = Office().ActiveWorkbook();
    if (!active.is()) return Nothing();
    return CalcWorkbook::ActiveSheetOf(SharedOffice(), active);
}

Variant CalcApplication::Selection() {
    DocumentRef active = Office().ActiveWorkbook();
    if (!active.is()) return Nothing();
    uno::Reference<view::XSelectionSupplier> supplier(ViewOf(active), uno::UNO_QUERY_THROW);
    uno::Reference<sheet::XSheetCellRange> range(supplier->getSelection(), uno::UNO_QUERY);
    if (!range.is()) return Nothing();  // a drawing object, or several ranges at once
    return Variant(Make<CalcRange>(active, RangeRef(range, uno::UNO_QUERY_THROW), RangeKind::Cells));
}

Variant CalcApplication::GetOpenFilename(const MemberCall& call) {
    call.Expect(5);
    std::u16string filter = call.Has(0, u"FileFilter") ? ToText(call.Arg(0, u"FileFilter")) : u"";
    std::u16string title = call.Has(2, u"Title") ? ToText(call.Arg(2, u"Title")) : u"";
    std::optional<std::u16string> chosen = PickFileToOpen(Office(), filter, title);
    return chosen ? Variant(*chosen) : Variant(u"False");
}

void CalcApplication::Quit() {
    Office().Quit();
}

}  // namespace tabora::calc
