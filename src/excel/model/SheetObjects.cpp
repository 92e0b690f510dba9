// Sheets, Worksheets and a sheet: names, visibility, the sheet in front, copies and deletions.
#include <algorithm>

#include "excel/ArgumentConversion.h"
#include "excel/CaseFolding.h"
#include "excel/SheetNames.h"
#include "excel/model/Messages.h"
#include "excel/model/Objects.h"
#include "excel/model/Xl.h"

namespace tabora::excel::model {

namespace {

std::vector<std::u16string> NamesOf(const std::vector<SheetRef>& sheets, SheetStore* besides = nullptr) {
    std::vector<std::u16string> names;
    names.reserve(sheets.size());
    for (const SheetRef& sheet : sheets)
        if (besides == nullptr || !sheet->SameAs(*besides)) names.push_back(sheet->Name());
    return names;
}

// 0-based place of sheet among sheets; -1 when it is not there.
int32_t PlaceOf(const std::vector<SheetRef>& sheets, SheetStore& sheet) {
    for (size_t i = 0; i < sheets.size(); ++i)
        if (sheets[i]->SameAs(sheet)) return static_cast<int32_t>(i);
    return -1;
}

bool IsShown(SheetStore& sheet) { return sheet.Visibility() == xl::kSheetVisible; }

size_t ShownCount(const std::vector<SheetRef>& sheets) {
    return static_cast<size_t>(std::count_if(sheets.begin(), sheets.end(), [](const SheetRef& s) { return IsShown(*s); }));
}

// The shown sheet nearest after place (0-based), else the nearest before it: the one Excel brings
// to the front when the sheet there is hidden or deleted.
SheetRef ShownSheetNear(const std::vector<SheetRef>& sheets, int32_t place) {
    const auto count = static_cast<int32_t>(sheets.size());
    for (int32_t i = std::max(place, 0); i < count; ++i)
        if (IsShown(*sheets[static_cast<size_t>(i)])) return sheets[static_cast<size_t>(i)];
    for (int32_t i = std::min(place, count - 1); i >= 0; --i)
        if (IsShown(*sheets[static_cast<size_t>(i)])) return sheets[static_cast<size_t>(i)];
    return nullptr;
}

}  // namespace

struct SheetsMembers {
    using S = SheetsObject;
    static constexpr Member<S> kTable[] = {
        {u"Count", {}, &S::Count},
        {u"Item", {u"Index"}, &S::ItemOf},
    };
};

Variant SheetsObject::Dispatch(const Invocation& call) { return DispatchTo<SheetsObject>(*this, SheetsMembers::kTable, call); }

void SheetsObject::CheckExists() const {
    if (!App().IsOpen(*workbook_)) throw App().ObjectDeleted();
}

std::vector<SheetRef> SheetsObject::Members() const {
    std::vector<SheetRef> sheets = workbook_->Sheets();
    if (worksheetsOnly_) std::erase_if(sheets, [](const SheetRef& sheet) { return sheet->IsChart(); });
    return sheets;
}

std::vector<Variant> SheetsObject::Items() {
    // All the sheets of one enumeration in one allocation: a workbook of a thousand sheets is
    // listed without a thousand of them.
    // The block holds the application and the workbook once; its sheets borrow them.
    struct Block {
        std::shared_ptr<Application> app;
        WorkbookRef workbook;
        std::vector<SheetObject> sheets;
    };
    std::vector<SheetRef> members = Members();
    auto block = std::make_shared<Block>(Block{SharedApp(), workbook_, {}});
    const std::shared_ptr<Application> app(std::shared_ptr<Application>(), block->app.get());
    const WorkbookRef workbook(WorkbookRef(), block->workbook.get());
    block->sheets.reserve(members.size());
    std::vector<Variant> items;
    items.reserve(members.size());
    for (SheetRef& sheet : members) {
        SheetObject& object = block->sheets.emplace_back(app, workbook, std::move(sheet));
        items.emplace_back(ObjectRef(block, &object));
    }
    return items;
}

Variant SheetsObject::Count(const Arguments&) { return static_cast<int32_t>(Members().size()); }

Variant SheetsObject::ItemOf(const Arguments& args) { return Item(args.Value(0)); }

Variant SheetsObject::Item(const Variant& index) {
    const ItemKey key = ToItemKey(index);
    std::vector<SheetRef> sheets = Members();
    if (key.byName) {
        for (SheetRef& sheet : sheets)
            if (EqualsIgnoringCase(sheet->Name(), key.name)) return Make<SheetObject>(workbook_, std::move(sheet));
    } else if (key.position >= 1 && key.position <= static_cast<int32_t>(sheets.size())) {
        return Make<SheetObject>(workbook_, std::move(sheets[static_cast<size_t>(key.position - 1)]));
    }
    throw vb_error::Raise(vb_error::kSubscriptOutOfRange);
}

struct SheetMembers {
    using S = SheetObject;
    static constexpr Member<S> kTable[] = {
        {u"Name", {}, &S::Name, &S::SetName},
        {u"Index", {}, &S::Index},
        {u"Visible", {}, &S::Visible, &S::SetVisible},
        {u"Activate", {}, &S::Activate},
        {u"Select", {u"Replace"}, &S::Select},
        {u"Delete", {}, &S::Delete},
        {u"Copy", {u"Before", u"After"}, &S::Copy},
        {u"Protect", {u"Password", u"DrawingObjects", u"Contents", u"Scenarios", u"UserInterfaceOnly"}, &S::Protect},
        {u"ProtectContents", {}, &S::ProtectContents},
        {u"Parent", {}, &S::Parent},
        {u"Cells", {u"RowIndex", u"ColumnIndex"}, &S::Cells},
        {u"Range", {u"Cell1", u"Cell2"}, &S::Range},
        {u"Columns", {u"Index"}, &S::Columns},
        {u"Rows", {u"Index"}, &S::Rows},
    };
};

SheetObject::SheetObject(std::shared_ptr<Application> app, WorkbookRef workbook, SheetRef sheet)
    : Object(std::move(app)), workbook_(std::move(workbook)), sheet_(std::move(sheet)), chart_(sheet_->IsChart()) {}

Variant SheetObject::Dispatch(const Invocation& call) {
    static constexpr std::u16string_view kCellMembers[] = {u"Cells", u"Range", u"Columns", u"Rows"};
    for (std::u16string_view member : kCellMembers)
        if (chart_ && EqualsIgnoringCase(member, call.member)) throw vb_error::Raise(vb_error::kMemberNotFound);
    return DispatchTo<SheetObject>(*this, SheetMembers::kTable, call);
}

void SheetObject::CheckExists() const {
    if (!App().IsOpen(*workbook_) || !sheet_->Exists()) throw App().ObjectDeleted();
}

std::u16string SheetObject::Describe() const { return u"<" + TypeName() + u" \"" + sheet_->Name() + u"\">"; }

WorkbookGrid SheetObject::Grid() const { return Application::GridOf(*workbook_); }

void SheetObject::RefuseOnProtectedStructure(std::u16string_view member) {
    if (workbook_->StructureProtected()) throw App().Refusal(messages::MethodFailedText(TypeName(), member));
}

Variant SheetObject::Name(const Arguments&) { return sheet_->Name(); }

void SheetObject::SetName(const Arguments& args) {
    const std::u16string name = ToText(args.NewValue());
    if (name == sheet_->Name()) return;
    if (workbook_->StructureProtected()) throw App().Refusal(messages::CannotSetText(TypeName(), u"Name"));
    if (auto problem = CheckSheetName(name, NamesOf(workbook_->Sheets(), sheet_.get())))
        throw App().Refusal(SheetNameMessage(*problem));
    if (!sheet_->SetName(name)) throw App().Refusal(SheetNameMessage(SheetNameProblem::BadCharacter));
}

Variant SheetObject::Index(const Arguments&) { return PlaceOf(workbook_->Sheets(), *sheet_) + 1; }

Variant SheetObject::Visible(const Arguments&) { return sheet_->Visibility(); }

void SheetObject::SetVisible(const Arguments& args) {
    const Variant& value = args.NewValue();
    const int32_t wanted = value.Type() == VariantType::Boolean ? (value.AsBoolean() ? xl::kSheetVisible : xl::kSheetHidden)
                                                                : ToLong(value);
    const auto refused = [&] { return App().Refusal(messages::CannotSetText(TypeName(), u"Visible")); };
    if (wanted != xl::kSheetVisible && wanted != xl::kSheetHidden && wanted != xl::kSheetVeryHidden) throw refused();
    if (wanted == sheet_->Visibility()) return;
    if (workbook_->StructureProtected()) throw refused();
    const std::vector<SheetRef> sheets = workbook_->Sheets();
    const bool hiding = wanted != xl::kSheetVisible && IsShown(*sheet_);
    // A workbook keeps one visible sheet.
    if (hiding && ShownCount(sheets) == 1) throw refused();
    sheet_->SetVisibility(wanted);
    SheetRef front = workbook_->ActiveSheet();
    if (hiding && front && front->SameAs(*sheet_)) {
        if (SheetRef next = ShownSheetNear(sheets, PlaceOf(sheets, *sheet_))) workbook_->Activate(*next);
    }
}

void SheetObject::BringToFront(std::u16string_view member) {
    // A hidden sheet cannot come to the front.
    if (!IsShown(*sheet_)) throw App().Refusal(messages::MethodFailedText(TypeName(), member));
    workbook_->Activate(*sheet_);
    App().Activate(workbook_);
}

Variant SheetObject::Activate(const Arguments&) {
    BringToFront(u"Activate");
    return {};
}

Variant SheetObject::Select(const Arguments&) {
    BringToFront(u"Select");
    return {};
}

Variant SheetObject::Delete(const Arguments&) {
    RefuseOnProtectedStructure(u"Delete");
    const std::vector<SheetRef> sheets = workbook_->Sheets();
    // A workbook keeps one visible sheet.
    if (IsShown(*sheet_) && ShownCount(sheets) == 1) throw App().Refusal(messages::MethodFailedText(TypeName(), u"Delete"));
    const int32_t place = PlaceOf(sheets, *sheet_);
    SheetRef front = workbook_->ActiveSheet();
    const bool wasInFront = front && front->SameAs(*sheet_);
    App().SetCopied(std::nullopt);  // deleting a sheet ends the copy mode
    workbook_->DeleteSheet(*sheet_);
    if (wasInFront) {
        if (SheetRef next = ShownSheetNear(workbook_->Sheets(), place)) workbook_->Activate(*next);
    }
    return {};
}

Variant SheetObject::Copy(const Arguments& args) {
    const auto failed = [&] { return App().Refusal(messages::MethodFailedText(TypeName(), u"Copy")); };
    // The copy goes before or after a sheet of this workbook; without a place Excel would make a
    // workbook of it, which no store here can.
    if (args.Has(0) == args.Has(1)) throw failed();
    const bool after = args.Has(1);
    const Variant& place = args.Value(after ? 1 : 0);
    const auto* target = place.IsObject() ? dynamic_cast<const SheetObject*>(place.AsObject().get()) : nullptr;
    if (target == nullptr || &target->App() != &App() || target->workbook_ != workbook_ || !target->sheet_->Exists())
        throw failed();
    RefuseOnProtectedStructure(u"Copy");
    const std::vector<SheetRef> sheets = workbook_->Sheets();
    const int32_t position = PlaceOf(sheets, *target->sheet_) + (after ? 1 : 0);
    SheetRef copy = workbook_->CopySheet(*sheet_, position, CopyName(sheet_->Name(), NamesOf(sheets)));
    const int32_t visibility = sheet_->Visibility();
    if (copy->Visibility() != visibility) copy->SetVisibility(visibility);
    // The copy of a hidden sheet stays hidden, and the sheet in front stays in front.
    if (visibility == xl::kSheetVisible) workbook_->Activate(*copy);
    App().Activate(workbook_);
    return {};
}

Variant SheetObject::Protect(const Arguments& args) {
    // The contents are protected unless told otherwise; a store protects a sheet as a whole.
    if (args.FlagOr(2, true)) sheet_->Protect(args.Has(0) ? args.Text(0) : u"");
    return {};
}

Variant SheetObject::ProtectContents(const Arguments&) { return sheet_->IsProtected(); }

Variant SheetObject::Parent(const Arguments&) { return Make<WorkbookObject>(workbook_); }

namespace {
// A column given as a number or as letters, as Cells takes it.
int32_t ColumnArgument(Application& app, const Variant& value) {
    if (value.Type() != VariantType::String) return ToLong(value);
    if (const auto col = ColumnNumber(value.AsString())) return *col;
    throw app.Refusal(vb_error::Description(vb_error::kApplicationDefined));
}
}  // namespace

Variant SheetObject::Cells(const Arguments& args) {
    if (!args.Has(0) && !args.Has(1)) return Make<RangeObject>(workbook_, sheet_, CellArea::WholeSheet());
    const WorkbookGrid grid = Grid();
    int32_t row = 0;
    int32_t col = 0;
    if (args.Has(1)) {
        row = args.Number(0);
        col = ColumnArgument(App(), args.Value(1));
    } else {
        // One index counts cells along the rows: with 256 columns, 1 is A1 and 257 is A2.
        const int32_t index = args.Number(0);
        row = index < 1 ? 0 : (index - 1) / grid.columns + 1;
        col = index < 1 ? 0 : (index - 1) % grid.columns + 1;
    }
    if (row < 1 || row > grid.rows || col < 1 || col > grid.columns)
        throw App().Refusal(vb_error::Description(vb_error::kApplicationDefined));
    return Make<RangeObject>(workbook_, sheet_, CellArea::Cell({row, col}));
}

Variant SheetObject::Range(const Arguments& args) {
    const auto failed = [&] { return App().Refusal(messages::MethodFailedText(u"_Worksheet", u"Range")); };
    const WorkbookGrid grid = Grid();
    const auto areaOf = [&](const Variant& value) {
        if (value.Type() == VariantType::String) {
            if (const auto area = ParseArea(value.AsString()); area && area->OnGrid(grid)) return *area;
            throw failed();
        }
        const auto* range = value.IsObject() ? dynamic_cast<const RangeObject*>(value.AsObject().get()) : nullptr;
        if (range == nullptr || &range->App() != &App() || !range->Sheet()->SameAs(*sheet_)) throw failed();
        return range->Area();
    };
    const CellArea first = areaOf(args.Value(0));
    if (!args.Has(1)) return Make<RangeObject>(workbook_, sheet_, first);
    const CellArea second = areaOf(args.Value(1));
    return Make<RangeObject>(workbook_, sheet_,
                             CellArea::Between({std::min(first.top, second.top), std::min(first.left, second.left)},
                                               {std::max(first.bottom, second.bottom), std::max(first.right, second.right)}));
}

Variant SheetObject::Columns(const Arguments& args) { return Lines(args, true); }
Variant SheetObject::Rows(const Arguments& args) { return Lines(args, false); }

Variant SheetObject::Lines(const Arguments& args, bool columns) {
    if (!args.Has(0)) return Make<RangeObject>(workbook_, sheet_, CellArea::WholeSheet());
    const Variant& index = args.Value(0);
    const auto refused = [&] { return App().Refusal(vb_error::Description(vb_error::kApplicationDefined)); };
    const WorkbookGrid grid = Grid();
    if (index.Type() == VariantType::String) {
        // "B" or "B:D" for columns, "2" or "2:5" for rows.
        std::u16string text = index.AsString();
        if (text.find(u':') == std::u16string::npos) text += u":" + text;
        const auto area = ParseArea(text);
        if (area && (columns ? area->IsWholeColumns() : area->IsWholeRows()) && area->OnGrid(grid))
            return Make<RangeObject>(workbook_, sheet_, *area);
        throw refused();
    }
    const int32_t n = ToLong(index);
    if (n < 1 || n > (columns ? grid.columns : grid.rows)) throw refused();
    return Make<RangeObject>(workbook_, sheet_, columns ? CellArea::WholeColumns(n, n) : CellArea::WholeRows(n, n));
}

}  // namespace tabora::excel::model
