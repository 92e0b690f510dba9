#include "support/FakeArguments.h"
#include "support/FakeExcelErrors.h"
#include "support/FakeObjects.h"

namespace tabora::test {

namespace {
Variant GetOpenFilename(const Invocation& call, FakeExcelCore& core) {
    const Arguments args(call, {u"FileFilter", u"FilterIndex", u"Title", u"ButtonText", u"MultiSelect"});
    (void)args;
    if (core.openFilenameAnswers.empty()) return Variant(false);  // the user cancelled
    Variant answer = std::move(core.openFilenameAnswers.front());
    core.openFilenameAnswers.pop_front();
    return answer;
}
}  // namespace

Variant FakeApplicationObject::Dispatch(const Invocation& call) {
    FakeInstance& app = *instance_;
    const std::u16string_view m = call.member;
    if (Is(m, u"GetOpenFilename")) {
        ReadOnly(call);
        return GetOpenFilename(call, *core_);
    }
    const Arguments args(call, {});
    // Shown to the user, the instance is the user's: it stays when released.
    const auto flag = [&](bool& field) {
        if (!IsPut(call)) return Variant(field);
        field = Arguments::ToFlag(args.NewValue());
        if (&field == &app.visible && app.visible) app.userControl = true;
        return Variant();
    };
    if (Is(m, u"Visible")) return flag(app.visible);
    if (Is(m, u"DisplayAlerts")) return flag(app.displayAlerts);
    if (Is(m, u"UserControl")) return flag(app.userControl);
    if (Is(m, u"SheetsInNewWorkbook")) {
        if (!IsPut(call)) return Variant(app.sheetsInNewWorkbook);
        const int32_t count = Arguments::ToNumber(args.NewValue());
        if (count < 1 || count > 255) throw RuntimeError(excel_error::CannotSet(u"Application", m));
        app.sheetsInNewWorkbook = count;
        return {};
    }
    if (Is(m, u"CutCopyMode")) {
        if (!IsPut(call)) return app.clipboard ? Variant(int32_t{1}) : Variant(false);
        if (!Arguments::ToFlag(args.NewValue())) app.clipboard.reset();
        return {};
    }
    ReadOnly(call);
    if (Is(m, u"Name")) return Variant(u"Microsoft Excel");
    if (Is(m, u"Version")) return Variant(u"9.0");
    if (Is(m, u"Workbooks")) return Make<FakeWorkbooksObject>();
    if (Is(m, u"ActiveWorkbook")) {
        if (!app.activeWorkbook) return Nothing();
        return Make<FakeWorkbookObject>(std::weak_ptr<FakeWorkbook>(app.activeWorkbook));
    }
    if (Is(m, u"ActiveSheet")) {
        if (!app.activeWorkbook || !app.activeWorkbook->activeSheet) return Nothing();
        return Make<FakeSheetObject>(SheetLink{app.activeWorkbook, app.activeWorkbook->activeSheet});
    }
    if (Is(m, u"Selection")) {
        FakeSheet* sheet = app.ActiveSheet();
        if (sheet == nullptr || sheet->isChart) return Nothing();
        return Make<FakeRangeObject>(SheetLink{app.activeWorkbook, app.activeWorkbook->activeSheet}, sheet->selection);
    }
    if (Is(m, u"Sheets") || Is(m, u"Worksheets")) {
        if (!app.activeWorkbook) return Nothing();
        return Make<FakeSheetsObject>(std::weak_ptr<FakeWorkbook>(app.activeWorkbook), Is(m, u"Worksheets"));
    }
    if (Is(m, u"Quit")) {
        app.quitCalled = true;
        app.End();
        return {};
    }
    NoSuchMember();
}

}  // namespace tabora::test
