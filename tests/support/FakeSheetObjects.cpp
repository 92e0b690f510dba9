#include <algorithm>

#include "support/FakeArguments.h"
#include "support/FakeExcelErrors.h"
#include "support/FakeObjects.h"
#include "support/FakeSheetNames.h"
#include "support/FakeStrings.h"

namespace tabora::test {

std::pair<std::shared_ptr<FakeWorkbook>, std::shared_ptr<FakeSheet>> SheetLink::Lock(const FakeInstance& instance) const {
    auto book = workbook.lock();
    auto page = sheet.lock();
    const auto& open = instance.workbooks;
    if (!book || !page || book->PositionOf(page.get()) == 0 || std::find(open.begin(), open.end(), book) == open.end()) {
        throw RuntimeError(excel_error::ObjectDeleted());
    }
    return {std::move(book), std::move(page)};
}

std::vector<std::shared_ptr<FakeSheet>> FakeSheetsObject::Members() const {
    const auto workbook = workbook_.lock();
    const auto& open = instance_->workbooks;
    if (!workbook || std::find(open.begin(), open.end(), workbook) == open.end()) {
        throw RuntimeError(excel_error::ObjectDeleted());
    }
    return worksheetsOnly_ ? workbook->Worksheets() : workbook->sheets;
}

Variant FakeSheetsObject::Dispatch(const Invocation& call) {
    const std::u16string_view m = call.member;
    ReadOnly(call);
    const auto members = Members();
    if (Is(m, u"Count")) {
        const Arguments none(call, {});
        return Variant(static_cast<int32_t>(members.size()));
    }
    if (Is(m, u"Item") || m.empty() || Is(m, u"_Default")) {
        const ItemKey key = ToItemKey(Arguments(call, {u"Index"}).Value(0));
        std::shared_ptr<FakeSheet> found;
        if (key.byName) {
            for (const auto& sheet : members) {
                if (!found && EqualsIgnoringCase(sheet->name, key.name)) found = sheet;
            }
        } else if (key.position >= 1 && key.position <= static_cast<int32_t>(members.size())) {
            found = members[static_cast<size_t>(key.position - 1)];
        }
        if (!found) throw vb_error::Raise(vb_error::kSubscriptOutOfRange);
        return Make<FakeSheetObject>(SheetLink{workbook_, found});
    }
    NoSuchMember();
}

std::vector<Variant> FakeSheetsObject::Items() {
    std::vector<Variant> items;
    for (const auto& sheet : Members()) items.push_back(Make<FakeSheetObject>(SheetLink{workbook_, sheet}));
    return items;
}

FakeSheetObject::FakeSheetObject(std::shared_ptr<FakeExcelCore> core, std::shared_ptr<FakeInstance> instance,
                                 SheetLink link)
    : FakeProxy(std::move(core), std::move(instance), link.sheet.lock() && link.sheet.lock()->isChart ? u"Chart" : u"Worksheet"),
      link_(std::move(link)) {}

std::string FakeSheetObject::Describe() const {
    const auto sheet = link_.sheet.lock();
    return "<" + ToUtf8(Kind()) + (sheet ? " \"" + ToUtf8(sheet->name) + "\">" : " (deleted)>");
}

Variant FakeSheetObject::Dispatch(const Invocation& call) {
    const std::u16string_view m = call.member;
    auto [workbook, sheet] = link_.Lock(*instance_);
    if (Is(m, u"Name")) {
        const Arguments args(call, {});
        if (!IsPut(call)) return Variant(sheet->name);
        const std::u16string name = Arguments::ToText(args.NewValue());
        if (name != sheet->name) RefuseIfStructureProtected(*workbook, u"Name", true);
        if (!CanNameSheet(*workbook, sheet.get(), name)) throw RuntimeError(excel_error::CannotSet(Kind(), m));
        sheet->name = name;
        return {};
    }
    if (Is(m, u"Visible")) return Visible(call);
    ReadOnly(call);
    if (Is(m, u"Copy")) return Copy(call);
    if (Is(m, u"Protect")) return Protect(call);
    const bool cells = Is(m, u"Cells") || Is(m, u"Range") || Is(m, u"Columns") || Is(m, u"Rows");
    if (cells && sheet->isChart) NoSuchMember();  // a chart sheet has no cells
    if (Is(m, u"Cells")) return Cells(call);
    if (Is(m, u"Range")) return Range(call);
    if (Is(m, u"Columns")) return Lines(call, true);
    if (Is(m, u"Rows")) return Lines(call, false);
    const Arguments none(call, {});
    if (Is(m, u"Index")) return Variant(workbook->PositionOf(sheet.get()));
    if (Is(m, u"ProtectContents")) return Variant(sheet->protectContents);
    if (Is(m, u"Parent")) return Make<FakeWorkbookObject>(std::weak_ptr(workbook));
    if (Is(m, u"Activate") || Is(m, u"Select")) {
        // A hidden sheet cannot come to the front.
        if (!sheet->IsVisible()) throw RuntimeError(excel_error::MethodFailed(Kind(), Is(m, u"Select") ? u"Select" : u"Activate"));
        instance_->Activate(workbook, sheet);
        return {};
    }
    if (Is(m, u"Delete")) return Delete();
    NoSuchMember();
}

Variant FakeSheetObject::Delete() {
    auto [workbook, sheet] = link_.Lock(*instance_);
    RefuseIfStructureProtected(*workbook, u"Delete");
    // A workbook keeps at least one visible sheet.
    if (sheet->IsVisible() && workbook->VisibleSheetCount() == 1) throw RuntimeError(excel_error::MethodFailed(Kind(), u"Delete"));
    instance_->deletions.push_back({sheet->name, instance_->displayAlerts});
    const int32_t position = workbook->PositionOf(sheet.get());
    workbook->sheets.erase(workbook->sheets.begin() + (position - 1));
    if (workbook->activeSheet == sheet) workbook->activeSheet = workbook->VisibleSheetNear(position);
    instance_->clipboard.reset();  // deleting a sheet ends copy mode
    return {};
}

Variant FakeSheetObject::Copy(const Invocation& call) {
    const Arguments args(call, {u"Before", u"After"});
    auto [workbook, sheet] = link_.Lock(*instance_);
    const auto failed = [this] { return RuntimeError(excel_error::MethodFailed(Kind(), u"Copy")); };
    auto copy = std::make_shared<FakeSheet>(*sheet);
    if (!args.Has(0) && !args.Has(1)) {
        // No place given: the copy becomes the only sheet of a new workbook.
        auto book = std::make_shared<FakeWorkbook>();
        book->name = u"Book" + FromUtf8(std::to_string(++instance_->addedWorkbooks));
        copy->grid = excel::GridOfWorkbook(book->name);
        book->sheets.push_back(copy);
        instance_->workbooks.push_back(book);
        instance_->Activate(book, copy);
        return {};
    }
    if (args.Has(0) && args.Has(1)) throw failed();
    const bool after = args.Has(1);
    const Variant& place = args.Value(after ? 1 : 0);
    const auto* target = place.IsObject() ? dynamic_cast<const FakeSheetObject*>(place.AsObject().get()) : nullptr;
    if (target == nullptr || target->InstanceState() != instance_) throw failed();
    auto [targetBook, targetSheet] = target->Link().Lock(*instance_);
    RefuseIfStructureProtected(*targetBook, u"Copy");
    copy->name = CopyName(*targetBook, sheet->name);
    copy->grid = targetSheet->grid;
    const auto at = targetBook->sheets.begin() + targetBook->PositionOf(targetSheet.get()) - (after ? 0 : 1);
    targetBook->sheets.insert(at, copy);
    // The copy of a hidden sheet stays hidden, and the sheet in front stays in front.
    instance_->Activate(targetBook, copy->IsVisible() ? copy : nullptr);
    return {};
}

Variant FakeSheetObject::Visible(const Invocation& call) {
    const Arguments args(call, {});
    auto [workbook, sheet] = link_.Lock(*instance_);
    if (!IsPut(call)) return Variant(sheet->visibility);
    const Variant& value = args.NewValue();
    int32_t wanted = 0;
    if (value.Type() == VariantType::Boolean) {
        wanted = value.AsBoolean() ? kXlSheetVisible : kXlSheetHidden;
    } else {
        wanted = Arguments::ToNumber(value);
    }
    const auto refused = [this] { return RuntimeError(excel_error::CannotSet(Kind(), u"Visible")); };
    if (wanted != kXlSheetVisible && wanted != kXlSheetHidden && wanted != kXlSheetVeryHidden) throw refused();
    if (wanted != sheet->visibility) RefuseIfStructureProtected(*workbook, u"Visible", true);
    if (wanted != kXlSheetVisible && sheet->IsVisible() && workbook->VisibleSheetCount() == 1) throw refused();
    sheet->visibility = wanted;
    if (!sheet->IsVisible() && workbook->activeSheet == sheet) {
        workbook->activeSheet = workbook->VisibleSheetNear(workbook->PositionOf(sheet.get()));
    }
    return {};
}

Variant FakeSheetObject::Protect(const Invocation& call) {
    const Arguments args(call,
                         {u"Password", u"DrawingObjects", u"Contents", u"Scenarios", u"UserInterfaceOnly"});
    auto [workbook, sheet] = link_.Lock(*instance_);
    if (args.FlagOr(2, true)) sheet->protectContents = true;
    return {};
}

void FakeSheetObject::RefuseIfStructureProtected(const FakeWorkbook& workbook, std::u16string_view member,
                                                 bool property) const {
    if (!workbook.protectStructure) return;
    throw RuntimeError(property ? excel_error::CannotSet(Kind(), member)
                                : excel_error::MethodFailed(Kind(), member));
}

Variant FakeSheetObject::RangeOf(const CellArea& area) const { return Make<FakeRangeObject>(link_, area); }

namespace {
// A column given as a number or as letters, as Cells takes it.
int32_t ColumnArgument(const Variant& value) {
    if (value.Type() == VariantType::String) {
        if (const auto col = ColumnNumber(value.AsString())) return *col;
        throw RuntimeError(excel_error::ApplicationDefined());
    }
    return Arguments::ToNumber(value);
}

bool OnGrid(const excel::WorkbookGrid& grid, int32_t row, int32_t col) {
    return row >= 1 && row <= grid.rows && col >= 1 && col <= grid.columns;
}

// Whole rows and columns reach the model's end; anything else must lie within the sheet's grid.
bool OnGrid(const excel::WorkbookGrid& grid, const CellArea& area) {
    return area.IsWholeRows() || area.IsWholeColumns() || (area.bottom <= grid.rows && area.right <= grid.columns);
}
}  // namespace

Variant FakeSheetObject::Cells(const Invocation& call) {
    const Arguments args(call, {u"RowIndex", u"ColumnIndex"});
    if (!args.Has(0) && !args.Has(1)) return RangeOf({1, 1, kMaxRows, kMaxColumns});
    const excel::WorkbookGrid grid = link_.Lock(*instance_).second->grid;
    int32_t row = 0;
    int32_t col = 0;
    if (args.Has(1)) {
        row = args.Number(0);
        col = ColumnArgument(args.Value(1));
    } else {
        // One index counts cells along the rows: 1 is A1, 257 is A2.
        const int32_t index = args.Number(0);
        row = index < 1 ? 0 : (index - 1) / grid.columns + 1;
        col = index < 1 ? 0 : (index - 1) % grid.columns + 1;
    }
    if (!OnGrid(grid, row, col)) throw RuntimeError(excel_error::ApplicationDefined());
    return RangeOf({row, col, row, col});
}

Variant FakeSheetObject::Range(const Invocation& call) {
    const Arguments args(call, {u"Cell1", u"Cell2"});
    const auto failed = [] { return RuntimeError(excel_error::MethodFailed(u"_Worksheet", u"Range")); };
    const auto sheet = link_.Lock(*instance_).second;
    const auto areaOf = [&](const Variant& value) {
        if (value.Type() == VariantType::String) {
            if (const auto area = ParseArea(value.AsString()); area && OnGrid(sheet->grid, *area)) return *area;
            throw failed();
        }
        const auto* range = value.IsObject() ? dynamic_cast<const FakeRangeObject*>(value.AsObject().get()) : nullptr;
        if (range == nullptr || range->InstanceState() != instance_ || range->Link().sheet.lock() != sheet) throw failed();
        return range->Area();
    };
    const CellArea first = areaOf(args.Value(0));
    if (!args.Has(1)) return RangeOf(first);
    const CellArea second = areaOf(args.Value(1));
    return RangeOf(CellArea::Between({std::min(first.top, second.top), std::min(first.left, second.left)},
                                     {std::max(first.bottom, second.bottom), std::max(first.right, second.right)}));
}

Variant FakeSheetObject::Lines(const Invocation& call, bool columns) {
    const Arguments args(call, {u"Index"});
    if (!args.Has(0)) return RangeOf({1, 1, kMaxRows, kMaxColumns});
    const Variant& index = args.Value(0);
    if (index.Type() == VariantType::String) {
        std::u16string text = index.AsString();
        if (text.find(u':') == std::u16string::npos) text += u":" + text;
        const auto area = ParseArea(text);
        if (area && (columns ? area->IsWholeColumns() : area->IsWholeRows())) return RangeOf(*area);
        throw RuntimeError(excel_error::ApplicationDefined());
    }
    const int32_t n = Arguments::ToNumber(index);
    const excel::WorkbookGrid grid = link_.Lock(*instance_).second->grid;
    if (n < 1 || n > (columns ? grid.columns : grid.rows)) throw RuntimeError(excel_error::ApplicationDefined());
    return RangeOf(columns ? CellArea::WholeColumns(n, n) : CellArea::WholeRows(n, n));
}

}  // namespace tabora::test
