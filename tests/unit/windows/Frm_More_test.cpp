// The duplication window, opened from the sheet list window and driven while it is modal.
#include "support/FakeExcelErrors.h"
#include "unit/windows/WindowFixture.h"

namespace tabora::test {
namespace {

using platform::button::kNo;
using platform::button::kYes;

class DuplicationTest : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        Load({u"Base", u"Other"});
        List().ClickItem(0);
    }
    // While the dialog is up: type these lines and press the copy button, answering the
    // confirmation with answer.
    void CopyWhileModal(const std::u16string& lines, int16_t answer = kYes) {
        forms.OnModal(u"Frm_More", [this, lines, answer](HeadlessForm& dialog) {
            seenSheetName = dialog.TextBox(u"Txt_SheetName").Text();
            seenCopyEnabled = dialog.Button(u"Cmd_Copy").Enabled();
            seenOwnerDisabled = !Form().Enabled();
            dialog.TextBox(u"Txt_NewSheets").Paste(lines);
            runtime.boxes.Answer(answer);
            dialog.Button(u"Cmd_Copy").Press();
            stayedOpen = dialog.IsLoaded();
            textAfter = dialog.TextBox(u"Txt_NewSheets").Text();
        });
    }
    Names Sheets() { return Latest().ActiveWorkbook()->SheetNames(); }
    std::vector<std::u16string> BoxTexts() {
        std::vector<std::u16string> texts;
        for (const auto& box : Boxes()) texts.push_back(box.text);
        return texts;
    }

    std::u16string seenSheetName;
    bool seenCopyEnabled = false;
    bool seenOwnerDisabled = false;
    bool stayedOpen = false;
    std::u16string textAfter;
};

TEST_F(DuplicationTest, CopiesTheSheetOncePerLineThenClosesAndTheListIsRefilled) {
    CopyWhileModal(u"A\r\nB\r\nC");
    Button(u"Cmd_Open").Press();
    EXPECT_EQ(seenSheetName, u"Base");
    EXPECT_TRUE(seenCopyEnabled);
    EXPECT_TRUE(seenOwnerDisabled);
    EXPECT_FALSE(stayedOpen);
    EXPECT_EQ(Sheets(), (Names{u"Base", u"Other", u"A", u"B", u"C"}));
    EXPECT_EQ(List().Items(), Sheets());
    EXPECT_EQ(ActiveSheet(), u"C");
    EXPECT_EQ(BoxTexts(), (std::vector<std::u16string>{u"以下のSheetを作成しますか？", u"全て完了しました。"}));
    EXPECT_EQ(Boxes()[0].title, u"開始の合図");
    EXPECT_EQ(Boxes()[0].style, 36);
    EXPECT_EQ(Boxes()[1].title, u"終了の合図");
    EXPECT_EQ(Boxes()[1].style, 64);
    EXPECT_TRUE(Form().Enabled());
}

TEST_F(DuplicationTest, NamesAreTheLineUpToItsFirstCommaAndBlankLinesAreSkipped) {
    CopyWhileModal(u"A,x\r\n\r\n  \r\nB\r\n");
    Button(u"Cmd_Open").Press();
    EXPECT_EQ(Sheets(), (Names{u"Base", u"Other", u"A", u"  ", u"B"}));
}

// Text pasted from elsewhere may break its lines with a bare LF or CR, or with Unicode's line
// and paragraph separators (U+2028, U+2029).
TEST_F(DuplicationTest, PastedLinesWithAnyLineBreakAreOneNameEach) {
    CopyWhileModal(u"A\nB\rC\r\nD\u2028E\u2029F\u2028\r\nG\n");
    Button(u"Cmd_Open").Press();
    EXPECT_EQ(Sheets(), (Names{u"Base", u"Other", u"A", u"B", u"C", u"D", u"E", u"F", u"G"}));
}

TEST_F(DuplicationTest, ANameAlreadyInUseIsSkippedAndTheRestAreMade) {
    CopyWhileModal(u"Other\r\nNew");
    Button(u"Cmd_Open").Press();
    EXPECT_EQ(Sheets(), (Names{u"Base", u"Other", u"New"}));
    EXPECT_FALSE(stayedOpen);
}

TEST_F(DuplicationTest, ANameRefusedStopsTheRunSaysWhichAndKeepsTheDialogOpen) {
    CopyWhileModal(u"A\r\nbad/name\r\nC");
    Button(u"Cmd_Open").Press();
    EXPECT_EQ(Sheets(), (Names{u"Base", u"Other", u"A"}));
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(textAfter, u"A\r\nbad/name\r\nC");
    EXPECT_EQ(BoxTexts(),
              (std::vector<std::u16string>{u"以下のSheetを作成しますか？", u"シートを作成できませんでした。\rbad/name"}));
    EXPECT_EQ(Boxes()[1].title, u"Error");
    EXPECT_EQ(Boxes()[1].style, 48);
    EXPECT_EQ(List().Items(), Sheets());  // refilled after the user closed the dialog
}

TEST_F(DuplicationTest, RunningAgainAfterAFailureSkipsTheNamesAlreadyMade) {
    forms.OnModal(u"Frm_More", [this](HeadlessForm& dialog) {
        dialog.TextBox(u"Txt_NewSheets").Paste(u"A\r\nbad/name");
        dialog.Button(u"Cmd_Copy").Press();
        ASSERT_TRUE(dialog.IsLoaded());
        dialog.TextBox(u"Txt_NewSheets").Select(0, 100);
        dialog.TextBox(u"Txt_NewSheets").Paste(u"A\r\nB");
        dialog.Button(u"Cmd_Copy").Press();
        EXPECT_FALSE(dialog.IsLoaded());
    });
    Button(u"Cmd_Open").Press();
    EXPECT_EQ(Sheets(), (Names{u"Base", u"Other", u"A", u"B"}));
}

TEST_F(DuplicationTest, AnsweringNoChangesNothingAndKeepsTheDialogOpen) {
    CopyWhileModal(u"A", kNo);
    Button(u"Cmd_Open").Press();
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(textAfter, u"A");
    EXPECT_EQ(Sheets(), (Names{u"Base", u"Other"}));
    EXPECT_EQ(Boxes().size(), 1u);
}

TEST_F(DuplicationTest, OnlyBlankLinesShowNothingAfterTheConfirmation) {
    CopyWhileModal(u"\r\n\r\n");
    Button(u"Cmd_Open").Press();
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(Boxes().size(), 1u);
}

TEST_F(DuplicationTest, ClosingTheDialogCopiesNothingButStillRefillsTheList) {
    List().AddItem(u"stale");
    Button(u"Cmd_Open").Press();
    EXPECT_EQ(List().Items(), (Names{u"Base", u"Other"}));
    EXPECT_EQ(forms.CreatedCount(u"Frm_More"), 1);
    EXPECT_EQ(forms.Last(u"Frm_More"), nullptr);  // discarded: the next opening starts afresh
}

TEST_F(DuplicationTest, ASheetNameNotInTheListIsTakenAsTyped) {
    TypeName(u"Ghost");
    CopyWhileModal(u"A");
    Button(u"Cmd_Open").Press();
    EXPECT_EQ(seenSheetName, u"Ghost");
    EXPECT_EQ(BoxTexts().back(), u"シートを作成できませんでした。\rA");
}

TEST_F(DuplicationTest, TheListWindowStaysWhileTheDialogIsUpAndTheCopyStillWorks) {
    bool listWindowStayed = false;
    forms.OnModal(u"Frm_More", [this, &listWindowStayed](HeadlessForm& dialog) {
        Form().Unload();  // a close reaching the list window under the dialog
        listWindowStayed = Form().IsLoaded();
        dialog.TextBox(u"Txt_NewSheets").Paste(u"A");
        dialog.Button(u"Cmd_Copy").Press();
    });
    Button(u"Cmd_Open").Press();
    EXPECT_TRUE(listWindowStayed);
    EXPECT_EQ(Sheets(), (Names{u"Base", u"Other", u"A"}));
    EXPECT_EQ(List().Items(), Sheets());
    EXPECT_TRUE(Form().Enabled());
}

// The user closes the dialog while its question is open: the dialog waits for the answer, with
// the list window still locked under it, and closes once the answer has been acted on.
class CloseDuringTheQuestionTest : public DuplicationTest, public ::testing::WithParamInterface<int16_t> {};

TEST_P(CloseDuringTheQuestionTest, TheAnswerIsActedOnThenTheDialogCloses) {
    bool dialogStayedUnderBox = false, ownerLockedUnderBox = false, closedAfter = false;
    forms.OnModal(u"Frm_More", [&](HeadlessForm& dialog) {
        dialog.TextBox(u"Txt_NewSheets").Paste(u"A\r\nB");
        runtime.boxes.WhileNextIsOpen([&] {
            dialog.Unload();
            dialogStayedUnderBox = dialog.IsLoaded();
            ownerLockedUnderBox = !Form().Enabled();
        });
        runtime.boxes.Answer(GetParam());
        dialog.Button(u"Cmd_Copy").Press();
        closedAfter = !dialog.IsLoaded();
    });
    Button(u"Cmd_Open").Press();
    EXPECT_TRUE(dialogStayedUnderBox);
    EXPECT_TRUE(ownerLockedUnderBox);
    EXPECT_TRUE(closedAfter);
    EXPECT_EQ(Sheets(),
              GetParam() == kYes ? (Names{u"Base", u"Other", u"A", u"B"}) : (Names{u"Base", u"Other"}));
    EXPECT_EQ(List().Items(), Sheets());
    EXPECT_TRUE(Form().Enabled());
}

INSTANTIATE_TEST_SUITE_P(Answers, CloseDuringTheQuestionTest, ::testing::Values(kYes, kNo),
                         [](const auto& test) { return test.param == kYes ? "Yes" : "No"; });

TEST_F(WindowFixture, TheDuplicationButtonWithAnEmptyNameDoesNothing) {
    Load({u"A"});
    Button(u"Cmd_Open").Press();
    EXPECT_EQ(forms.CreatedCount(u"Frm_More"), 0);
}

}  // namespace
}  // namespace tabora::test
