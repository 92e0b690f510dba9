// The sheet list window driven through real Qt events, on the in-memory Excel: drops, Enter in
// the sheet-name box, and copying sheets in the duplication window; and on a system without
// the office.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTimer>

#include "platform/qt/QtStrings.h"
#include "qt/QtControlSet.h"
#include "qt/QtWindowsFixture.h"

namespace tabora::test {
namespace {

using namespace Qt::StringLiterals;
using Names = std::vector<std::u16string>;

std::vector<std::u16string> Entries(platform::ListBox& list) {
    std::vector<std::u16string> entries;
    for (int32_t i = 0; i < list.ListCount(); ++i) entries.push_back(list.List(i));
    return entries;
}

class DropOnMainWindow : public QtWindowsFixture, public ::testing::WithParamInterface<const char16_t*> {
protected:
    platform::Control& Target() { return frmTest->Form().ControlNamed(GetParam()); }
    platform::TextBox& TxtPath() { return frmTest->Form().TextBoxNamed(u"Txt_Path"); }
    QtControlSet gestures;
};

TEST_P(DropOnMainWindow, AnXlsFileIsLoadedAsIfCmdGetWerePressed) {
    ShowMain();
    const std::u16string book = MakeWorkbook({u"表紙", u"Sheet2"}, u"ブック 1.XLS");
    gestures.DropFiles(Target(), {book, MakeWorkbook({u"Other"}, u"other.xls")});
    gestures.Settle();
    EXPECT_EQ(TxtPath().Text(), book);
    EXPECT_EQ(Entries(frmTest->Form().ListBoxNamed(u"Lst_Item")), (Names{u"表紙", u"Sheet2"}));
    EXPECT_TRUE(frmTest->Form().PictureButtonNamed(u"Cmd_Open").Enabled());
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST_P(DropOnMainWindow, AnotherFileChangesNothing) {
    ShowMain();
    gestures.DropFiles(Target(), {folder.File(u"names.csv"), MakeWorkbook({u"Sheet1"})});
    gestures.Settle();
    EXPECT_EQ(TxtPath().Text(), u"");
    EXPECT_EQ(excel.InstanceCount(), 0);
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST_P(DropOnMainWindow, DraggedTextIsReportedAndChangesNothing) {
    ShowMain();
    gestures.DropText(Target(), MakeWorkbook({u"Sheet1"}));
    gestures.Settle();
    EXPECT_EQ(TxtPath().Text(), u"");
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].title, u"VB Error");
    EXPECT_EQ(boxes.Shown()[0].text.substr(0, 4), u"461 ");
}

INSTANTIATE_TEST_SUITE_P(EveryDropTarget, DropOnMainWindow,
                         ::testing::Values(u"Txt_Path", u"Lst_Item", u"Txt_SheetName"));

class EnterInSheetName : public QtWindowsFixture {
protected:
    void SetUp() override {
        ShowMain();
        frmTest->Form().TextBoxNamed(u"Txt_Path").SetText(MakeWorkbook({u"Sheet1", u"Sheet2", u"Summary"}));
        QtControlSet().Press(frmTest->Form().PictureButtonNamed(u"Cmd_Get"));
        ASSERT_EQ(list.ListCount(), 3);
        box->setFocus();
    }
    void Press(Qt::Key key) { QTest::keyClick(box, key); }
    std::u16string ActiveSheet() { return Workbook().activeSheet->name; }

    platform::ListBox& list = frmTest->Form().ListBoxNamed(u"Lst_Item");
    platform::TextBox& sheetName = frmTest->Form().TextBoxNamed(u"Txt_SheetName");
    QLineEdit* box = qobject_cast<QLineEdit*>(MainWidget(u"Txt_SheetName"));
    QSignalSpy returnsReachingTheBox{box, &QLineEdit::returnPressed};
};

TEST_F(EnterInSheetName, TheFirstEnterCompletesTheNameAndTheSecondSwitches) {
    QTest::keyClicks(box, u"Su"_s);
    Press(Qt::Key_Return);
    EXPECT_EQ(sheetName.Text(), u"Summary");
    EXPECT_EQ(sheetName.SelStart(), 7) << "caret at the end";
    EXPECT_EQ(list.ListIndex(), 2);
    EXPECT_EQ(ActiveSheet(), u"Sheet1");

    Press(Qt::Key_Return);
    EXPECT_EQ(ActiveSheet(), u"Summary");
    EXPECT_EQ(returnsReachingTheBox.count(), 1) << "the second Enter was swallowed";
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(EnterInSheetName, AnyOtherKeyOrInputMethodTypingBetweenMakesTheNextEnterAFirstOne) {
    QTest::keyClicks(box, u"S"_s);
    Press(Qt::Key_Return);
    EXPECT_EQ(sheetName.Text(), u"Sheet1");
    Press(Qt::Key_Right);
    Press(Qt::Key_Return);
    EXPECT_EQ(returnsReachingTheBox.count(), 2);

    QtControlSet().Type(sheetName, u"２");  // composed and committed by the input method
    Press(Qt::Key_Return);
    EXPECT_EQ(returnsReachingTheBox.count(), 3);
    EXPECT_EQ(ActiveSheet(), u"Sheet1");
}

TEST_F(EnterInSheetName, ADoubleClickOnAnEntrySwitches) {
    QtControlSet().DoubleClickItem(list, 1);
    EXPECT_EQ(sheetName.Text(), u"Sheet2");
    EXPECT_EQ(ActiveSheet(), u"Sheet2");
}

class DuplicationWindowOnQt : public QtWindowsFixture {
protected:
    // Runs act on the duplication window once it is up and active; closes it if act did not.
    void WhenOpen(std::function<void(QWidget&)> act) {
        QTimer::singleShot(0, [this, act] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            opened = true;
            [&] {
                ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == dialog; }));
                act(*dialog);
            }();
            if (dialog->isVisible()) dialog->close();
        });
    }
    void OpenFor(const std::u16string& sheet) {
        frmTest->Form().TextBoxNamed(u"Txt_SheetName").SetText(sheet);
        QtControlSet().Press(frmTest->Form().PictureButtonNamed(u"Cmd_Open"));
    }
    bool opened = false;
};

TEST_F(DuplicationWindowOnQt, OpensModalCentredOverTheMainWindowWithTheSheetName) {
    ShowMain();
    frmTest->Form().TextBoxNamed(u"Txt_Path").SetText(MakeWorkbook({u"Sheet1"}));
    QtControlSet().Press(frmTest->Form().PictureButtonNamed(u"Cmd_Get"));
    QWidget* mainWindow = MainForm().Window();
    WhenOpen([&](QWidget& dialog) {
        EXPECT_EQ(dialog.windowTitle(), u"Sheet増加"_s);
        EXPECT_EQ(dialog.windowModality(), Qt::ApplicationModal);
        EXPECT_FALSE(frmTest->Form().Enabled());
        const QPoint offset = dialog.frameGeometry().center() - mainWindow->frameGeometry().center();
        EXPECT_LE(offset.manhattanLength(), 20) << "centred over the main window";
        EXPECT_EQ(QApplication::focusWidget(), dialog.findChild<QWidget*>(u"Txt_NewSheets"_s))
            << "the cursor starts in the names box";
        auto* base = dialog.findChild<QLineEdit*>(u"Txt_SheetName"_s);
        ASSERT_NE(base, nullptr);
        EXPECT_EQ(base->text(), u"Sheet1"_s);
        EXPECT_TRUE(base->isReadOnly());
        EXPECT_TRUE(dialog.findChild<QWidget*>(u"Cmd_Copy"_s)->isEnabled());
    });
    OpenFor(u"Sheet1");
    EXPECT_TRUE(opened);
    EXPECT_TRUE(frmTest->Form().Enabled());
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(DuplicationWindowOnQt, LinesTypedInTheNamesBoxBecomeSheetsInOrder) {
    ShowMain();
    frmTest->Form().TextBoxNamed(u"Txt_Path").SetText(MakeWorkbook({u"Sheet1", u"Base"}));
    QtControlSet().Press(frmTest->Form().PictureButtonNamed(u"Cmd_Get"));
    WhenOpen([&](QWidget& dialog) {
        auto* names = dialog.findChild<QPlainTextEdit*>(u"Txt_NewSheets"_s);
        ASSERT_NE(names, nullptr);
        QTest::keyClicks(names, u"A,x"_s);
        QTest::keyClick(names, Qt::Key_Return);
        QTest::keyClick(names, Qt::Key_Return);
        QTest::keyClicks(names, u"B"_s);
        // Shift+Enter breaks the line as well (Qt puts a line separator there)
        QTest::keyClick(names, Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClicks(names, u"C"_s);
        QTest::mouseClick(dialog.findChild<QWidget*>(u"Cmd_Copy"_s), Qt::LeftButton);
    });
    OpenFor(u"Base");
    EXPECT_TRUE(opened);
    EXPECT_EQ(Workbook().WorksheetNames(), (Names{u"Sheet1", u"Base", u"A", u"B", u"C"}));
    EXPECT_EQ(Entries(frmTest->Form().ListBoxNamed(u"Lst_Item")), (Names{u"Sheet1", u"Base", u"A", u"B", u"C"}));
    ASSERT_EQ(boxes.Shown().size(), 2u);
    EXPECT_EQ(boxes.Shown()[0].text, u"以下のSheetを作成しますか？");
    EXPECT_EQ(boxes.Shown()[1].text, u"全て完了しました。");
}

// A system without the office: the server refuses every object, as Windows without Excel does.
class WithoutTheOffice : public QtWindowsFixture {
protected:
    WithoutTheOffice() : QtWindowsFixture(false) {}
};

TEST_F(WithoutTheOffice, LoadingAndTheFileDialogReportError429) {
    ShowMain();
    frmTest->Form().TextBoxNamed(u"Txt_Path").SetText(u"/home/user/Book.xls");
    QtControlSet().Press(frmTest->Form().PictureButtonNamed(u"Cmd_Get"));
    QtControlSet().Press(frmTest->Form().PictureButtonNamed(u"Cmd_決定ファイル"));
    ASSERT_EQ(boxes.Shown().size(), 2u);
    for (const ShownBox& box : boxes.Shown()) {
        EXPECT_EQ(box.text, u"429 ActiveX コンポーネントはオブジェクトを作成できません。\rTabora");
        EXPECT_EQ(box.title, u"VB Error");
        EXPECT_EQ(box.style, 16);
    }
    EXPECT_EQ(frmTest->Form().ListBoxNamed(u"Lst_Item").ListCount(), 0);
    EXPECT_FALSE(frmTest->Form().PictureButtonNamed(u"Cmd_Open").Enabled());
}

}  // namespace
}  // namespace tabora::test
