// Sheet operations: the same-name question, the copy that cannot be named, the calls made.
#include "support/FakeExcelErrors.h"
#include "support/HeadlessControls.h"
#include "unit/excel/WrapperFixture.h"

namespace tabora::test {
namespace {

using platform::button::kNo;
using platform::button::kYes;

TEST_F(WrapperFixture, SameNameQuestionDecidesWhetherTheCopyGoesAhead) {
    OpenedWrapper({u"Base", u"Taken"}, true);
    runtime.boxes.Answer(kNo);
    EXPECT_TRUE(wrapper->SheetCopy(u"Base", u"Taken"));
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, u"既に同名のシートが存在しますが変更を行いますか？");
    EXPECT_EQ(Boxes()[0].title, u"確認");
    EXPECT_EQ(Boxes()[0].style, 36);
    EXPECT_EQ(Book().SheetNames(), (std::vector<std::u16string>{u"Base", u"Taken"}));

    // Yes keeps the existing sheet; Excel then refuses the duplicate name and the copy goes again.
    runtime.boxes.Answer(kYes);
    EXPECT_FALSE(wrapper->SheetCopy(u"Base", u"Taken"));
    EXPECT_EQ(Book().SheetNames(), (std::vector<std::u16string>{u"Base", u"Taken"}));
}

TEST_F(WrapperFixture, SameNameCheckLooksAtWorksheetsOnly) {
    OpenedWrapper({u"Base", u"*Chart"});
    EXPECT_FALSE(wrapper->SheetCopy(u"Base", u"Chart"));  // Excel refuses: a chart has the name
    EXPECT_EQ(Book().SheetNames(), (std::vector<std::u16string>{u"Base", u"Chart"}));
}

TEST_F(WrapperFixture, CopyIsPlacedAfterTheLastWorksheetAndTakenByItsPlace) {
    OpenedWrapper({u"A", u"B", u"*Chart"});
    EXPECT_TRUE(wrapper->SheetCopy(u"A", u"New"));
    EXPECT_EQ(Book().SheetNames(), (std::vector<std::u16string>{u"A", u"B", u"New", u"Chart"}));
    const Texts calls = excel.CallTexts();
    EXPECT_EQ(std::vector<std::string>(calls.end() - 6, calls.end()),
              (Texts{"Worksheets.Count", "Worksheets.Item(2&)", "Worksheet.Copy(After:=<Worksheet \"B\">)",
                     "Worksheets.Count", "Worksheets.Item(3&)", "Worksheet.Name = \"New\""}));
}

TEST_F(WrapperFixture, ACopyThatCannotBeNamedIsDeletedWithAlertsOffAndTheFailureReported) {
    OpenedWrapper({u"Base"}, true);
    ASSERT_TRUE(wrapper->Show());  // alerts on, as after a load
    EXPECT_FALSE(wrapper->SheetCopy(u"Base", u"History"));
    EXPECT_EQ(Book().SheetNames(), (std::vector<std::u16string>{u"Base"}));
    ASSERT_EQ(State().deletions.size(), 1u);
    EXPECT_EQ(State().deletions[0].sheetName, u"Base (2)");
    EXPECT_FALSE(State().deletions[0].displayAlerts);
    EXPECT_TRUE(State().DisplayAlerts());
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text.substr(0, 5), u"1004 ");
    EXPECT_EQ(excel.LiveReferences(), 1);
}

TEST_F(WrapperFixture, ACopyWhoseDeleteAlsoFailsStillReportsTheNamingError) {
    OpenedWrapper({u"Base"}, true);
    excel.FailCall(CallMatcher::On(u"Worksheet", u"Delete"), excel_error::Program(70));
    EXPECT_FALSE(wrapper->SheetCopy(u"Base", u"a*b"));
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text.substr(0, 5), u"1004 ");
    EXPECT_FALSE(State().DisplayAlerts());  // as it was: the wrapper was never shown
}

TEST_F(WrapperFixture, RenameForceGivesTheNameToTheRenamedSheetAndDeletesTheOther) {
    OpenedWrapper({u"Base", u"Old"});
    Book().FindSheet(u"Base")->MutableCell(1, 1).value = Variant(u"base");
    wrapper->SetRenameForce(u"True");
    EXPECT_TRUE(wrapper->SheetRename(u"Base", u"Old"));
    EXPECT_EQ(Book().SheetNames(), (std::vector<std::u16string>{u"Old"}));
    EXPECT_EQ(Book().FindSheet(u"Old")->Value(1, 1), Variant(u"base"));
}

struct ForcedFailure {
    const char* what;
    bool copy;  // SheetCopy; else SheetRename
    CallMatcher failing;
};

void PrintTo(const ForcedFailure& failure, std::ostream* out) { *out << failure.what; }

class RenameForceFailure : public WrapperFixture, public ::testing::WithParamInterface<ForcedFailure> {};

// RenameForce replaces the sheet of that name only once the new one bears the name: whichever
// step fails, the workbook is left as it was, that sheet with the user's own contents.
TEST_P(RenameForceFailure, LeavesTheWorkbookAsItWas) {
    OpenedWrapper({u"Base", u"Old", u"Tail"});
    Book().FindSheet(u"Old")->MutableCell(1, 1).value = Variant(u"user's");
    wrapper->SetRenameForce(u"True");
    excel.FailCall(GetParam().failing, excel_error::ApplicationDefined());
    EXPECT_FALSE(GetParam().copy ? wrapper->SheetCopy(u"Base", u"Old")
                                 : wrapper->SheetRename(u"Base", u"Old"));
    ASSERT_EQ(Book().SheetNames(), (std::vector<std::u16string>{u"Base", u"Old", u"Tail"}));
    EXPECT_EQ(Book().FindSheet(u"Old")->Value(1, 1), Variant(u"user's"));
}

const CallMatcher kNaming = CallMatcher::On(u"Worksheet", u"Name").OfKind(InvokeKind::PropertyPut);

INSTANTIATE_TEST_SUITE_P(
    Steps, RenameForceFailure,
    ::testing::Values(
        ForcedFailure{"the copy", true, CallMatcher::On(u"Worksheet", u"Copy")},
        ForcedFailure{"copy: the old sheet's new name", true, kNaming.Nth(1)},
        ForcedFailure{"copy: the copy's name", true, kNaming.Nth(2)},
        ForcedFailure{"copy: deleting the old sheet", true, CallMatcher::On(u"Worksheet", u"Delete").Nth(1)},
        ForcedFailure{"rename: the old sheet's new name", false, kNaming.Nth(1)},
        ForcedFailure{"rename: the rename", false, kNaming.Nth(2)},
        ForcedFailure{"rename: deleting the old sheet", false, CallMatcher::On(u"Worksheet", u"Delete")}),
    [](const ::testing::TestParamInfo<ForcedFailure>& step) { return "Step" + std::to_string(step.index); });

TEST_F(WrapperFixture, ACopyOrRenameWithoutAWorkbookFailsInsteadOfReportingSuccess) {
    OpenedWrapper({u"Base"}, true);
    ASSERT_TRUE(wrapper->FileClose());
    EXPECT_FALSE(wrapper->SheetCopy(u"Base", u"New"));
    EXPECT_FALSE(wrapper->SheetRename(u"Base", u"New"));
    ASSERT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(Boxes()[0].text.substr(0, 3), u"91 ");
}

TEST_F(WrapperFixture, ActivationUsesAllSheetsIncludingCharts) {
    OpenedWrapper({u"A", u"*Graph"});
    EXPECT_TRUE(wrapper->ActiveSheetName(u"graph"));  // Excel finds names ignoring case
    EXPECT_EQ(Book().activeSheet->name, u"Graph");
    EXPECT_TRUE(wrapper->ActiveSheetNumber(1));
    EXPECT_EQ(excel.CallTexts()[2], "Sheets.Item(\"graph\")");
    EXPECT_EQ(excel.CallTexts()[6], "Sheets.Item(1&)");
}

TEST_F(WrapperFixture, ListingHidesTheListMeanwhileAndShowsItAgainAfterAFailure) {
    OpenedWrapper({u"A", u"*Graph", u"B"});
    platform::ControlDescription d;
    d.kind = platform::ControlKind::ListBox;
    HeadlessListBox list(d);
    EXPECT_TRUE(wrapper->SetSheetNames(list));
    EXPECT_EQ(list.Items(), (std::vector<std::u16string>{u"A", u"B"}));
    EXPECT_EQ(list.TimesHidden(), 1);
    EXPECT_TRUE(list.Visible());
    EXPECT_EQ(excel.CallTexts()[2], "Worksheets._NewEnum");

    excel.FailCall(CallMatcher::On(u"Worksheet", u"Name").Nth(2), excel_error::Disconnected());
    EXPECT_FALSE(wrapper->SetSheetNames(list));
    EXPECT_EQ(list.Items(), (std::vector<std::u16string>{u"A"}));
    EXPECT_TRUE(list.Visible());
}

}  // namespace
}  // namespace tabora::test
