#include "platform/calc/CalcWorksheet.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/table/XColumnRowRange.hpp>
#include <com/sun/star/table/XTableColumns.hpp>
#include <com/sun/star/table/XTableRows.hpp>
#include <com/sun/star/util/XProtectable.hpp>

#include <algorithm>

#include "excel/ExcelTexts.h"
#include "excel/SheetNames.h"
#include "excel/WorkbookGrid.h"
#include "platform/calc/CalcError.h"
#include "platform/calc/CalcRange.h"
#include "platform/calc/CalcWorkbook.h"
#include "platform/calc/UnoText.h"

namespace tabora::calc {
using namespace css;
using excel::CannotSetText;
using excel::CheckSheetName;
using excel::CopyName;
using excel::MethodFailedText;
using excel::SheetNameMessage;
using excel::SheetNameProblem;

namespace {

// Excel's values of a sheet's Visible. Calc knows only shown and hidden: very hidden is hidden.
constexpr int32_t kXlSheetVisible = -1;
constexpr int32_t kXlSheetHidden = 0;
constexpr int32_t kXlSheetVeryHidden = 2;

template <class Interface>
bool SheetIsVisible(const uno::Reference<Interface>& sheet) {
    bool visible = true;
    uno::Reference<beans::XPropertySet>(sheet, uno::UNO_QUERY_THROW)->getPropertyValue("IsVisible") >>= visible;
    return visible;
}

template <class Interface>
void ShowSheet(const uno::Reference<Interface>& sheet, bool visible) {
    uno::Reference<beans::XPropertySet>(sheet, uno::UNO_QUERY_THROW)->setPropertyValue("IsVisible", uno::Any(visible));
}

int32_t VisibleSheetCount(OfficeInstance& office, const DocumentRef& document) {
    uno::Reference<container::XIndexAccess> byIndex(office.SheetsOf(document), uno::UNO_QUERY_THROW);
    int32_t visible = 0;
    for (sal_Int32 i = 0; i < byIndex->getCount(); ++i) {
        if (SheetIsVisible(uno::Reference<uno::XInterface>(byIndex->getByIndex(i), uno::UNO_QUERY_THROW))) ++visible;
    }
    return visible;
}

int32_t RowOrColumn(const Variant& value, int32_t max) {
    int32_t n = ToLong(value);
    if (n < 1 || n > max) throw CalcFailure(kErrRefused);
    return n;
}

}  // namespace

const SheetRef& CalcWorksheet::Sheet() {
    if (!sheet_.is()) sheet_.set(Office().SheetsOf(Document())->getByName(ToOUString(knownName_)), uno::UNO_QUERY_THROW);
    return sheet_;
}

Variant CalcWorksheet::Dispatch(const MemberCall& call) {
    if (call.Is(u"Name")) {
        if (!call.IsPut()) return Name();
        Rename(ToText(call.Value()));
        return {};
    }
    if (call.Is(u"Index") && call.IsGet()) return SheetIndex(Sheet()) + 1;
    if (call.Is(u"Visible")) {
        if (!call.IsPut()) return IsVisible() ? kXlSheetVisible : kXlSheetHidden;
        SetVisible(call.Value());
        return {};
    }
    if (call.Is(u"Activate") && !call.IsPut()) {
        Activate();
        return {};
    }
    if (call.Is(u"Select") && !call.IsPut()) {
        Activate();
        return {};
    }
    if (call.Is(u"Delete") && !call.IsPut()) {
        Delete();
        return {};
    }
    if (call.Is(u"Copy") && !call.IsPut()) {
        Copy(call);
        return {};
    }
    if (call.Is(u"Protect") && !call.IsPut()) {
        Protect(call);
        return {};
    }
    if (call.Is(u"ProtectContents") && call.IsGet())
        return static_cast<bool>(
            uno::Reference<util::XProtectable>(Sheet(), uno::UNO_QUERY_THROW)->isProtected());
    if (call.Is(u"Parent") && call.IsGet()) return Variant(Make<CalcWorkbook>(Document()));
    if (call.Is(u"Cells") && call.IsGet()) return Cells(call);
    if (call.Is(u"Range") && call.IsGet()) return RangeOf(call);
    if (call.Is(u"Columns") && call.IsGet()) return Lines(call, true);
    if (call.Is(u"Rows") && call.IsGet()) return Lines(call, false);
    NoSuchMember();
}

std::u16string CalcWorksheet::Name() {
    if (!sheet_.is()) return knownName_;
    return ToU16(uno::Reference<container::XNamed>(sheet_, uno::UNO_QUERY_THROW)->getName());
}

void CalcWorksheet::Rename(const std::u16string& name) {
    uno::Reference<container::XNamed> named(Sheet(), uno::UNO_QUERY_THROW);
    std::u16string current = ToU16(named->getName());
    if (name == current) return;
    RefuseIfStructureProtected(u"Name", true);
    std::vector<std::u16string> others = SheetNames(Office(), Document());
    std::erase_if(others, [&](const std::u16string& other) { return other == current; });
    if (auto problem = CheckSheetName(name, others)) throw CalcFailure(kErrRefused, SheetNameMessage(*problem));
    named->setName(ToOUString(name));
    // Calc ignores a name it does not like without saying so.
    if (ToU16(named->getName()) != name) throw CalcFailure(kErrRefused, SheetNameMessage(SheetNameProblem::BadCharacter));
    knownName_ = name;
}

bool CalcWorksheet::IsVisible() { return SheetIsVisible(Sheet()); }

void CalcWorksheet::SetVisible(const Variant& value) {
    const int32_t wanted = value.Type() == VariantType::Boolean ? (ToBool(value) ? kXlSheetVisible : kXlSheetHidden) : ToLong(value);
    const auto refused = [] { return CalcFailure(kErrRefused, CannotSetText(u"Worksheet", u"Visible")); };
    if (wanted != kXlSheetVisible && wanted != kXlSheetHidden && wanted != kXlSheetVeryHidden) throw refused();
    const bool visible = wanted == kXlSheetVisible;
    if (visible == IsVisible()) return;
    RefuseIfStructureProtected(u"Visible", true);
    // As in Excel, a workbook keeps one visible sheet.
    if (!visible && VisibleSheetCount(Office(), Document()) == 1) throw refused();
    ShowSheet(Sheet(), visible);
}

void CalcWorksheet::Activate() {
    // Calc would show a hidden sheet in front; Excel refuses.
    if (!IsVisible()) throw CalcFailure(kErrRefused, MethodFailedText(u"Worksheet", u"Activate"));
    ViewOf(Document())->setActiveSheet(Sheet());
    Office().MakeActive(Document());
}

void CalcWorksheet::Delete() {
    // Calc would delete it all the same.
    RefuseIfStructureProtected(u"Delete");
    uno::Reference<container::XIndexAccess> byIndex(Office().SheetsOf(Document()), uno::UNO_QUERY_THROW);
    if (byIndex->getCount() <= 1 || (IsVisible() && VisibleSheetCount(Office(), Document()) == 1))
        throw CalcFailure(kErrRefused, u"ブックには少なくとも 1 つの表示されたシートが必要です。");
    std::u16string name = ToU16(uno::Reference<container::XNamed>(Sheet(), uno::UNO_QUERY_THROW)->getName());
    if (Office().copySource && Office().copySource->document == Document()) Office().copySource.reset();
    Office().SheetsOf(Document())->removeByName(ToOUString(name));
    sheet_.clear();
}

void CalcWorksheet::Copy(const MemberCall& call) {
    call.Expect(2);
    const Variant& before = call.Arg(0, u"Before");
    const Variant& after = call.Arg(1, u"After");
    if (before.IsMissing() == after.IsMissing()) throw CalcFailure(kErrRefused, u"Copy には Before か After が必要です。");
    auto* place = dynamic_cast<CalcWorksheet*>((after.IsMissing() ? before : after).AsObject().get());
    if (place == nullptr) throw CalcFailure(kErrObjectRequired);
    if (place->Document() != Document()) throw CalcFailure(kErrRefused, u"別のブックへのコピーはできません。");
    // Calc would make the copy and then fail to name it.
    RefuseIfStructureProtected(u"Copy");
    int32_t position = SheetIndex(place->Sheet()) + (after.IsMissing() ? 0 : 1);

    std::u16string source = ToU16(uno::Reference<container::XNamed>(Sheet(), uno::UNO_QUERY_THROW)->getName());
    const std::vector<std::u16string> existing = SheetNames(Office(), Document());
    std::u16string copyName = CopyName(source, existing);
    auto sheets = Office().SheetsOf(Document());
    try {
        sheets->copyByName(ToOUString(source), ToOUString(copyName), static_cast<sal_Int16>(position));
        SheetRef copy(sheets->getByName(ToOUString(copyName)), uno::UNO_QUERY_THROW);
        // As in Excel, the copy of a hidden sheet stays hidden and the sheet in front stays in front.
        const bool visible = IsVisible();
        if (SheetIsVisible(copy) != visible) ShowSheet(copy, visible);
        if (visible) ViewOf(Document())->setActiveSheet(copy);
    } catch (...) {
        // A copy that failed halfway leaves no sheet behind, under whatever name Calc gave it.
        try {
            for (const std::u16string& name : SheetNames(Office(), Document()))
                if (std::find(existing.begin(), existing.end(), name) == existing.end())
                    sheets->removeByName(ToOUString(name));
        } catch (const uno::Exception&) {
            // the office went: so did the copy
        }
        throw;
    }
}

void CalcWorksheet::Protect(const MemberCall& call) {
    call.Expect(5);
    // Calc protects a sheet as a whole: its contents, or nothing.
    if (call.Has(2, u"Contents") && !ToBool(call.Arg(2, u"Contents"))) return;
    const rtl::OUString password =
        call.Has(0, u"Password") ? ToOUString(ToText(call.Arg(0, u"Password"))) : rtl::OUString();
    uno::Reference<util::XProtectable>(Sheet(), uno::UNO_QUERY_THROW)->protect(password);
}

void CalcWorksheet::RefuseIfStructureProtected(std::u16string_view member, bool property) {
    if (!StructureProtected(Document())) return;
    throw CalcFailure(
        kErrRefused, property ? CannotSetText(u"Worksheet", member) : MethodFailedText(u"Worksheet", member));
}

// Calc's own grid is larger than an .xls workbook's; Excel's is the one that counts.
excel::WorkbookGrid CalcWorksheet::Grid() { return CalcWorkbook::GridOf(Document()); }

Variant CalcWorksheet::Cells(const MemberCall& call) {
    call.Expect(2);
    if (!call.Has(0, u"RowIndex") && !call.Has(1, u"ColumnIndex")) {
        RangeRef all(Sheet(), uno::UNO_QUERY_THROW);
        return Variant(Make<CalcRange>(Document(), all, RangeKind::Cells));
    }
    const excel::WorkbookGrid grid = Grid();
    int32_t row = RowOrColumn(call.Arg(0, u"RowIndex"), grid.rows);
    int32_t column = RowOrColumn(call.Arg(1, u"ColumnIndex"), grid.columns);
    RangeRef cell(Sheet()->getCellRangeByPosition(column - 1, row - 1, column - 1, row - 1), uno::UNO_SET_THROW);
    return Variant(Make<CalcRange>(Document(), cell, RangeKind::Cells));
}

Variant CalcWorksheet::RangeOf(const MemberCall& call) {
    call.Expect(2);
    const Variant& first = call.Arg(0, u"Cell1");
    const Variant& second = call.Arg(1, u"Cell2");
    const excel::WorkbookGrid grid = Grid();
    auto onGrid = [&](const table::CellRangeAddress& address) {
        if (address.EndRow >= grid.rows || address.EndColumn >= grid.columns) throw CalcFailure(kErrRefused);
    };
    if (first.Type() == VariantType::String && second.IsMissing()) {
        RangeRef range(Sheet()->getCellRangeByName(ToOUString(first.AsString())), uno::UNO_SET_THROW);
        onGrid(AddressOf(range));
        return Variant(Make<CalcRange>(Document(), range, RangeKind::Cells));
    }
    auto corner = [&](const Variant& value) {
        if (value.Type() == VariantType::String) return AddressOf(Sheet()->getCellRangeByName(ToOUString(value.AsString())));
        auto* range = dynamic_cast<CalcRange*>(value.AsObject().get());
        if (range == nullptr) throw CalcFailure(kErrObjectRequired);
        return range->Address();
    };
    table::CellRangeAddress a = corner(first);
    table::CellRangeAddress b = second.IsMissing() ? a : corner(second);
    if (a.Sheet != b.Sheet || a.Sheet != SheetIndex(Sheet())) throw CalcFailure(kErrRefused);
    onGrid(a);
    onGrid(b);
    RangeRef range(Sheet()->getCellRangeByPosition(std::min(a.StartColumn, b.StartColumn), std::min(a.StartRow, b.StartRow),
                                                   std::max(a.EndColumn, b.EndColumn), std::max(a.EndRow, b.EndRow)),
                   uno::UNO_SET_THROW);
    return Variant(Make<CalcRange>(Document(), range, RangeKind::Cells));
}

Variant CalcWorksheet::Lines(const MemberCall& call, bool columns) {
    call.Expect(1);
    uno::Reference<table::XColumnRowRange> lines(Sheet(), uno::UNO_QUERY_THROW);
    if (!call.Has(0)) {
        RangeRef all(Sheet(), uno::UNO_QUERY_THROW);
        return Variant(Make<CalcRange>(Document(), all, columns ? RangeKind::Columns : RangeKind::Rows));
    }
    int32_t n = RowOrColumn(call.Arg(0), columns ? Grid().columns : Grid().rows);
    uno::Reference<container::XIndexAccess> all =
        columns ? uno::Reference<container::XIndexAccess>(lines->getColumns(), uno::UNO_QUERY_THROW)
                : uno::Reference<container::XIndexAccess>(lines->getRows(), uno::UNO_QUERY_THROW);
    if (n > all->getCount()) throw CalcFailure(kErrRefused);
    RangeRef line(all->getByIndex(n - 1), uno::UNO_QUERY_THROW);
    return Variant(Make<CalcRange>(Document(), line, columns ? RangeKind::Columns : RangeKind::Rows));
}

}  // namespace tabora::calc
