// The instance, its flags and its workbook, as the calls that reach Excel show them.
#include <filesystem>

#include "excel/Cls_ExcelCreate.h"
#include "platform/ScopeExit.h"

#include "support/FakeExcelErrors.h"
#include "support/HeadlessControls.h"
#include "unit/excel/WrapperFixture.h"

namespace tabora::test {
namespace {

using platform::button::kNo;
using platform::button::kYes;

TEST_F(WrapperFixture, CreationStartsItsOwnHiddenInstanceWithAlertsOff) {
    NewWrapper();
    EXPECT_EQ(excel.CallTexts(), (Texts{"Application.DisplayAlerts = False", "Application.Visible = False"}));
    EXPECT_FALSE(State().Visible());
    EXPECT_FALSE(State().DisplayAlerts());
    EXPECT_EQ(excel.Calls().at(0).locale, 1033u);
    Cls_ExcelCreate second(excel);
    EXPECT_EQ(excel.RunningInstanceCount(), 2);
    EXPECT_TRUE(second.MsgDisplayFlg_Prop());
}

TEST_F(WrapperFixture, CreationFailureReachesTheCreator) {
    excel.FailCreateApplication(excel_error::ExcelNotInstalled());
    try {
        Cls_ExcelCreate wrapperWithoutExcel(excel);
        ADD_FAILURE() << "created a wrapper without an application";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.Number(), 429);
    }
}

TEST_F(WrapperFixture, ReleaseLeavesAShownInstanceRunningAndEndsAHiddenOne) {
    NewWrapper();
    wrapper.reset();
    EXPECT_EQ(excel.RunningInstanceCount(), 0);

    NewWrapper();
    ASSERT_TRUE(wrapper->FileOpen(MakeFile({u"A"}), u""));
    ASSERT_TRUE(wrapper->Show());
    wrapper.reset();
    EXPECT_EQ(excel.RunningInstanceCount(), 1);
    EXPECT_TRUE(excel.Instance(2).Visible());
    EXPECT_TRUE(excel.Instance(2).DisplayAlerts());
    EXPECT_EQ(excel.Instance(2).Workbooks().size(), 1u);
}

TEST_F(WrapperFixture, FileOpenOpensActivatesTheFirstSheetWithAnIntegerIndex) {
    const std::u16string path = MakeFile({u"*Chart1", u"Data"});
    NewWrapper();
    excel.ClearCalls();
    ASSERT_TRUE(wrapper->FileOpen(path, u""));
    const std::string expected = "Workbooks.Open(\"" + std::string(path.begin(), path.end()) + "\")";
    EXPECT_EQ(excel.CallTexts(), (Texts{"Application.Workbooks", expected, "Application.ActiveWorkbook",
                                        "Workbook.Sheets", "Sheets.Item(1%)", "Chart.Visible", "Chart.Activate()"}));
    EXPECT_EQ(excel.LiveReferences(), 1);
    // The first sheet is a chart: the active sheet is no worksheet.
    try {
        wrapper->GetActiveSheet();
        ADD_FAILURE() << "a chart sheet passed for a worksheet";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.Number(), vb_error::kTypeMismatch);
    }
}

TEST_F(WrapperFixture, FileOpenOfAMissingFileShowsNothingEvenWithMessagesOn) {
    NewWrapper(true);
    EXPECT_FALSE(wrapper->FileOpen(folder.File(u"missing.xls")));
    EXPECT_FALSE(wrapper->FileOpen(folder.Path().u16string()));  // a folder is no file
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(wrapper->GetActiveSheet(), nullptr);
}

TEST_F(WrapperFixture, FileOpenOfAnUnreadableFileIsReportedOnceWithMessagesOn) {
    NewWrapper(true);
    const auto path = folder.Write("broken.xls", "not a workbook");
    EXPECT_FALSE(wrapper->FileOpen(path.u16string()));
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].title, u"VB Error");
    EXPECT_EQ(Boxes()[0].text.substr(0, 5), u"1004 ");
}

TEST_F(WrapperFixture, FileCreateMakesOneSheetAndPutsTheSettingBack) {
    NewWrapper();
    excel.ClearCalls();
    EXPECT_TRUE(wrapper->FileCreate());
    EXPECT_EQ(excel.CallTexts(),
              (Texts{"Application.SheetsInNewWorkbook", "Application.SheetsInNewWorkbook = 1&",
                     "Application.Workbooks", "Workbooks.Add()", "Application.SheetsInNewWorkbook = 3&"}));
    EXPECT_EQ(Book().sheets.size(), 1u);
    EXPECT_EQ(State().SheetsInNewWorkbook(), 3);
}

TEST_F(WrapperFixture, FileCreatePutsTheUsersSettingBackWhenAddFails) {
    NewWrapper();
    excel.FailCall(CallMatcher::On(u"Workbooks", u"Add"), excel_error::ApplicationDefined());
    EXPECT_FALSE(wrapper->FileCreate());
    EXPECT_EQ(State().SheetsInNewWorkbook(), 3);
}

// Excel refuses to bring a hidden sheet to the front: a workbook whose first sheet is hidden still
// opens, with its own shown sheet in front, and saves.
TEST_F(WrapperFixture, AWorkbookWhoseFirstSheetIsHiddenOpensAndSaves) {
    const std::u16string path = folder.File(u"FirstHidden.xls");
    WriteWorkbookFile(path, {{u"Hidden", false, {}}, {u"Shown", false, {}}}, {excel::xl::kSheetHidden, excel::xl::kSheetVisible});
    NewWrapper();
    ASSERT_TRUE(wrapper->FileOpen(path));
    EXPECT_EQ(Book().activeSheet->name, u"Shown");
    EXPECT_FALSE(wrapper->ActiveSheetName(u"Hidden"));
    const std::u16string target = folder.File(u"Saved.xls");
    EXPECT_TRUE(wrapper->FileSave(target));
    EXPECT_EQ(WorksheetNamesInFile(target), (std::vector<std::u16string>{u"Hidden", u"Shown"}));
}

// A look-up that fails (a name far too long for the system) is the operation's one failure.
TEST_F(WrapperFixture, AFailedExistenceCheckFailsTheOperationWithOneReport) {
    const std::u16string tooLong = folder.File(std::u16string(5000, u'x') + u".xls");
    OpenedWrapper({u"A"}, true);
    EXPECT_FALSE(wrapper->FileSave(tooLong));
    EXPECT_EQ(Boxes().size(), 1u);

    NewWrapper(true);
    wrapper->SetCreateNew(u"True");
    EXPECT_FALSE(wrapper->FileOpen(tooLong));
    EXPECT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(wrapper->GetActiveSheet(), nullptr);
    EXPECT_TRUE(excel.Instance(2).Workbooks().empty());
}

// The server resolves a relative name against its own folder, not the tool's.
TEST_F(WrapperFixture, ARelativePathReachesTheServerMadeAbsoluteOnce) {
    const std::u16string path = MakeFile({u"A"});
    const auto workingFolder = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path());
    const ScopeExit back([&] { std::filesystem::current_path(workingFolder); });
    NewWrapper();
    excel.ClearCalls();
    ASSERT_TRUE(wrapper->FileOpen(u"Book.xls"));
    wrapper->SetOverWrite(u"True");
    ASSERT_TRUE(wrapper->FileSave(u"Book.xls"));
    std::vector<Variant> paths;
    for (const RecordedCall& call : excel.Calls()) {
        if (call.member == u"Open" || call.member == u"SaveAs") paths.push_back(call.args.at(0));
    }
    EXPECT_EQ(paths, (std::vector<Variant>{Variant(path), Variant(path)}));
}

TEST_F(WrapperFixture, FileSaveAsksBeforeOverwritingAndObeysTheAnswer) {
    OpenedWrapper({u"A", u"B"}, true);
    const std::u16string target = MakeFile({u"Z"}, u"Target.xls");
    runtime.boxes.Answer(kNo);
    EXPECT_TRUE(wrapper->FileSave(target));
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, u"すでにファイルが作成されています。上書きしますか。");
    EXPECT_EQ(Boxes()[0].title, u"確認");
    EXPECT_EQ(Boxes()[0].style, 36);
    EXPECT_EQ(WorksheetNamesInFile(target), (std::vector<std::u16string>{u"Z"}));

    runtime.boxes.Answer(kYes);
    EXPECT_TRUE(wrapper->FileSave(target));
    EXPECT_EQ(WorksheetNamesInFile(target), (std::vector<std::u16string>{u"A", u"B"}));
}

TEST_F(WrapperFixture, FileSaveSelectsTheFirstCellOfTheFirstSheetAndKeepsTheAccessMode) {
    OpenedWrapper({u"A", u"B"});
    ASSERT_TRUE(wrapper->ActiveSheetName(u"B"));
    excel.ClearCalls();
    const std::u16string target = folder.File(u"New.xls");
    EXPECT_TRUE(wrapper->FileSave(target));
    const Texts calls = excel.CallTexts();
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[calls.size() - 2], "Range.Select()");
    EXPECT_EQ(excel.Calls().back().member, u"SaveAs");
    EXPECT_EQ(excel.Calls().back().args.at(0), Variant(target));
    EXPECT_EQ(excel.Calls().back().named.at(0).name, u"AccessMode");
    EXPECT_EQ(excel.Calls().back().named.at(0).value, Variant(int32_t{1}));
    EXPECT_EQ(Book().sheets[0]->selection, CellArea{});
    EXPECT_EQ(WorksheetNamesInFile(target), (std::vector<std::u16string>{u"A", u"B"}));
}

TEST_F(WrapperFixture, ShowMakesTheInstanceVisibleThenTurnsAlertsOn) {
    NewWrapper();
    excel.ClearCalls();
    EXPECT_TRUE(wrapper->Show());
    EXPECT_EQ(excel.CallTexts(), (Texts{"Application.Visible = True", "Application.DisplayAlerts = True"}));
}

TEST_F(WrapperFixture, CloseAndQuitEndTheWorkbookState) {
    OpenedWrapper({u"A"});
    EXPECT_TRUE(wrapper->FileClose());
    EXPECT_EQ(excel.CallTexts(), (Texts{"Application.ActiveWorkbook", "Workbook.Close()"}));
    EXPECT_EQ(wrapper->GetActiveSheet(), nullptr);
    EXPECT_FALSE(wrapper->FileClose());  // nothing left to close

    OpenedWrapper({u"A"});
    EXPECT_TRUE(wrapper->Quit());
    EXPECT_EQ(wrapper->GetActiveSheet(), nullptr);
    EXPECT_TRUE(excel.Instance(2).quitCalled);
}

struct FlagCase {
    std::u16string text;
    std::u16string stored;
};

class WrapperFlagTest : public WrapperFixture, public ::testing::WithParamInterface<FlagCase> {};

TEST_P(WrapperFlagTest, FlagsTakeWordsAndNumbersAndAnswerTrueOrFalse) {
    NewWrapper();
    wrapper->SetOverWrite(GetParam().text);
    wrapper->SetCreateNew(GetParam().text);
    wrapper->SetRenameForce(GetParam().text);
    EXPECT_EQ(wrapper->GetOverWrite(), GetParam().stored);
    EXPECT_EQ(wrapper->GetCreateNew(), GetParam().stored);
    EXPECT_EQ(wrapper->GetRenameForce(), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(Texts, WrapperFlagTest,
                         ::testing::Values(FlagCase{u"1", u"True"}, FlagCase{u"true", u"True"},
                                           FlagCase{u" FALSE", u"False"}, FlagCase{u"0", u"False"},
                                           FlagCase{u"-1", u"True"}));

TEST_F(WrapperFixture, AFlagTextThatIsNoFlagRaisesATypeMismatchAndKeepsTheFlag) {
    NewWrapper();
    wrapper->SetOverWrite(u"True");
    try {
        wrapper->SetOverWrite(u"yes");
        ADD_FAILURE() << "took yes for a flag";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.Number(), vb_error::kTypeMismatch);
    }
    EXPECT_EQ(wrapper->GetOverWrite(), u"True");
}

TEST_F(WrapperFixture, ErrorsAreShownOnceWithMessagesOnAndNeverWithMessagesOff) {
    OpenedWrapper({u"A"}, true);
    EXPECT_FALSE(wrapper->SetValue(1, 0, u"x"));
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].style, 16);
    EXPECT_EQ(Boxes()[0].title, u"VB Error");
    EXPECT_NE(Boxes()[0].text.find(u"\rMicrosoft Excel"), std::u16string::npos);

    wrapper->MsgDisplayFlg_Prop(false);
    EXPECT_FALSE(wrapper->SetValue(1, 0, u"x"));
    EXPECT_FALSE(wrapper->ActiveSheetName(u"Missing"));
    EXPECT_EQ(Boxes().size(), 1u);
}

// Every object an operation takes from Excel is released before it returns, failures included.
struct Operation {
    const char* name;
    std::function<void(Cls_ExcelCreate&)> run;
};

class WrapperReleaseTest : public WrapperFixture, public ::testing::WithParamInterface<Operation> {};

TEST_P(WrapperReleaseTest, HoldsNothingButItsApplicationAfterwards) {
    OpenedWrapper({u"A", u"B"});
    GetParam().run(*wrapper);
    EXPECT_EQ(excel.LiveReferences(), 1);
    excel.FailEverything(excel_error::Disconnected());
    GetParam().run(*wrapper);
    EXPECT_EQ(excel.LiveReferences(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Operations, WrapperReleaseTest,
    ::testing::Values(
        Operation{"FileOpen", [](Cls_ExcelCreate& w) { w.FileOpen(u"", u""); }},
        Operation{"FileCreate", [](Cls_ExcelCreate& w) { w.FileCreate(); }},
        Operation{"FileSave", [](Cls_ExcelCreate& w) { w.FileSave(u"/nonexistent-folder/x.xls"); }},
        Operation{"Show", [](Cls_ExcelCreate& w) { w.Show(); }},
        Operation{"ActiveSheetName", [](Cls_ExcelCreate& w) { w.ActiveSheetName(u"B"); }},
        Operation{"ActiveSheetNumber", [](Cls_ExcelCreate& w) { w.ActiveSheetNumber(2); }},
        Operation{"SheetCopy", [](Cls_ExcelCreate& w) { w.SheetCopy(u"A", u"C"); }},
        Operation{"SheetCopyRefused", [](Cls_ExcelCreate& w) { w.SheetCopy(u"A", u"x:y"); }},
        Operation{"SheetRename", [](Cls_ExcelCreate& w) { w.SheetRename(u"B", u"D"); }},
        Operation{"SetSheetNames",
                  [](Cls_ExcelCreate& w) {
                      platform::ControlDescription d;
                      d.kind = platform::ControlKind::ListBox;
                      HeadlessListBox list(d);
                      w.SetSheetNames(list);
                  }},
        Operation{"SetValue", [](Cls_ExcelCreate& w) { w.SetValue(1, 1, u"x"); }},
        Operation{"GetValue", [](Cls_ExcelCreate& w) { w.GetValue(1, 1); }},
        Operation{"DrowCellsLine", [](Cls_ExcelCreate& w) { w.DrowCellsLine(1, 2, 1, 2); }},
        Operation{"PaintCellColor", [](Cls_ExcelCreate& w) { w.PaintCellColor(1, 2, 1, 2); }},
        Operation{"CellCopyAndPaste",
                  [](Cls_ExcelCreate& w) {
                      w.CellCopy(1, 1, 1, 1);
                      w.CellPaste(3, 3);
                  }},
        Operation{"CellMerge", [](Cls_ExcelCreate& w) { w.CellMerge(1, 1, 2, 2); }},
        Operation{"CopyAndInsert_Col", [](Cls_ExcelCreate& w) { w.CopyAndInsert_Col(1, 3, -4161); }},
        Operation{"CopyAndInsert_Row", [](Cls_ExcelCreate& w) { w.CopyAndInsert_Row(1, 3, -4121); }},
        Operation{"DeleteCol", [](Cls_ExcelCreate& w) { w.DeleteCol(2, -4159); }},
        Operation{"DeleteRow", [](Cls_ExcelCreate& w) { w.DeleteRow(2, -4162); }},
        Operation{"FileClose", [](Cls_ExcelCreate& w) { w.FileClose(); }},
        Operation{"Quit", [](Cls_ExcelCreate& w) { w.Quit(); }}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace tabora::test
