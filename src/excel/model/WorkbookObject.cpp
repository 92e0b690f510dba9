// Workbook: its sheets, saving and closing.
#include "excel/ArgumentConversion.h"
#include "excel/CaseFolding.h"
#include "excel/WorkbookGrid.h"
#include "excel/model/Messages.h"
#include "excel/model/Objects.h"
#include "excel/model/Xl.h"

namespace tabora::excel::model {

struct WorkbookMembers {
    using W = WorkbookObject;
    static constexpr Member<W> kTable[] = {
        {u"Name", {}, &W::Name},
        {u"FullName", {}, &W::FullName},
        {u"Sheets", {u"Index"}, &W::Sheets},
        {u"Worksheets", {u"Index"}, &W::Worksheets},
        {u"ActiveSheet", {}, &W::ActiveSheet},
        {u"Activate", {}, &W::Activate},
        {u"Saved", {}, &W::Saved, &W::SetSaved},
        {u"Save", {}, &W::Save},
        {u"SaveAs",
         {u"Filename", u"FileFormat", u"Password", u"WriteResPassword", u"ReadOnlyRecommended", u"CreateBackup",
          u"AccessMode", u"ConflictResolution", u"AddToMru", u"TextCodepage", u"TextVisualLayout", u"Local"},
         &W::SaveAs},
        {u"Close", {u"SaveChanges", u"Filename", u"RouteWorkbook"}, &W::Close},
        {u"Protect", {u"Password", u"Structure", u"Windows"}, &W::Protect},
        {u"ProtectStructure", {}, &W::ProtectStructure},
    };
};

Variant WorkbookObject::Dispatch(const Invocation& call) { return DispatchTo<WorkbookObject>(*this, WorkbookMembers::kTable, call); }

void WorkbookObject::CheckExists() const {
    if (!App().IsOpen(*workbook_)) throw App().ObjectDeleted();
}

std::u16string WorkbookObject::Describe() const { return u"<Workbook \"" + workbook_->Name() + u"\">"; }

Variant WorkbookObject::Name(const Arguments&) { return workbook_->Name(); }

Variant WorkbookObject::FullName(const Arguments&) {
    std::u16string path = workbook_->Path();
    return path.empty() ? workbook_->Name() : path;
}

Variant WorkbookObject::SheetsOf(const Arguments& args, bool worksheetsOnly) {
    auto sheets = std::make_shared<SheetsObject>(SharedApp(), workbook_, worksheetsOnly);
    return args.Has(0) ? sheets->Item(args.Value(0)) : Variant(ObjectRef(sheets));
}

Variant WorkbookObject::Sheets(const Arguments& args) { return SheetsOf(args, false); }
Variant WorkbookObject::Worksheets(const Arguments& args) { return SheetsOf(args, true); }

Variant WorkbookObject::ActiveSheet(const Arguments&) {
    SheetRef sheet = workbook_->ActiveSheet();
    return sheet ? Make<SheetObject>(workbook_, std::move(sheet)) : Nothing();
}

Variant WorkbookObject::Activate(const Arguments&) {
    App().Activate(workbook_);
    return {};
}

Variant WorkbookObject::Saved(const Arguments&) { return !workbook_->Modified(); }
void WorkbookObject::SetSaved(const Arguments& args) { workbook_->SetModified(!ToBool(args.NewValue())); }

Variant WorkbookObject::Save(const Arguments&) {
    // A workbook never saved would need a name: Excel asks for one, which the automation caller
    // cannot answer.
    if (workbook_->Path().empty()) throw App().Refusal(messages::MethodFailedText(u"Workbook", u"Save"));
    workbook_->Save();
    return {};
}

void WorkbookObject::SaveTo(const std::u16string& path, std::optional<int32_t> format) {
    if (!format) format = FileFormatFor(path);
    if (!format) throw App().Refusal(messages::FormatCannotBeSaved());
    workbook_->SaveAs(path, *format);
}

Variant WorkbookObject::SaveAs(const Arguments& args) {
    const std::u16string path = args.Has(0) ? args.Text(0) : workbook_->Path();
    constexpr int32_t kNoChange = 1, kExclusive = 3;
    const int32_t accessMode = args.NumberOr(6, kNoChange);
    const auto failed = [&] { return App().Refusal(messages::MethodFailedText(u"Workbook", u"SaveAs")); };
    if (path.empty() || accessMode < kNoChange || accessMode > kExclusive) throw failed();
    std::optional<int32_t> format;
    if (args.Has(1)) {
        format = args.Number(1);
        if (!xl::IsSaveFormat(*format)) throw App().Refusal(messages::FormatCannotBeSaved());
    }
    // Another open workbook of the same file name would be two workbooks of one name.
    const size_t slash = path.find_last_of(u"\\/");
    const std::u16string name = slash == std::u16string::npos ? path : path.substr(slash + 1);
    for (const WorkbookRef& open : App().Workbooks())
        if (open != workbook_ && EqualsIgnoringCase(open->Name(), name)) throw failed();
    SaveTo(path, format);
    return {};
}

Variant WorkbookObject::Close(const Arguments& args) {
    bool save = args.FlagOr(0, false);
    if (!args.Has(0) && App().DisplayAlerts() && workbook_->Modified()) {
        switch (App().Store().AskToSaveChanges(*workbook_)) {
            case SaveAnswer::Save: save = true; break;
            case SaveAnswer::DontSave: break;
            // The user keeps the workbook open: the close did not take place.
            case SaveAnswer::Cancel: throw App().Refusal(messages::MethodFailedText(u"Workbook", u"Close"));
        }
    }
    if (save) {
        if (args.Has(1)) {
            SaveTo(args.Text(1), std::nullopt);
        } else if (workbook_->Path().empty()) {
            throw App().Refusal(messages::MethodFailedText(u"Workbook", u"Close"));
        } else {
            workbook_->Save();
        }
    }
    workbook_->Close();
    App().Forget(*workbook_);
    return {};
}

Variant WorkbookObject::Protect(const Arguments& args) {
    // Structure is False when left out; the protection of windows is not modelled.
    if (args.FlagOr(1, false)) workbook_->ProtectStructure(args.Has(0) ? args.Text(0) : u"");
    return {};
}

Variant WorkbookObject::ProtectStructure(const Arguments&) { return workbook_->StructureProtected(); }

}  // namespace tabora::excel::model
