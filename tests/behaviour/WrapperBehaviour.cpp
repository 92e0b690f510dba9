#include "behaviour/WrapperBehaviour.h"

#include "support/HeadlessControls.h"

namespace tabora::test {

using Names = std::vector<std::u16string>;

void WrapperBehaviour::TearDown() {
    for (auto& wrapper : quitAtEnd) wrapper->Quit();
    quitAtEnd.clear();
}

std::unique_ptr<Cls_ExcelCreate> WrapperBehaviour::Wrapper() {
    auto wrapper = std::make_unique<Cls_ExcelCreate>(backend->Server());
    wrapper->MsgDisplayFlg_Prop(false);
    return wrapper;
}

std::unique_ptr<Cls_ExcelCreate> WrapperBehaviour::Opened(const Names& sheets, const std::u16string& file) {
    auto wrapper = Wrapper();
    EXPECT_TRUE(wrapper->FileOpen(backend->MakeWorkbookFile(file, sheets), u""));
    return wrapper;
}

Names WrapperBehaviour::Listed(Cls_ExcelCreate& wrapper) {
    platform::ControlDescription description;
    description.name = u"Lst_Item";
    description.kind = platform::ControlKind::ListBox;
    HeadlessListBox list(description);
    list.AddItem(u"stale entry");
    EXPECT_TRUE(wrapper.SetSheetNames(list));
    EXPECT_TRUE(list.Visible());
    return list.Items();
}

TEST_P(WrapperBehaviour, OpensAWorkbookAndListsItsWorksheetsInOrder) {
    auto wrapper = Opened({u"表紙", u"Sheet2", u"Summary"});
    EXPECT_EQ(Listed(*wrapper), (Names{u"表紙", u"Sheet2", u"Summary"}));
    ASSERT_NE(wrapper->GetActiveSheet(), nullptr);
    EXPECT_EQ(wrapper->GetActiveSheet()->Get(u"Name").AsString(), u"表紙");
}

TEST_P(WrapperBehaviour, OpenOfAMissingFileFailsSilently) {
    auto wrapper = Wrapper();
    runtime.boxes.ClearShown();
    EXPECT_FALSE(wrapper->FileOpen(u"/no/such/folder/book.xls", u""));
    EXPECT_FALSE(wrapper->FileOpen(u"", u""));
    EXPECT_EQ(wrapper->GetActiveSheet(), nullptr);
    EXPECT_TRUE(runtime.boxes.Shown().empty());
}

TEST_P(WrapperBehaviour, OpenWithASheetNameTheWorkbookLacksFails) {
    auto wrapper = Wrapper();
    EXPECT_FALSE(wrapper->FileOpen(backend->MakeWorkbookFile(u"Book.xls", {u"A", u"B"}), u"C"));
    EXPECT_EQ(wrapper->GetActiveSheet(), nullptr);
    EXPECT_TRUE(wrapper->FileOpen(backend->MakeWorkbookFile(u"Other.xls", {u"A", u"B"}), u"B"));
    EXPECT_EQ(wrapper->GetActiveSheet()->Get(u"Name").AsString(), u"B");
}

TEST_P(WrapperBehaviour, CreatesAOneSheetWorkbookWhenAskedToAndTheFileIsMissing) {
    auto wrapper = Wrapper();
    wrapper->SetCreateNew(u"True");
    EXPECT_TRUE(wrapper->FileOpen(u"", u""));
    EXPECT_EQ(Listed(*wrapper).size(), 1u);
}

TEST_P(WrapperBehaviour, ActivatesSheetsByNameAndByPosition) {
    auto wrapper = Opened({u"A", u"B", u"C"});
    EXPECT_TRUE(wrapper->ActiveSheetName(u"C"));
    EXPECT_EQ(wrapper->GetActiveSheet()->Get(u"Name").AsString(), u"C");
    EXPECT_TRUE(wrapper->ActiveSheetNumber(2));
    EXPECT_EQ(wrapper->GetActiveSheet()->Get(u"Name").AsString(), u"B");
    EXPECT_FALSE(wrapper->ActiveSheetName(u"Missing"));
    EXPECT_FALSE(wrapper->ActiveSheetNumber(0));
    EXPECT_FALSE(wrapper->ActiveSheetNumber(4));
    EXPECT_EQ(wrapper->GetActiveSheet()->Get(u"Name").AsString(), u"B");
}

TEST_P(WrapperBehaviour, CopiesASheetToTheEndUnderItsNewName) {
    auto wrapper = Opened({u"Base", u"Other"});
    ASSERT_TRUE(wrapper->SetValue(2, 3, u"見本"));
    EXPECT_TRUE(wrapper->SheetCopy(u"Base", u"四月"));
    EXPECT_TRUE(wrapper->SheetCopy(u"Base", u"May"));
    EXPECT_EQ(Listed(*wrapper), (Names{u"Base", u"Other", u"四月", u"May"}));
    EXPECT_EQ(wrapper->GetActiveSheet()->Get(u"Name").AsString(), u"May");
    EXPECT_EQ(wrapper->GetValue(2, 3), u"見本");
}

struct RefusedCopy {
    const char* why;
    std::u16string baseName;
    std::u16string newName;
    bool renameForce;
    bool result;
};

TEST_P(WrapperBehaviour, CopyLeavesTheWorkbookUnchangedWhenItCannotOrMayNotCopy) {
    const RefusedCopy cases[] = {
        {"name taken, messages off", u"Base", u"Other", false, true},
        {"base sheet missing", u"Nope", u"New", false, false},
        {"name Excel refuses", u"Base", u"a/b", false, false},
        {"name too long", u"Base", u"0123456789012345678901234567890X", false, false},
        {"name differing only in case", u"Base", u"other", false, false},
    };
    for (const RefusedCopy& c : cases) {
        SCOPED_TRACE(c.why);
        auto wrapper = Opened({u"Base", u"Other"});
        wrapper->SetRenameForce(c.renameForce ? u"True" : u"False");
        EXPECT_EQ(wrapper->SheetCopy(c.baseName, c.newName), c.result);
        EXPECT_EQ(Listed(*wrapper), (Names{u"Base", u"Other"}));
        wrapper->FileClose();
    }
}

TEST_P(WrapperBehaviour, CopyWithRenameForceReplacesTheSheetOfThatName) {
    auto wrapper = Opened({u"Base", u"Old", u"Tail"});
    wrapper->SetRenameForce(u"1");
    EXPECT_TRUE(wrapper->SheetCopy(u"Base", u"Old"));
    EXPECT_EQ(Listed(*wrapper), (Names{u"Base", u"Tail", u"Old"}));
}

// Excel copies a hidden sheet as a hidden sheet that does not come to the front: the sheet in
// front is the user's and must be neither renamed nor deleted.
TEST_P(WrapperBehaviour, CopiesAHiddenSheetLikeAnyOtherAndLeavesTheUsersSheetsAlone) {
    for (const int32_t hidden : {0, 2}) {
        SCOPED_TRACE(hidden);
        auto wrapper = Wrapper();
        ASSERT_TRUE(wrapper->FileOpen(backend->MakeWorkbookFile(u"Hidden.xls", {u"Front", u"Base", u"Tail"}, {-1, hidden, -1})));
        EXPECT_TRUE(wrapper->SheetCopy(u"Base", u"Copy"));
        EXPECT_FALSE(wrapper->SheetCopy(u"Base", u"a/b"));  // refused: the stray copy goes, nothing else
        EXPECT_EQ(Listed(*wrapper), (Names{u"Front", u"Base", u"Tail", u"Copy"}));
        EXPECT_EQ(wrapper->GetActiveSheet()->Get(u"Name").AsString(), u"Front");
        EXPECT_FALSE(wrapper->ActiveSheetName(u"Copy"));  // hidden like its original
        EXPECT_FALSE(wrapper->ActiveSheetName(u"Base"));
        EXPECT_EQ(wrapper->GetActiveSheet()->Get(u"Name").AsString(), u"Front");
        wrapper->FileClose();
    }
}

struct ForcedOperation {
    const char* what;
    std::function<bool(Cls_ExcelCreate&)> run;
    bool result;
};

// With RenameForce a sheet is deleted only once the copy or rename is known to have a sheet to
// work on and a name that is not its own.
TEST_P(WrapperBehaviour, RenameForceDeletesNothingForAnOperationThatCannotWork) {
    const ForcedOperation cases[] = {
        {"copy under the base's own name", [](Cls_ExcelCreate& w) { return w.SheetCopy(u"B", u"B"); }, false},
        {"copy of a missing sheet", [](Cls_ExcelCreate& w) { return w.SheetCopy(u"Missing", u"C"); }, false},
        {"rename to its own name", [](Cls_ExcelCreate& w) { return w.SheetRename(u"B", u"B"); }, true},
        {"rename of a missing sheet", [](Cls_ExcelCreate& w) { return w.SheetRename(u"Missing", u"C"); }, false},
    };
    for (const ForcedOperation& c : cases) {
        SCOPED_TRACE(c.what);
        auto wrapper = Opened({u"A", u"B", u"C"});
        wrapper->SetRenameForce(u"True");
        EXPECT_EQ(c.run(*wrapper), c.result);
        EXPECT_EQ(Listed(*wrapper), (Names{u"A", u"B", u"C"}));
        wrapper->FileClose();
    }
}

// A workbook whose structure is protected is left as it stands, RenameForce or not.
TEST_P(WrapperBehaviour, AProtectedWorkbookIsLeftAsItStands) {
    auto wrapper = Opened({u"A", u"B", u"C"});
    wrapper->GetActiveSheet()->GetObject(u"Parent")->Call(u"Protect", {}, {{u"Structure", true}});
    for (const bool force : {false, true}) {
        SCOPED_TRACE(force ? "RenameForce" : "asking");
        wrapper->SetRenameForce(force ? u"True" : u"False");
        EXPECT_FALSE(wrapper->SheetCopy(u"A", u"New"));
        EXPECT_EQ(wrapper->SheetCopy(u"A", u"B"), !force);  // asking with messages off: declined
        EXPECT_FALSE(wrapper->SheetRename(u"A", u"New"));
        EXPECT_EQ(wrapper->SheetRename(u"A", u"B"), !force);
        EXPECT_EQ(Listed(*wrapper), (Names{u"A", u"B", u"C"}));
    }
}

TEST_P(WrapperBehaviour, RenamesAWorksheet) {
    auto wrapper = Opened({u"A", u"B"});
    EXPECT_TRUE(wrapper->SheetRename(u"B", u"集計"));
    EXPECT_TRUE(wrapper->SheetRename(u"A", u"B"));  // free again after the first rename
    EXPECT_EQ(Listed(*wrapper), (Names{u"B", u"集計"}));
    EXPECT_TRUE(wrapper->SheetRename(u"B", u"集計"));  // taken: declined, nothing changes
    EXPECT_FALSE(wrapper->SheetRename(u"Missing", u"C"));
    EXPECT_EQ(Listed(*wrapper), (Names{u"B", u"集計"}));
}

TEST_P(WrapperBehaviour, WritesAndReadsCellsOfTheActiveSheet) {
    auto wrapper = Opened({u"A", u"B"});
    EXPECT_TRUE(wrapper->SetValue(3, 2, u"テキスト"));
    std::u16string column = u" B ";
    EXPECT_EQ(wrapper->GetVal(column, 3), u"テキスト");
    EXPECT_EQ(column, u"B");
    EXPECT_TRUE(wrapper->SetValue(1, 1, u"42"));
    EXPECT_EQ(wrapper->GetValue(1, 1), u"42");
    EXPECT_TRUE(wrapper->SetValue(1, 2, u"1.5"));
    EXPECT_EQ(wrapper->GetValue(1, 2), u"1.5");
    EXPECT_EQ(wrapper->GetValue(9, 9), u"");
    EXPECT_FALSE(wrapper->SetValue(1, 0, u"x"));
    ASSERT_TRUE(wrapper->ActiveSheetName(u"B"));
    EXPECT_EQ(wrapper->GetValue(3, 2), u"");
}

TEST_P(WrapperBehaviour, InsertsCopiedRowsAndDeletesColumns) {
    auto wrapper = Opened({u"A"});
    wrapper->SetValue(1, 1, u"r1");
    wrapper->SetValue(2, 1, u"r2");
    wrapper->SetValue(1, 2, u"c2");
    wrapper->SetValue(1, 3, u"c3");
    wrapper->CopyAndInsert_Row(1, 3, -4121);  // xlShiftDown
    EXPECT_EQ(wrapper->GetValue(3, 1), u"r1");
    EXPECT_EQ(wrapper->GetValue(2, 1), u"r2");
    wrapper->DeleteCol(2, -4159);  // xlShiftToLeft
    EXPECT_EQ(wrapper->GetValue(1, 2), u"c3");
}

TEST_P(WrapperBehaviour, SavesAndTheSavedFileReopens) {
    auto wrapper = Opened({u"A", u"B"});
    wrapper->SetOverWrite(u"True");
    ASSERT_TRUE(wrapper->SheetCopy(u"A", u"C"));
    ASSERT_TRUE(wrapper->SetValue(1, 1, u"saved"));
    const std::u16string target = backend->MakeWorkbookFile(u"Target.xls", {u"Z"});
    EXPECT_TRUE(wrapper->FileSave(target));
    EXPECT_TRUE(wrapper->FileClose());
    EXPECT_EQ(backend->SavedWorksheetNames(target), (Names{u"A", u"B", u"C"}));

    auto reopened = Wrapper();
    ASSERT_TRUE(reopened->FileOpen(target, u"C"));
    EXPECT_EQ(reopened->GetValue(1, 1), u"saved");
}

TEST_P(WrapperBehaviour, SaveOverAnExistingFileWithMessagesOffSavesNothing) {
    auto wrapper = Opened({u"A"});
    const std::u16string target = backend->MakeWorkbookFile(u"Existing.xls", {u"Z"});
    EXPECT_TRUE(wrapper->FileSave(target));
    EXPECT_EQ(backend->SavedWorksheetNames(target), (Names{u"Z"}));
}

TEST_P(WrapperBehaviour, EachWrapperHasAnInstanceOfItsOwnThatEndsWithItWhileHidden) {
    const int before = backend->RunningInstances();
    {
        auto first = Opened({u"A"}, u"First.xls");
        auto second = Opened({u"B"}, u"Second.xls");
        EXPECT_EQ(backend->RunningInstances(), before + 2);
        EXPECT_EQ(Listed(*first), (Names{u"A"}));
        EXPECT_EQ(Listed(*second), (Names{u"B"}));
    }
    EXPECT_EQ(backend->RunningInstancesOnceAt(before), before);
}

TEST_P(WrapperBehaviour, GetActiveSheetIsNothingAfterClose) {
    auto wrapper = Opened({u"A"});
    EXPECT_TRUE(wrapper->FileClose());
    EXPECT_EQ(wrapper->GetActiveSheet(), nullptr);
    EXPECT_FALSE(wrapper->ActiveSheetName(u"A"));
    EXPECT_EQ(wrapper->GetValue(1, 1), u"");
}

}  // namespace tabora::test
