// Cls_ExcelCreate as the windows use it, and the rest of its interface, on each backend.
#include "shared/WrapperBehaviour.h"

#include "excel/Cls_ExcelCreate.h"
#include "support/HeadlessControls.h"

namespace tabora::test {
namespace {

std::vector<std::u16string> Listed(Cls_ExcelCreate& excel) {
    platform::ControlDescription description;
    description.name = u"Lst_Item";
    HeadlessListBox list(description);
    list.AddItem(u"stale entry");
    EXPECT_TRUE(excel.SetSheetNames(list));
    EXPECT_TRUE(list.Visible());
    return list.Items();
}

// The sheet list window's way: messages off, open, show, list.
std::unique_ptr<Cls_ExcelCreate> OpenedQuietly(ExcelBackend& backend, const std::u16string& path) {
    auto excel = std::make_unique<Cls_ExcelCreate>(backend.Server());
    excel->MsgDisplayFlg_Prop(false);
    EXPECT_TRUE(excel->FileOpen(path, u""));
    return excel;
}

TEST_P(WrapperBehaviour, AnOpenedWorkbookListsItsWorksheetsInOrder) {
    auto path = backend->MakeWorkbookFile(u"一覧.xls", {u"表紙", u"Data", u"売上 2024"});
    auto excel = OpenedQuietly(*backend, path);
    EXPECT_EQ(Listed(*excel), (std::vector<std::u16string>{u"表紙", u"Data", u"売上 2024"}));
    EXPECT_EQ(excel->GetActiveSheet()->Get(u"Name"), Variant(u"表紙")) << "the first sheet is active";
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST_P(WrapperBehaviour, OpeningWhatIsNotThereFailsQuietly) {
    auto path = backend->MakeWorkbookFile(u"Book.xls", {u"Only"});
    Cls_ExcelCreate excel(backend->Server());
    excel.MsgDisplayFlg_Prop(false);
    EXPECT_FALSE(excel.FileOpen(path + u".missing", u""));
    EXPECT_EQ(excel.GetActiveSheet(), nullptr);
    EXPECT_FALSE(excel.FileOpen(path, u"NoSuchSheet"));
    EXPECT_EQ(excel.GetActiveSheet(), nullptr) << "a failed open leaves the state as it was";
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST_P(WrapperBehaviour, SwitchingSheetsByNameAndNumber) {
    auto path = backend->MakeWorkbookFile(u"Book.xls", {u"One", u"Two", u"Three"});
    auto excel = OpenedQuietly(*backend, path);
    EXPECT_TRUE(excel->ActiveSheetName(u"Three"));
    EXPECT_EQ(excel->GetActiveSheet()->Get(u"Name"), Variant(u"Three"));
    EXPECT_TRUE(excel->ActiveSheetNumber(2));
    EXPECT_EQ(excel->GetActiveSheet()->Get(u"Name"), Variant(u"Two"));
    EXPECT_FALSE(excel->ActiveSheetName(u"Four"));
    EXPECT_FALSE(excel->ActiveSheetNumber(0));
    EXPECT_FALSE(excel->ActiveSheetNumber(4));
    EXPECT_EQ(excel->GetActiveSheet()->Get(u"Name"), Variant(u"Two")) << "a failed switch changes nothing";
}

TEST_P(WrapperBehaviour, CopiesStandAtTheEndInOrderAndAreSaved) {
    auto path = backend->MakeWorkbookFile(u"Copies.xls", {u"Base", u"Other"});
    auto excel = OpenedQuietly(*backend, path);
    excel->SetOverWrite(u"True");
    for (const char16_t* name : {u"四月", u"May", u"六月 (予定)"}) EXPECT_TRUE(excel->SheetCopy(u"Base", name));
    EXPECT_EQ(excel->GetActiveSheet()->Get(u"Name"), Variant(u"六月 (予定)")) << "the last copy is active";
    EXPECT_EQ(Listed(*excel), (std::vector<std::u16string>{u"Base", u"Other", u"四月", u"May", u"六月 (予定)"}));
    // Saving selects a cell of the first sheet, which only the active sheet allows.
    EXPECT_FALSE(excel->FileSave(path));
    EXPECT_TRUE(excel->ActiveSheetNumber(1));
    EXPECT_TRUE(excel->FileSave(path));
    EXPECT_TRUE(excel->FileClose());
    EXPECT_EQ(backend->SavedWorksheetNames(path),
              (std::vector<std::u16string>{u"Base", u"Other", u"四月", u"May", u"六月 (予定)"}));
}

TEST_P(WrapperBehaviour, ATakenNameIsSkippedAndARefusedNameLeavesNoStrayCopy) {
    auto path = backend->MakeWorkbookFile(u"Names.xls", {u"Base", u"Taken"});
    auto excel = OpenedQuietly(*backend, path);
    EXPECT_TRUE(excel->SheetCopy(u"Base", u"Taken")) << "taken, messages off: skipped, not failed";
    // The wrapper's check is exact, but sheet names are unique ignoring case: the copy is refused.
    EXPECT_FALSE(excel->SheetCopy(u"Base", u"taken"));
    for (const char16_t* refused : {u"a/b", u"[x]", u"", u"History"}) EXPECT_FALSE(excel->SheetCopy(u"Base", refused));
    EXPECT_FALSE(excel->SheetCopy(u"Base", std::u16string(32, u'x')));
    EXPECT_FALSE(excel->SheetCopy(u"NoBase", u"New"));
    EXPECT_EQ(Listed(*excel), (std::vector<std::u16string>{u"Base", u"Taken"}));
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST_P(WrapperBehaviour, RenamingFollowsTheSameRules) {
    auto path = backend->MakeWorkbookFile(u"Rename.xls", {u"Old", u"Other"});
    auto excel = OpenedQuietly(*backend, path);
    EXPECT_TRUE(excel->SheetRename(u"Old", u"新しい名前"));
    EXPECT_FALSE(excel->SheetRename(u"新しい名前", u"bad:name"));
    EXPECT_TRUE(excel->SheetRename(u"新しい名前", u"Other")) << "taken: skipped";
    EXPECT_EQ(Listed(*excel), (std::vector<std::u16string>{u"新しい名前", u"Other"}));
}

TEST_P(WrapperBehaviour, CellValuesGoInAsTypedAndComeBackAsText) {
    auto path = backend->MakeWorkbookFile(u"Cells.xls", {u"Sheet1"});
    auto excel = OpenedQuietly(*backend, path);
    EXPECT_TRUE(excel->SetValue(1, 1, u"123"));
    EXPECT_TRUE(excel->SetValue(2, 1, u"テキスト"));
    std::u16string column = u" C ";
    EXPECT_TRUE(excel->SetVal(column, 1, u"-4.5"));
    EXPECT_EQ(column, u"C");
    EXPECT_EQ(excel->GetValue(1, 1), u"123");
    EXPECT_EQ(excel->GetValue(2, 1), u"テキスト");
    EXPECT_EQ(excel->GetValue(1, 3), u"-4.5");
    EXPECT_EQ(excel->GetValue(9, 9), u"");
    EXPECT_FALSE(excel->SetValue(0, 1, u"x"));
    EXPECT_EQ(excel->GetValue(1, 0), u"");
}

TEST_P(WrapperBehaviour, RowsAndColumnsAreCopiedInsertedAndDeleted) {
    auto path = backend->MakeWorkbookFile(u"Edit.xls", {u"Sheet1"});
    auto excel = OpenedQuietly(*backend, path);
    for (int32_t i = 1; i <= 3; ++i) {
        excel->SetValue(i, 1, u"r" + std::u16string(1, static_cast<char16_t>(u'0' + i)));
        excel->SetValue(1, i + 1, u"c" + std::u16string(1, static_cast<char16_t>(u'0' + i)));
    }
    excel->CopyAndInsert_Row(3, 2, -4121);
    EXPECT_EQ(excel->GetValue(2, 1), u"r3");
    EXPECT_EQ(excel->GetValue(3, 1), u"r2");
    excel->DeleteRow(2, -4162);
    EXPECT_EQ(excel->GetValue(2, 1), u"r2");
    excel->CopyAndInsert_Col(2, 4, -4161);
    EXPECT_EQ(excel->GetValue(1, 4), u"c1");
    EXPECT_EQ(excel->GetValue(1, 5), u"c3");
    excel->DeleteCol(2, -4159);
    EXPECT_EQ(excel->GetValue(1, 2), u"c2");
}

TEST_P(WrapperBehaviour, CopiedCellsArePastedAndMerged) {
    auto path = backend->MakeWorkbookFile(u"Paste.xls", {u"Sheet1"});
    auto excel = OpenedQuietly(*backend, path);
    excel->SetValue(1, 1, u"5");
    excel->SetValue(1, 2, u"7");
    excel->CellCopy(1, 1, 1, 2);
    excel->CellPaste(4, 1);
    EXPECT_EQ(excel->GetValue(4, 1), u"5");
    EXPECT_EQ(excel->GetValue(4, 2), u"7");
    excel->CellPaste(6, 1, -4163, -4142, false, true);
    EXPECT_EQ(excel->GetValue(6, 1), u"5");
    EXPECT_EQ(excel->GetValue(7, 1), u"7");
    excel->CellMerge(4, 1, 4, 2);
    EXPECT_EQ(excel->GetValue(4, 1), u"5");
    EXPECT_EQ(excel->GetValue(4, 2), u"");
}

TEST_P(WrapperBehaviour, BordersAndFillAreAppliedToTheRange) {
    auto path = backend->MakeWorkbookFile(u"Format.xls", {u"Sheet1"});
    auto excel = OpenedQuietly(*backend, path);
    excel->DrowCellsLine(2, 3, 1, 2, 1, 2, 9);
    excel->PaintCellColor(2, 3, 1, 2, 6, 1);
    ObjectRef sheet = excel->GetActiveSheet();
    auto range = sheet->GetObject(u"Range", {Variant(sheet->GetObject(u"Cells", {2, 1})),
                                             Variant(sheet->GetObject(u"Cells", {3, 2}))});
    EXPECT_EQ(range->GetObject(u"Borders", {int32_t{9}})->Get(u"LineStyle"), Variant(int32_t{1}));
    EXPECT_EQ(range->GetObject(u"Borders", {int32_t{9}})->Get(u"Weight"), Variant(int32_t{2}));
    EXPECT_EQ(range->GetObject(u"Interior")->Get(u"ColorIndex"), Variant(int32_t{6}));
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST_P(WrapperBehaviour, EachWrapperHasItsOwnInstanceWhichEndsWithItUnlessShown) {
    auto path = backend->MakeWorkbookFile(u"Two.xls", {u"Sheet1"});
    {
        auto first = OpenedQuietly(*backend, path);
        auto second = std::make_unique<Cls_ExcelCreate>(backend->Server());
        EXPECT_EQ(backend->RunningInstances(), 2);
    }
    EXPECT_EQ(backend->RunningInstances(), 0) << "hidden instances end with their wrappers";
    auto shown = OpenedQuietly(*backend, path);
    EXPECT_TRUE(shown->Show());
    EXPECT_TRUE(shown->Quit());
    shown.reset();
    EXPECT_EQ(backend->RunningInstances(), 0);
}

TEST_P(WrapperBehaviour, ANewWorkbookHasOneSheetAndIsSavedAsExcelFile) {
    Cls_ExcelCreate excel(backend->Server());
    excel.MsgDisplayFlg_Prop(false);
    excel.SetCreateNew(u"True");
    EXPECT_TRUE(excel.FileOpen(u"", u""));
    ASSERT_NE(excel.GetActiveSheet(), nullptr);
    EXPECT_EQ(Listed(excel).size(), 1u);
    EXPECT_TRUE(excel.SetValue(1, 1, u"new"));
    auto path = backend->MakeWorkbookFile(u"Existing.xls", {u"Old"});
    EXPECT_TRUE(excel.FileSave(path)) << "exists, overwrite off, messages off: nothing saved";
    EXPECT_EQ(backend->SavedWorksheetNames(path), (std::vector<std::u16string>{u"Old"}));
    excel.SetOverWrite(u"1");
    EXPECT_TRUE(excel.FileSave(path));
    EXPECT_EQ(backend->SavedWorksheetNames(path).size(), 1u);
    EXPECT_NE(backend->SavedWorksheetNames(path), (std::vector<std::u16string>{u"Old"}));
}

}  // namespace
}  // namespace tabora::test
