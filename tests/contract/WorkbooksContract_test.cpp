// Workbooks: none, added, counted, as Excel's are.
#include "contract/ExcelContract.h"
#include "support/TestRuntime.h"

namespace tabora::test {
namespace {

TEST_P(WorkbooksContract, NoActiveWorkbookIsNothing) {
    Variant active = Application()->Get(u"ActiveWorkbook");
    ASSERT_EQ(active.Type(), VariantType::Object);
    EXPECT_EQ(ErrorOf([&] { active.AsObject(); }).Number, 91) << "Nothing";
    EXPECT_EQ(Application()->GetObject(u"Workbooks")->Get(u"Count"), Variant(int32_t{0}));
}

TEST_P(WorkbooksContract, AddMakesSheetsInNewWorkbookSheetsAndBecomesActive) {
    auto app = Application();
    app->Put(u"SheetsInNewWorkbook", int32_t{1});
    EXPECT_EQ(app->Get(u"SheetsInNewWorkbook"), Variant(int32_t{1}));
    auto one = app->GetObject(u"Workbooks")->Call(u"Add").AsObject();
    EXPECT_EQ(WorksheetNamesOf(one), (std::vector<std::u16string>{u"Sheet1"}));
    app->Put(u"SheetsInNewWorkbook", int32_t{4});
    auto four = app->GetObject(u"Workbooks")->Call(u"Add").AsObject();
    EXPECT_EQ(WorksheetNamesOf(four), (std::vector<std::u16string>{u"Sheet1", u"Sheet2", u"Sheet3", u"Sheet4"}));
    EXPECT_EQ(app->GetObject(u"ActiveWorkbook")->Get(u"Name"), four->Get(u"Name"));
    EXPECT_EQ(app->GetObject(u"Workbooks")->Get(u"Count"), Variant(int32_t{2}));
    EXPECT_EQ(ErrorOf([&] { app->Put(u"SheetsInNewWorkbook", int32_t{0}); }).Number, 1004);
}

// Closing a workbook: saved, discarded or asked about as Excel does. The file on disk tells
// what was saved; a cancelled question leaves the workbook open with its change.
struct CloseCase {
    const char* name;
    bool changed;         // a cell was written since the workbook was opened
    bool alerts;          // DisplayAlerts
    Variant saveChanges;  // Close's first argument; Missing when omitted
    int16_t answer;       // the user's answer to the question, when one is expected (0: none)
    bool saved;           // the file holds the change afterwards
};

TEST_P(WorkbooksContract, CloseSavesDiscardsOrAsksAboutChangesAsExcelDoes) {
    using namespace platform::button;
    const CloseCase cases[] = {
        {"changed, alerts on, Yes", true, true, Variant::Missing(), kYes, true},
        {"changed, alerts on, No", true, true, Variant::Missing(), kNo, false},
        {"changed, alerts on, Cancel", true, true, Variant::Missing(), kCancel, false},
        {"changed, alerts off", true, false, Variant::Missing(), 0, false},
        {"changed, alerts on, SaveChanges True", true, true, Variant(true), 0, true},
        {"changed, alerts on, SaveChanges False", true, true, Variant(false), 0, false},
        {"unchanged, alerts on", false, true, Variant::Missing(), 0, false},
    };
    TestRuntime runtime;
    for (const CloseCase& c : cases) {
        SCOPED_TRACE(c.name);
        ObjectRef book = OpenedWorkbook(u"ask.xls", {u"Sheet1"});
        const std::u16string path = book->Get(u"FullName").AsString();
        if (c.changed) Cell(1, 1)->Put(u"Value", u"changed");
        Application()->Put(u"DisplayAlerts", c.alerts);
        runtime.boxes.ClearShown();
        if (c.answer != 0) runtime.boxes.Answer(c.answer);
        int32_t error = 0;
        try {
            if (c.saveChanges.IsMissing())
                book->Call(u"Close");
            else
                book->Call(u"Close", {c.saveChanges});
        } catch (const RuntimeError& e) {
            error = e.Number();
        }
        Application()->Put(u"DisplayAlerts", false);

        const bool cancelled = c.answer == kCancel;
        EXPECT_EQ(error, cancelled ? 1004 : 0);
        if (c.answer != 0) {
            ASSERT_EQ(runtime.boxes.Shown().size(), 1u);
            EXPECT_EQ(runtime.boxes.Shown()[0].text, u"'ask.xls' への変更を保存しますか?");
            EXPECT_EQ(runtime.boxes.Shown()[0].style, 51) << "Yes, No and Cancel, with the exclamation icon";
        } else {
            EXPECT_TRUE(runtime.boxes.Shown().empty());
        }
        EXPECT_EQ(Application()->GetObject(u"Workbooks")->Get(u"Count"), Variant(int32_t{cancelled ? 1 : 0}));
        if (cancelled) {
            EXPECT_EQ(Cell(1, 1)->Get(u"Value"), Variant(u"changed")) << "the change is still there";
            book->Call(u"Close", {false});
        }
        ObjectRef reopened = Application()->GetObject(u"Workbooks")->Call(u"Open", {path}).AsObject();
        EXPECT_EQ(Cell(1, 1)->Get(u"Value"), c.saved ? Variant(u"changed") : Variant());
        reopened->Call(u"Close", {false});
    }
}

}  // namespace
}  // namespace tabora::test
