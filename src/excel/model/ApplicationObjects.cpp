// Application and Workbooks.
#include "excel/ArgumentConversion.h"
#include "excel/CaseFolding.h"
#include "excel/SheetNames.h"
#include "excel/model/Messages.h"
#include "excel/model/Objects.h"

namespace tabora::excel::model {

struct ApplicationMembers {
    using A = ApplicationObject;
    static constexpr Member<A> kTable[] = {
        {u"Workbooks", {u"Index"}, &A::Workbooks},
        {u"ActiveWorkbook", {}, &A::ActiveWorkbook},
        {u"ActiveSheet", {}, &A::ActiveSheet},
        {u"Sheets", {u"Index"}, &A::Sheets},
        {u"Worksheets", {u"Index"}, &A::Worksheets},
        {u"Selection", {}, &A::Selection},
        {u"DisplayAlerts", {}, &A::DisplayAlerts, &A::SetDisplayAlerts},
        {u"Visible", {}, &A::Visible, &A::SetVisible},
        {u"SheetsInNewWorkbook", {}, &A::SheetsInNewWorkbook, &A::SetSheetsInNewWorkbook},
        {u"CutCopyMode", {}, &A::CutCopyMode, &A::SetCutCopyMode},
        {u"Name", {}, &A::Name},
        {u"Quit", {}, &A::Quit},
        {u"GetOpenFilename", {u"FileFilter", u"FilterIndex", u"Title", u"ButtonText", u"MultiSelect"}, &A::GetOpenFilename},
    };
};

Variant ApplicationObject::Dispatch(const Invocation& call) { return DispatchTo<ApplicationObject>(*this, ApplicationMembers::kTable, call); }

Variant ApplicationObject::Workbooks(const Arguments& args) {
    const Variant workbooks = Make<WorkbooksObject>();
    return args.Has(0) ? workbooks.AsObject()->Get(u"Item", {args.Value(0)}) : workbooks;
}

Variant ApplicationObject::ActiveWorkbook(const Arguments&) {
    const WorkbookRef& active = App().ActiveWorkbook();
    return active ? Make<WorkbookObject>(active) : Nothing();
}

Variant ApplicationObject::ActiveSheet(const Arguments&) {
    const WorkbookRef& active = App().ActiveWorkbook();
    if (!active) return Nothing();
    SheetRef sheet = active->ActiveSheet();
    return sheet ? Make<SheetObject>(active, std::move(sheet)) : Nothing();
}

Variant ApplicationObject::SheetsOfActive(const Arguments& args, bool worksheetsOnly) {
    const WorkbookRef& active = App().ActiveWorkbook();
    if (!active) return Nothing();
    auto sheets = std::make_shared<SheetsObject>(SharedApp(), active, worksheetsOnly);
    return args.Has(0) ? sheets->Item(args.Value(0)) : Variant(ObjectRef(sheets));
}

Variant ApplicationObject::Sheets(const Arguments& args) { return SheetsOfActive(args, false); }
Variant ApplicationObject::Worksheets(const Arguments& args) { return SheetsOfActive(args, true); }

Variant ApplicationObject::Selection(const Arguments&) {
    const WorkbookRef& active = App().ActiveWorkbook();
    SheetRef sheet = active ? active->ActiveSheet() : nullptr;
    if (!sheet || sheet->IsChart()) return Nothing();
    return Make<RangeObject>(active, sheet, sheet->Selection());
}

Variant ApplicationObject::DisplayAlerts(const Arguments&) { return App().DisplayAlerts(); }
void ApplicationObject::SetDisplayAlerts(const Arguments& args) { App().SetDisplayAlerts(ToBool(args.NewValue())); }
Variant ApplicationObject::Visible(const Arguments&) { return App().Visible(); }
void ApplicationObject::SetVisible(const Arguments& args) { App().SetVisible(ToBool(args.NewValue())); }
Variant ApplicationObject::SheetsInNewWorkbook(const Arguments&) { return App().SheetsInNewWorkbook(); }

void ApplicationObject::SetSheetsInNewWorkbook(const Arguments& args) {
    const int32_t count = ToLong(args.NewValue());
    if (count < 1 || count > 255) throw App().Refusal(messages::CannotSetText(u"Application", u"SheetsInNewWorkbook"));
    App().SetSheetsInNewWorkbook(count);
}

Variant ApplicationObject::CutCopyMode(const Arguments&) {
    constexpr int32_t kXlCopy = 1;
    return App().Copied() ? Variant(kXlCopy) : Variant(false);
}

void ApplicationObject::SetCutCopyMode(const Arguments& args) {
    if (!ToBool(args.NewValue())) App().SetCopied(std::nullopt);
}

Variant ApplicationObject::Name(const Arguments&) { return App().Store().Name(); }

Variant ApplicationObject::Quit(const Arguments&) {
    App().Quit();
    return {};
}

Variant ApplicationObject::GetOpenFilename(const Arguments& args) {
    const std::u16string filter = args.Has(0) ? args.Text(0) : u"";
    const std::u16string title = args.Has(2) ? args.Text(2) : u"";
    const std::optional<std::u16string> chosen = App().Store().GetOpenFilename(filter, title);
    return chosen ? Variant(*chosen) : Variant(false);  // False when the user cancels
}

struct WorkbooksMembers {
    using W = WorkbooksObject;
    static constexpr Member<W> kTable[] = {
        {u"Count", {}, &W::Count},
        {u"Item", {u"Index"}, &W::Item},
        {u"Open",
         {u"Filename", u"UpdateLinks", u"ReadOnly", u"Format", u"Password", u"WriteResPassword",
          u"IgnoreReadOnlyRecommended", u"Origin", u"Delimiter", u"Editable", u"Notify", u"Converter", u"AddToMru"},
         &W::Open},
        {u"Add", {u"Template"}, &W::Add},
        {u"Close", {}, &W::Close},
    };
};

Variant WorkbooksObject::Dispatch(const Invocation& call) { return DispatchTo<WorkbooksObject>(*this, WorkbooksMembers::kTable, call); }

std::vector<Variant> WorkbooksObject::Items() {
    std::vector<Variant> items;
    for (const WorkbookRef& workbook : App().Workbooks()) items.push_back(Make<WorkbookObject>(workbook));
    return items;
}

Variant WorkbooksObject::Count(const Arguments&) { return static_cast<int32_t>(App().Workbooks().size()); }

Variant WorkbooksObject::Item(const Arguments& args) {
    const ItemKey key = ToItemKey(args.Value(0));
    const auto& open = App().Workbooks();
    if (key.byName) {
        for (const WorkbookRef& workbook : open)
            if (EqualsIgnoringCase(workbook->Name(), key.name)) return Make<WorkbookObject>(workbook);
    } else if (key.position >= 1 && key.position <= static_cast<int32_t>(open.size())) {
        return Make<WorkbookObject>(open[static_cast<size_t>(key.position - 1)]);
    }
    throw vb_error::Raise(vb_error::kSubscriptOutOfRange);
}

namespace {
std::u16string FileNamePart(std::u16string_view path) {
    const size_t slash = path.find_last_of(u"\\/");
    return std::u16string(slash == std::u16string_view::npos ? path : path.substr(slash + 1));
}
}  // namespace

Variant WorkbooksObject::Open(const Arguments& args) {
    const std::u16string path = args.Text(0);
    Application& app = App();
    // A workbook already open from that file comes to the front rather than a second, writable
    // copy that would overwrite the first.
    for (const WorkbookRef& open : app.Workbooks()) {
        if (!open->Path().empty() && EqualsIgnoringCase(open->Path(), path)) {
            app.Activate(open);
            return Make<WorkbookObject>(open);
        }
    }
    // Excel holds one workbook of a name at a time.
    const std::u16string name = FileNamePart(path);
    for (const WorkbookRef& open : app.Workbooks())
        if (EqualsIgnoringCase(open->Name(), name)) throw app.Refusal(messages::SameNameOpen(name));
    using Problem = ApplicationStore::OpenProblem;
    ApplicationStore::Opened opened = app.Store().Open(path);
    switch (opened.problem) {
        case Problem::None: break;
        case Problem::NotFound: throw app.Refusal(messages::FileNotFound(path));
        case Problem::NotAWorkbook: throw app.Refusal(messages::NotAWorkbook(path));
        case Problem::CannotOpen: throw app.Refusal(messages::CannotOpen(path));
    }
    app.Adopt(opened.workbook);
    return Make<WorkbookObject>(opened.workbook);
}

Variant WorkbooksObject::Add(const Arguments& args) {
    if (args.Has(0)) throw App().Refusal(messages::MethodFailedText(u"Workbooks", u"Add"));
    // Excel's new workbook: SheetsInNewWorkbook sheets named Sheet1, Sheet2, ... in any language.
    std::vector<std::u16string> names;
    for (int32_t i = 0; i < App().SheetsInNewWorkbook(); ++i) names.push_back(NewSheetName(u"Sheet", names));
    WorkbookRef workbook = App().Store().Add(names);
    App().Adopt(workbook);
    return Make<WorkbookObject>(workbook);
}

Variant WorkbooksObject::Close(const Arguments&) {
    for (const WorkbookRef& workbook : std::vector<WorkbookRef>(App().Workbooks())) {
        Make<WorkbookObject>(workbook).AsObject()->Call(u"Close", {false});
    }
    return {};
}

}  // namespace tabora::excel::model
