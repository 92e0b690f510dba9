#include <filesystem>
#include <fstream>

#include "support/FakeExcelBackend.h"
#include "support/FakeExcelErrors.h"
#include "unit/support/FakeExcelFixture.h"

namespace tabora::test {
namespace {

using Names = std::vector<std::u16string>;
using FakeExcelWorkbooks = FakeExcelFixture;

Names NamesOf(const std::vector<Variant>& sheets) {
    Names names;
    for (const Variant& sheet : sheets) names.push_back(sheet.AsObject()->Get(u"Name").AsString());
    return names;
}

TEST_F(FakeExcelWorkbooks, OpenMakesTheWorkbookActiveWithItsFirstSheetInFront) {
    Open({u"One", u"*Chart", u"Two"}, u"Data.xls");
    EXPECT_EQ(app->GetObject(u"ActiveWorkbook")->Get(u"Name"), Variant(u"Data.xls"));
    EXPECT_EQ(app->GetObject(u"ActiveSheet")->Get(u"Name"), Variant(u"One"));
    EXPECT_EQ(Book().fullName, path);
}

TEST_F(FakeExcelWorkbooks, SheetsHoldChartsAndWorksheetsDoNot) {
    Open({u"One", u"*Chart", u"Two"});
    EXPECT_EQ(Sheets()->Get(u"Count"), Variant(int32_t{3}));
    EXPECT_EQ(Sheets(u"Worksheets")->Get(u"Count"), Variant(int32_t{2}));
    EXPECT_EQ(NamesOf(Sheets()->Enumerate()), (Names{u"One", u"Chart", u"Two"}));
    EXPECT_EQ(NamesOf(Sheets(u"Worksheets")->Enumerate()), (Names{u"One", u"Two"}));
    EXPECT_EQ(Sheet(int32_t{2}, u"Worksheets")->Get(u"Name"), Variant(u"Two"));
    EXPECT_EQ(Sheet(int16_t{2})->Get(u"Name"), Variant(u"Chart"));
    EXPECT_EQ(ErrorOf([&] { Sheet(u"Chart", u"Worksheets"); }), vb_error::kSubscriptOutOfRange);
    EXPECT_EQ(ErrorOf([&] { Sheet(u"chart")->Get(u"Cells", {1, 1}); }), vb_error::kMemberNotFound);
}

struct ItemCase {
    Variant key;
    int32_t error;
    std::u16string name;
};

class SheetItems : public FakeExcelWorkbooks, public ::testing::WithParamInterface<ItemCase> {};

TEST_P(SheetItems, FindByPositionOrNameIgnoringCase) {
    Open({u"Alpha", u"Beta"});
    std::u16string name;
    EXPECT_EQ(ErrorOf([&] { name = Sheet(GetParam().key)->Get(u"Name").AsString(); }), GetParam().error);
    EXPECT_EQ(name, GetParam().name);
    // The default member answers like Item.
    if (GetParam().error == 0) {
        EXPECT_EQ(Sheets()->GetObject(u"", {GetParam().key})->Get(u"Name"), Variant(name));
    }
}

INSTANTIATE_TEST_SUITE_P(Keys, SheetItems,
                         ::testing::Values(ItemCase{int16_t{1}, 0, u"Alpha"}, ItemCase{int32_t{2}, 0, u"Beta"},
                                           ItemCase{u"BETA", 0, u"Beta"}, ItemCase{u"beta", 0, u"Beta"},
                                           ItemCase{int16_t{0}, 9, u""}, ItemCase{int32_t{3}, 9, u""},
                                           ItemCase{u"Gamma", 9, u""}, ItemCase{u"1", 9, u""},
                                           ItemCase{1.0, 0, u"Alpha"}, ItemCase{true, 13, u""},
                                           ItemCase{Variant(), 13, u""}));

TEST_F(FakeExcelWorkbooks, OpeningAMissingOrForeignFileFailsWith1004) {
    Open({u"A"});
    ObjectRef workbooks = app->GetObject(u"Workbooks");
    EXPECT_EQ(ErrorOf([&] { workbooks->Call(u"Open", {folder.File(u"none.xls")}); }), 1004);
    EXPECT_EQ(ErrorOf([&] { workbooks->Call(u"Open", {folder.Path().u16string()}); }), 1004);
    std::ofstream(std::filesystem::path(folder.File(u"real.xls"))) << "\xD0\xCF\x11\xE0 not ours";
    EXPECT_EQ(ErrorOf([&] { workbooks->Call(u"Open", {folder.File(u"real.xls")}); }), 1004);
    EXPECT_EQ(State().Workbooks().size(), 1u);
}

TEST_F(FakeExcelWorkbooks, OpeningTheSameFileAgainBringsItToTheFront) {
    Open({u"A"});
    ObjectRef workbooks = app->GetObject(u"Workbooks");
    workbooks->Call(u"Add");
    workbooks->Call(u"Open", {path});
    EXPECT_EQ(State().Workbooks().size(), 2u);
    EXPECT_EQ(Book().name, u"Book.xls");
}

TEST_F(FakeExcelWorkbooks, AddMakesSheetsInNewWorkbookWorksheetsAndActivatesTheNewBook) {
    ObjectRef application = excel.CreateApplication();
    application->Put(u"SheetsInNewWorkbook", int32_t{1});
    application->GetObject(u"Workbooks")->Call(u"Add", {Variant::Missing()});
    application->Put(u"SheetsInNewWorkbook", int32_t{2});
    application->GetObject(u"Workbooks")->Call(u"Add");
    const FakeInstance& state = excel.Instance(1);
    EXPECT_EQ(state.ActiveWorkbook()->name, u"Book2");
    EXPECT_EQ(state.ActiveWorkbook()->SheetNames(), (Names{u"Sheet1", u"Sheet2"}));
    EXPECT_EQ(state.Workbooks().front()->SheetNames(), (Names{u"Sheet1"}));
    EXPECT_EQ(application->Get(u"SheetsInNewWorkbook"), Variant(int32_t{2}));
    EXPECT_EQ(ErrorOf([&] { application->Put(u"SheetsInNewWorkbook", int32_t{0}); }), 1004);
}

TEST_F(FakeExcelWorkbooks, NoWorkbookMeansNothingAndUsingNothingRaises91) {
    ObjectRef application = excel.CreateApplication();
    for (const char16_t* member : {u"ActiveWorkbook", u"ActiveSheet", u"Selection"}) {
        const Variant answer = application->Get(member);
        EXPECT_EQ(answer.Type(), VariantType::Object);
        EXPECT_EQ(ErrorOf([&] { answer.AsObject(); }), vb_error::kObjectNotSet);
    }
}

TEST_F(FakeExcelWorkbooks, CopyAfterPlacesTheCopyActivatesItAndNamesItLikeExcel) {
    Open({u"Base", u"*Chart", u"Last"});
    ObjectRef last = Sheet(u"Last");
    Sheet(u"Base")->Call(u"Copy", {}, {{u"After", last}});
    Sheet(u"Base")->Call(u"Copy", {}, {{u"After", Sheet(u"Base")}});
    Sheet(u"Last")->Call(u"Copy", {}, {{u"Before", Sheet(int16_t{1})}});
    EXPECT_EQ(Book().SheetNames(), (Names{u"Last (2)", u"Base", u"Base (3)", u"Chart", u"Last", u"Base (2)"}));
    EXPECT_EQ(app->GetObject(u"ActiveSheet")->Get(u"Name"), Variant(u"Last (2)"));
    book->GetObject(u"ActiveSheet")->Put(u"Name", u"Kopie");
    EXPECT_EQ(Book().sheets.front()->name, u"Kopie");
    EXPECT_EQ(ErrorOf([&] { Sheet(u"Base")->Call(u"Copy", {}, {{u"After", u"Last"}}); }), 1004);
}

TEST_F(FakeExcelWorkbooks, CopyKeepsTheCellsAndLeavesTheOriginalAlone) {
    Open({u"Base"});
    Cell(Sheet(u"Base"), 2, 3)->Put(u"Value", u"x");
    Sheet(u"Base")->Call(u"Copy", {}, {{u"After", Sheet(u"Base")}});
    Cell(Sheet(u"Base (2)"), 2, 3)->Put(u"Value", u"y");
    EXPECT_EQ(Book().FindSheet(u"Base")->Value(2, 3), Variant(u"x"));
    EXPECT_EQ(Book().FindSheet(u"Base (2)")->Value(2, 3), Variant(u"y"));
}

TEST_F(FakeExcelWorkbooks, RenamingBreakingARuleRaises1004AndKeepsTheName) {
    Open({u"A", u"*Chart"});
    for (const char16_t* bad : {u"", u"a/b", u"CHART", u"History", u"'x", u"0123456789012345678901234567890123"}) {
        EXPECT_EQ(ErrorOf([&] { Sheet(u"A")->Put(u"Name", bad); }), 1004) << ToUtf8(bad);
    }
    EXPECT_EQ(Book().SheetNames(), (Names{u"A", u"Chart"}));
    Sheet(u"A")->Put(u"Name", int32_t{5});
    EXPECT_EQ(Book().sheets[0]->name, u"5");
}

TEST_F(FakeExcelWorkbooks, DeleteKeepsTheLastSheetAndRemembersWhetherAlertsWereOn) {
    Open({u"A", u"B", u"C"});
    Sheet(u"B")->Call(u"Activate");
    Sheet(u"B")->Call(u"Delete");
    EXPECT_EQ(Book().activeSheet->name, u"C");
    app->Put(u"DisplayAlerts", false);
    Sheet(u"C")->Call(u"Delete");
    EXPECT_EQ(Book().activeSheet->name, u"A");
    EXPECT_EQ(ErrorOf([&] { Sheet(u"A")->Call(u"Delete"); }), 1004);
    EXPECT_EQ(Book().SheetNames(), (Names{u"A"}));
    ASSERT_EQ(State().deletions.size(), 2u);
    EXPECT_TRUE(State().deletions[0].displayAlerts);
    EXPECT_FALSE(State().deletions[1].displayAlerts);
}

// As Excel: the copy of a hidden sheet stays hidden and behind, a hidden sheet never comes to the
// front, a workbook keeps one visible sheet, and a saved file keeps what was hidden.
TEST_F(FakeExcelWorkbooks, HiddenSheetsStayBehind) {
    Open({u"Front", u"Base", u"Last"});
    EXPECT_EQ(Sheet(u"Base")->Get(u"Visible"), Variant(int32_t{-1}));
    Sheet(u"Base")->Put(u"Visible", int32_t{2});
    Sheet(u"Base")->Call(u"Copy", {}, {{u"After", Variant(Sheet(u"Last"))}});
    EXPECT_EQ(Book().SheetNames(), (Names{u"Front", u"Base", u"Last", u"Base (2)"}));
    EXPECT_EQ(Book().activeSheet->name, u"Front");
    EXPECT_EQ(Sheet(int32_t{4})->Get(u"Visible"), Variant(int32_t{2}));
    EXPECT_EQ(ErrorOf([&] { Sheet(int32_t{4})->Call(u"Activate"); }), 1004);
    EXPECT_EQ(ErrorOf([&] { Sheet(u"Base")->Call(u"Select"); }), 1004);

    Sheet(u"Front")->Put(u"Visible", false);  // the sheet in front goes: the next visible one comes
    EXPECT_EQ(Book().activeSheet->name, u"Last");
    EXPECT_EQ(ErrorOf([&] { Sheet(u"Last")->Put(u"Visible", int32_t{0}); }), 1004);
    EXPECT_EQ(ErrorOf([&] { Sheet(u"Last")->Call(u"Delete"); }), 1004);
    EXPECT_EQ(ErrorOf([&] { Sheet(u"Front")->Put(u"Visible", int32_t{1}); }), 1004);

    const std::u16string saved = folder.File(u"Saved.xls");
    book->Call(u"SaveAs", {saved});
    const LoadedWorkbook loaded = LoadWorkbookFile(saved);
    ASSERT_EQ(loaded.sheets.size(), 4u);
    EXPECT_EQ(loaded.sheets[0]->visibility, excel::xl::kSheetHidden);
    EXPECT_EQ(loaded.sheets[1]->visibility, excel::xl::kSheetVeryHidden);
    EXPECT_EQ(loaded.sheets[2]->visibility, excel::xl::kSheetVisible);
}

TEST_F(FakeExcelWorkbooks, SaveAsTakesAccessModeNamedOrPositionalAndWritesTheFile) {
    Open({u"A", u"*Chart", u"B"});
    const std::u16string first = folder.File(u"first.xls");
    const std::u16string second = folder.File(u"second.xls");
    book->Call(u"SaveAs", {first}, {{u"AccessMode", int32_t{1}}});
    Sheet(u"B")->Put(u"Name", u"C");
    const Variant m = Variant::Missing();
    book->Call(u"SaveAs", {second, m, m, m, m, m, int32_t{1}, m, m, m, m});
    EXPECT_EQ(WorksheetNamesInFile(first), (Names{u"A", u"B"}));
    EXPECT_EQ(WorksheetNamesInFile(second), (Names{u"A", u"C"}));
    EXPECT_EQ(Book().name, u"second.xls");
    EXPECT_EQ(ErrorOf([&] { book->Call(u"SaveAs", {folder.File(u"no/such/dir.xls")}); }), 1004);
    EXPECT_EQ(ErrorOf([&] { book->Call(u"SaveAs", {second}, {{u"AccessMode", int32_t{9}}}); }), 1004);
}

TEST_F(FakeExcelWorkbooks, SavedFilesReopenWithCellsFormatsMergesAndTheActiveSheet) {
    Open({u"A", u"B"});
    ObjectRef b = Sheet(u"B");
    b->Call(u"Activate");
    Cell(b, 1, 1)->Put(u"Value", u"tab\there \\ \"q\"");
    Cell(b, 2, 1)->Put(u"Value", u"2.5");
    Cell(b, 3, 1)->Put(u"Value", u"true");
    Cell(b, 4, 1)->Put(u"Value", u"2024/1/2");
    Cell(b, 5, 1)->Put(u"Value", u"=A2*2");
    Cell(b, 6, 1)->Put(u"Value", CellErrorValue{2042});
    b->GetObject(u"Range", {u"B1:C2"})->Call(u"Merge");
    b->GetObject(u"Range", {u"A1"})->GetObject(u"Borders", {int32_t{9}})->Put(u"LineStyle", int32_t{1});
    b->GetObject(u"Range", {u"A2"})->GetObject(u"Interior")->Put(u"ColorIndex", int32_t{6});
    const std::u16string saved = folder.File(u"saved.xls");
    book->Call(u"SaveAs", {saved});
    const FakeWorkbook before = Book();
    book->Call(u"Close");
    app->GetObject(u"Workbooks")->Call(u"Open", {saved});
    EXPECT_EQ(Book().activeSheet->name, u"B");
    EXPECT_EQ(Book().sheets[1]->cells, before.sheets[1]->cells);
    EXPECT_EQ(Book().sheets[1]->merged, before.sheets[1]->merged);
}

TEST_F(FakeExcelWorkbooks, CloseRemovesTheWorkbookAndTheOneBehindComesToTheFront) {
    Open({u"A"});
    app->GetObject(u"Workbooks")->Call(u"Add");
    app->GetObject(u"ActiveWorkbook")->Call(u"Close", {Variant::Missing(), Variant::Missing(), Variant::Missing()});
    EXPECT_EQ(State().Workbooks().size(), 1u);
    EXPECT_EQ(Book().name, u"Book.xls");
    EXPECT_EQ(app->GetObject(u"Workbooks")->Get(u"Count"), Variant(int32_t{1}));
}

TEST(FakeExcelBackendTest, MakesWorkbookFilesTheServerOpensAndReadsSavedOnes) {
    FakeExcelBackend backend;
    const std::u16string made = backend.MakeWorkbookFile(u"made.xls", {u"X", u"Y"});
    {
        ObjectRef application = backend.Server().CreateApplication();
        ObjectRef opened = application->GetObject(u"Workbooks")->Call(u"Open", {made}).AsObject();
        EXPECT_EQ(backend.RunningInstances(), 1);
        opened->GetObject(u"Sheets")->GetObject(u"Item", {int16_t{1}})->Put(u"Name", u"Z");
        opened->Call(u"SaveAs", {made});
    }
    EXPECT_EQ(backend.RunningInstances(), 0);
    EXPECT_EQ(backend.SavedWorksheetNames(made), (Names{u"Z", u"Y"}));
}

}  // namespace
}  // namespace tabora::test
