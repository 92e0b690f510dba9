// The sheet list window: start, loading by typed path, drop and dialog, and closing.
#include "support/FakeExcelErrors.h"
#include "unit/windows/WindowFixture.h"

namespace tabora::test {
namespace {

TEST_F(WindowFixture, StartsEmptyWithItsVersionInTheCaptionAtTheTopLeft) {
    EXPECT_EQ(Form().Caption(), u"Excelのｼｰﾄ名一覧 ver1.1.0");
    EXPECT_TRUE(Path().Text().empty());
    EXPECT_EQ(List().ListCount(), 0);
    EXPECT_FALSE(Button(u"Cmd_Change").Enabled());
    EXPECT_FALSE(Button(u"Cmd_Open").Enabled());
    EXPECT_EQ(Form().Top(), 0);
    EXPECT_EQ(Form().Left(), 0);
    EXPECT_EQ(excel.InstanceCount(), 0);  // no instance until a workbook is loaded
}

TEST_F(WindowFixture, OnlyTheFirstActivationPositionsTheWindow) {
    Form().SetTop(1200);
    Form().SetLeft(3000);
    Form().Activate_();
    EXPECT_EQ(Form().Top(), 1200);
    EXPECT_EQ(Form().Left(), 3000);
}

TEST_F(WindowFixture, LoadingATypedPathListsTheWorksheetsAndShowsTheInstance) {
    Load({u"Sheet1", u"集計", u"Summary"});
    EXPECT_EQ(List().Items(), (Names{u"Sheet1", u"集計", u"Summary"}));
    EXPECT_TRUE(Button(u"Cmd_Change").Enabled());
    EXPECT_TRUE(Button(u"Cmd_Open").Enabled());
    EXPECT_TRUE(Latest().Visible());
    EXPECT_TRUE(Latest().DisplayAlerts());
    EXPECT_EQ(ActiveSheet(), u"Sheet1");
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(WindowFixture, EveryLoadStartsANewInstanceAndClosesThePreviousWorkbook) {
    Load({u"A"}, u"First.xls");
    Load({u"B"}, u"Second.xls");
    EXPECT_EQ(excel.InstanceCount(), 2);
    EXPECT_TRUE(excel.Instance(1).Workbooks().empty());  // closed, instance left to the user
    EXPECT_FALSE(excel.Instance(1).ended);
    EXPECT_EQ(List().Items(), (Names{u"B"}));
}

TEST_F(WindowFixture, OpenWithAnEmptyPathBeforeAnyLoadDoesNothing) {
    Button(u"Cmd_Get").Press();
    EXPECT_EQ(excel.InstanceCount(), 0);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(WindowFixture, OpenWithAnEmptyPathAfterALoadClosesTheWorkbookAndKeepsTheList) {
    Load({u"A", u"B"});
    Path().SetText(u"");
    Button(u"Cmd_Get").Press();
    EXPECT_TRUE(Latest().Workbooks().empty());
    EXPECT_EQ(List().Items(), (Names{u"A", u"B"}));
    EXPECT_TRUE(Button(u"Cmd_Change").Enabled());
    EXPECT_EQ(excel.InstanceCount(), 1);
}

TEST_F(WindowFixture, AMissingFileChangesNothingAndSaysNothing) {
    Load({u"A", u"B"});
    Path().SetText(folder.File(u"missing.xls"));
    Button(u"Cmd_Get").Press();
    EXPECT_EQ(List().Items(), (Names{u"A", u"B"}));
    EXPECT_TRUE(Button(u"Cmd_Open").Enabled());
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(WindowFixture, AnApplicationThatCannotStartIsReported) {
    excel.FailCreateApplication(excel_error::ExcelNotInstalled());
    Path().SetText(MakeFile({u"A"}));
    Button(u"Cmd_Get").Press();
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].title, u"VB Error");
    EXPECT_EQ(Boxes()[0].text.substr(0, 4), u"429 ");
    EXPECT_EQ(List().ListCount(), 0);
}

enum class Target { Path, List, SheetName };

struct DropCase {
    const char* name;
    Target target;
    std::vector<std::u16string> files;  // "@" stands for the fixture workbook's folder
    bool loads;
};

class DropTest : public WindowFixture, public ::testing::WithParamInterface<DropCase> {};

TEST_P(DropTest, LoadsOnlyWhenTheFirstFileEndsInXls) {
    MakeFile({u"Dropped"}, u"Book.XLS");
    MakeFile({u"Other"}, u"Other.xls");
    platform::DroppedFiles files;
    for (const auto& file : GetParam().files) files.push_back(folder.File(file));
    SheetName().SetText(u"keep");
    switch (GetParam().target) {
        case Target::Path: Path().Drop(files); break;
        case Target::List: List().Drop(files); break;
        case Target::SheetName: SheetName().Drop(files); break;
    }
    EXPECT_EQ(SheetName().Text(), u"keep");
    EXPECT_TRUE(Boxes().empty());
    if (GetParam().loads) {
        EXPECT_EQ(Path().Text(), files.front());
        EXPECT_EQ(List().Items(), (Names{u"Dropped"}));
    } else {
        EXPECT_TRUE(Path().Text().empty());
        EXPECT_EQ(excel.InstanceCount(), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Drops, DropTest,
    ::testing::Values(DropCase{"UpperCaseOnList", Target::List, {u"Book.XLS"}, true},
                      DropCase{"OnPath", Target::Path, {u"Book.XLS"}, true},
                      DropCase{"OnSheetName", Target::SheetName, {u"Book.XLS"}, true},
                      DropCase{"FirstOfThree", Target::List, {u"Book.XLS", u"a.csv", u"Other.xls"}, true},
                      DropCase{"FirstIsNoWorkbook", Target::List, {u"a.csv", u"Other.xls"}, false},
                      DropCase{"Xlsx", Target::Path, {u"Book.xlsx"}, false},
                      DropCase{"BlankAfterEnding", Target::Path, {u"Book.xls "}, false},
                      DropCase{"OnlyTheLetters", Target::Path, {u"xls"}, false}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(WindowFixture, ADropWithoutFilesIsReportedAndChangesNothing) {
    List().Drop({});
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].title, u"VB Error");
    EXPECT_EQ(Boxes()[0].text.substr(0, 4), u"461 ");
    EXPECT_EQ(excel.InstanceCount(), 0);
}

TEST_F(WindowFixture, TheFileDialogFillsThePathWithoutLoading) {
    excel.AnswerOpenFilename(Variant(u"C:\\Data\\予算.xls"));
    Button(u"Cmd_決定ファイル").Press();
    EXPECT_EQ(Path().Text(), u"C:\\Data\\予算.xls");
    EXPECT_EQ(excel.InstanceCount(), 0);
    const RecordedCall& call = excel.Calls().back();
    EXPECT_EQ(call.instance, 0);
    EXPECT_EQ(call.member, u"GetOpenFilename");
    EXPECT_EQ(call.text, "Application.GetOpenFilename(\"Excelファイル (*.xls), *.xls\", , \"Excelファイル\", , False)");

    // Cancel answers the Boolean False, or the text of it: the path stays.
    Button(u"Cmd_決定ファイル").Press();
    excel.AnswerOpenFilename(Variant(u"False"));
    Button(u"Cmd_決定ファイル").Press();
    EXPECT_EQ(Path().Text(), u"C:\\Data\\予算.xls");
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(WindowFixture, AFileDialogThatFailsIsReportedAndLeavesThePath) {
    Path().SetText(u"typed.xls");
    excel.FailCall(CallMatcher::On(u"Application", u"GetOpenFilename"), excel_error::Disconnected());
    Button(u"Cmd_決定ファイル").Press();
    EXPECT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Path().Text(), u"typed.xls");
}

TEST_F(WindowFixture, ClosingTheWindowLeavesTheWorkbookOpenForTheUser) {
    Load({u"A"});
    Form().Unload();
    window.reset();
    EXPECT_EQ(excel.RunningInstanceCount(), 1);
    EXPECT_TRUE(Latest().Visible());
    EXPECT_EQ(Latest().Workbooks().size(), 1u);
    EXPECT_EQ(excel.LiveReferences(), 0);
}

// Loading the next workbook closes the listed one as Excel closes a workbook once it was shown:
// with a question about the sheets the duplication window made. A Cancel leaves that workbook
// open, with its copies, in its instance for the user; the next workbook loads whatever the answer.
class SaveQuestionOnLoad : public WindowFixture, public ::testing::WithParamInterface<int16_t> {};

TEST_P(SaveQuestionOnLoad, AsksAboutTheCopiesMadeInTheListedWorkbook) {
    using namespace platform::button;
    const int16_t answer = GetParam();
    Load({u"Base"}, u"Copies.xls");
    const std::u16string path = Path().Text();
    forms.OnModal(u"Frm_More", [this](HeadlessForm& dialog) {
        dialog.TextBox(u"Txt_NewSheets").Paste(u"Base-2");
        runtime.boxes.Answer(kYes);
        dialog.Button(u"Cmd_Copy").Press();
    });
    List().ClickItem(0);
    Button(u"Cmd_Open").Press();
    ASSERT_EQ(List().Items(), (Names{u"Base", u"Base-2"}));
    runtime.boxes.ClearShown();
    runtime.boxes.Answer(answer);

    Load({u"Next"}, u"Next.xls");
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, u"'Copies.xls' への変更を保存しますか?");
    EXPECT_EQ(WorksheetNamesInFile(path), answer == kYes ? (Names{u"Base", u"Base-2"}) : (Names{u"Base"}));
    EXPECT_EQ(List().Items(), (Names{u"Next"}));
    const FakeInstance& first = excel.Instance(1);
    ASSERT_EQ(first.Workbooks().size(), answer == kCancel ? 1u : 0u);
    if (answer == kCancel) {
        EXPECT_EQ(first.Workbooks()[0]->SheetNames(), (Names{u"Base", u"Base-2"}));
    }

    window.reset();
    EXPECT_FALSE(first.ended) << "left to the user";
    EXPECT_EQ(excel.LiveReferences(), 0);
}

INSTANTIATE_TEST_SUITE_P(Answers, SaveQuestionOnLoad,
                         ::testing::Values(platform::button::kYes, platform::button::kNo, platform::button::kCancel));

}  // namespace
}  // namespace tabora::test
