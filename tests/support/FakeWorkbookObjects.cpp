#include <algorithm>

#include "excel/SaveChangesQuestion.h"
#include "platform/Runtime.h"
#include "support/FakeArguments.h"
#include "support/FakeExcelErrors.h"
#include "support/FakeObjects.h"
#include "support/FakeSheetNames.h"
#include "support/FakeStrings.h"
#include "support/FakeWorkbookFile.h"

namespace tabora::test {

namespace {
constexpr int32_t kTemplateWorksheet = -4167;
constexpr int32_t kTemplateChart = -4109;

std::shared_ptr<FakeWorkbook> NewWorkbook(FakeInstance& app, std::u16string name) {
    auto workbook = std::make_shared<FakeWorkbook>();
    workbook->name = std::move(name);
    app.workbooks.push_back(workbook);
    return workbook;
}

void AddSheet(FakeWorkbook& workbook, bool chart) {
    auto sheet = std::make_shared<FakeSheet>();
    sheet->isChart = chart;
    sheet->name = NewSheetName(workbook, chart ? u"Chart" : u"Sheet");
    sheet->grid = excel::GridOfWorkbook(workbook.name);
    workbook.sheets.push_back(std::move(sheet));
}

std::u16string WithoutExtension(std::u16string name) {
    const size_t dot = name.rfind(u'.');
    return dot == std::u16string::npos ? name : name.substr(0, dot);
}
}  // namespace

Variant FakeWorkbooksObject::Dispatch(const Invocation& call) {
    FakeInstance& app = *instance_;
    const std::u16string_view m = call.member;
    ReadOnly(call);
    if (Is(m, u"Open")) return Open(call);
    if (Is(m, u"Add")) return Add(call);
    if (Is(m, u"Count")) {
        const Arguments none(call, {});
        return Variant(static_cast<int32_t>(app.workbooks.size()));
    }
    if (Is(m, u"Item") || m.empty() || Is(m, u"_Default")) {
        const ItemKey key = ToItemKey(Arguments(call, {u"Index"}).Value(0));
        if (key.byName) {
            for (const auto& workbook : app.workbooks) {
                if (EqualsIgnoringCase(workbook->name, key.name)) return Make<FakeWorkbookObject>(std::weak_ptr(workbook));
            }
        } else if (key.position >= 1 && key.position <= static_cast<int32_t>(app.workbooks.size())) {
            return Make<FakeWorkbookObject>(std::weak_ptr(app.workbooks[static_cast<size_t>(key.position - 1)]));
        }
        throw vb_error::Raise(vb_error::kSubscriptOutOfRange);
    }
    if (Is(m, u"Close")) {
        const Arguments none(call, {});
        app.workbooks.clear();
        app.activeWorkbook.reset();
        return {};
    }
    NoSuchMember();
}

std::vector<Variant> FakeWorkbooksObject::Items() {
    std::vector<Variant> items;
    for (const auto& workbook : instance_->workbooks) items.push_back(Make<FakeWorkbookObject>(std::weak_ptr(workbook)));
    return items;
}

Variant FakeWorkbooksObject::Open(const Invocation& call) {
    const Arguments args(call, {u"Filename", u"UpdateLinks", u"ReadOnly", u"Format", u"Password",
                                u"WriteResPassword", u"IgnoreReadOnlyRecommended", u"Origin", u"Delimiter",
                                u"Editable", u"Notify", u"Converter", u"AddToMru"});
    FakeInstance& app = *instance_;
    const std::u16string path = args.Text(0);
    // A workbook already open from that file just comes to the front.
    for (const auto& open : app.workbooks) {
        if (!open->fullName.empty() && EqualsIgnoringCase(open->fullName, path)) {
            app.Activate(open, nullptr);
            return Make<FakeWorkbookObject>(std::weak_ptr(open));
        }
    }
    LoadedWorkbook loaded = LoadWorkbookFile(path);
    if (loaded.problem == LoadedWorkbook::Problem::Missing) throw RuntimeError(excel_error::FileNotFound(path));
    if (loaded.problem == LoadedWorkbook::Problem::NotAWorkbook) throw RuntimeError(excel_error::NotAWorkbook(path));
    const std::u16string name = FileNamePart(path);
    if (app.FindWorkbook(name) != nullptr) throw RuntimeError(excel_error::SameNameOpen(name));
    auto workbook = NewWorkbook(app, name);
    workbook->fullName = path;
    workbook->sheets = std::move(loaded.sheets);
    for (const auto& sheet : workbook->sheets) sheet->grid = excel::GridOfWorkbook(path);
    MarkSaved(*workbook);
    app.Activate(workbook, workbook->sheets[static_cast<size_t>(loaded.activeSheet - 1)]);
    return Make<FakeWorkbookObject>(std::weak_ptr(workbook));
}

Variant FakeWorkbooksObject::Add(const Invocation& call) {
    const Arguments args(call, {u"Template"});
    FakeInstance& app = *instance_;
    std::shared_ptr<FakeWorkbook> workbook;
    if (!args.Has(0)) {
        workbook = NewWorkbook(app, u"Book" + FromUtf8(std::to_string(++app.addedWorkbooks)));
        for (int32_t i = 0; i < app.sheetsInNewWorkbook; ++i) AddSheet(*workbook, false);
    } else if (args.Value(0).Type() == VariantType::String) {
        const std::u16string path = args.Text(0);
        LoadedWorkbook loaded = LoadWorkbookFile(path);
        if (loaded.problem != LoadedWorkbook::Problem::None) throw RuntimeError(excel_error::FileNotFound(path));
        workbook = NewWorkbook(app, WithoutExtension(FileNamePart(path)) + u"1");
        workbook->sheets = std::move(loaded.sheets);
        for (const auto& sheet : workbook->sheets) sheet->grid = excel::GridOfWorkbook(path);
    } else {
        const int32_t kind = args.Number(0);
        if (kind != kTemplateWorksheet && kind != kTemplateChart) {
            throw RuntimeError(excel_error::MethodFailed(u"Workbooks", u"Add"));
        }
        workbook = NewWorkbook(app, u"Book" + FromUtf8(std::to_string(++app.addedWorkbooks)));
        AddSheet(*workbook, kind == kTemplateChart);
    }
    MarkSaved(*workbook);
    app.Activate(workbook, workbook->sheets.front());
    return Make<FakeWorkbookObject>(std::weak_ptr(workbook));
}

std::shared_ptr<FakeWorkbook> FakeWorkbookObject::Workbook() const {
    auto workbook = workbook_.lock();
    const auto& open = instance_->workbooks;
    if (!workbook || std::find(open.begin(), open.end(), workbook) == open.end()) {
        throw RuntimeError(excel_error::ObjectDeleted());
    }
    return workbook;
}

std::string FakeWorkbookObject::Describe() const {
    const auto workbook = workbook_.lock();
    return workbook ? "<Workbook \"" + ToUtf8(workbook->name) + "\">" : "<Workbook (closed)>";
}

Variant FakeWorkbookObject::Dispatch(const Invocation& call) {
    const std::u16string_view m = call.member;
    if (Is(m, u"Saved") && IsPut(call)) {
        const auto workbook = Workbook();
        if (Arguments::ToFlag(Arguments(call, {}).NewValue()))
            MarkSaved(*workbook);
        else
            workbook->markedUnsaved = true;
        return {};
    }
    ReadOnly(call);
    if (Is(m, u"SaveAs")) return SaveAs(call);
    if (Is(m, u"Close")) return Close(call);
    if (Is(m, u"Protect")) return Protect(call);
    const Arguments none(call, {});
    const auto workbook = Workbook();
    if (Is(m, u"Name")) return Variant(workbook->name);
    if (Is(m, u"ProtectStructure")) return Variant(workbook->protectStructure);
    if (Is(m, u"Saved")) return Variant(!HasUnsavedChanges(*workbook));
    if (Is(m, u"FullName")) return Variant(workbook->fullName.empty() ? workbook->name : workbook->fullName);
    if (Is(m, u"Sheets") || Is(m, u"Worksheets")) {
        return Make<FakeSheetsObject>(std::weak_ptr(workbook), Is(m, u"Worksheets"));
    }
    if (Is(m, u"ActiveSheet")) return Make<FakeSheetObject>(SheetLink{workbook, workbook->activeSheet});
    if (Is(m, u"Activate")) {
        instance_->Activate(workbook, nullptr);
        return {};
    }
    if (Is(m, u"Save")) {
        if (workbook->fullName.empty() || !SaveWorkbookFile(workbook->fullName, *workbook)) {
            throw RuntimeError(excel_error::MethodFailed(u"Workbook", u"Save"));
        }
        MarkSaved(*workbook);
        return {};
    }
    NoSuchMember();
}

Variant FakeWorkbookObject::SaveAs(const Invocation& call) {
    const Arguments args(call, {u"Filename", u"FileFormat", u"Password", u"WriteResPassword",
                                u"ReadOnlyRecommended", u"CreateBackup", u"AccessMode", u"ConflictResolution",
                                u"AddToMru", u"TextCodepage", u"TextVisualLayout", u"Local"});
    const auto workbook = Workbook();
    const std::u16string path = args.Has(0) ? args.Text(0) : workbook->fullName;
    const int32_t accessMode = args.NumberOr(6, 1);  // xlNoChange, xlShared, xlExclusive
    const FakeWorkbook* sameName = instance_->FindWorkbook(FileNamePart(path));
    if (path.empty() || accessMode < 1 || accessMode > 3 || (sameName != nullptr && sameName != workbook.get())) {
        throw RuntimeError(excel_error::MethodFailed(u"Workbook", u"SaveAs"));
    }
    if (!SaveWorkbookFile(path, *workbook)) throw RuntimeError(excel_error::CannotSaveTo(path));
    workbook->fullName = path;
    workbook->name = FileNamePart(path);
    const excel::WorkbookGrid grid =
        excel::SavesBinaryFormat(path, args.NumberOr(1, 0)) ? excel::kBinaryGrid : excel::kLargeGrid;
    for (const auto& sheet : workbook->sheets) sheet->grid = grid;
    MarkSaved(*workbook);
    return {};
}

Variant FakeWorkbookObject::Close(const Invocation& call) {
    const Arguments args(call, {u"SaveChanges", u"Filename", u"RouteWorkbook"});
    const auto workbook = Workbook();
    bool save = args.FlagOr(0, false);
    if (!args.Has(0) && instance_->displayAlerts && HasUnsavedChanges(*workbook)) {
        const int16_t answer = platform::MessageBox().Show(excel::kSaveChangesStyle,
                                                           excel::SaveChangesQuestion(workbook->name),
                                                           excel::kSaveChangesTitle);
        if (answer == platform::button::kCancel) throw RuntimeError(excel_error::MethodFailed(u"Workbook", u"Close"));
        save = answer == platform::button::kYes;
    }
    if (save) {
        const std::u16string path = args.Has(1) ? args.Text(1) : workbook->fullName;
        if (path.empty() || !SaveWorkbookFile(path, *workbook)) {
            throw RuntimeError(excel_error::MethodFailed(u"Workbook", u"Close"));
        }
    }
    instance_->RemoveWorkbook(workbook.get());
    return {};
}

Variant FakeWorkbookObject::Protect(const Invocation& call) {
    const Arguments args(call, {u"Password", u"Structure", u"Windows"});
    // Structure is False when left out; the protection of windows is not modelled.
    if (args.FlagOr(1, false)) Workbook()->protectStructure = true;
    return {};
}

}  // namespace tabora::test
