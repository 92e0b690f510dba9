// The sheet list window driven through real Qt events: drops, Enter in the sheet-name box, and
// the duplication window opening over it.
#include <QLineEdit>
#include <QSignalSpy>
#include <QTimer>

#include "platform/qt/QtStrings.h"
#include "qt/QtControlSet.h"
#include "qt/QtWindowsFixture.h"

namespace tabora::test {
namespace {

using namespace Qt::StringLiterals;

constexpr char16_t kNoOffice[] = u"429 ActiveX コンポーネントはオブジェクトを作成できません。\rTabora";

class DropOnMainWindow : public QtWindowsFixture, public ::testing::WithParamInterface<const char16_t*> {
protected:
    platform::Control& Target() { return frmTest->Form().ControlNamed(GetParam()); }
    platform::TextBox& TxtPath() { return frmTest->Form().TextBoxNamed(u"Txt_Path"); }
    QtControlSet gestures;
};

TEST_P(DropOnMainWindow, AnXlsFileIsLoadedAsIfCmdGetWerePressed) {
    ShowMain();
    gestures.DropFiles(Target(), {u"/home/user/ブック 1.XLS", u"/home/user/other.xls"});
    gestures.Settle();
    EXPECT_EQ(TxtPath().Text(), u"/home/user/ブック 1.XLS");
    // Without the office, loading ends in the error a Windows system without Excel shows.
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, kNoOffice);
    EXPECT_EQ(boxes.Shown()[0].title, u"VB Error");
    EXPECT_EQ(boxes.Shown()[0].style, 16);
}

TEST_P(DropOnMainWindow, AnotherFileChangesNothing) {
    ShowMain();
    gestures.DropFiles(Target(), {u"/home/user/names.csv", u"/home/user/book.xls"});
    gestures.Settle();
    EXPECT_EQ(TxtPath().Text(), u"");
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST_P(DropOnMainWindow, DraggedTextIsReportedAndChangesNothing) {
    ShowMain();
    gestures.DropText(Target(), u"/home/user/book.xls");
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
        for (const char16_t* name : {u"Sheet1", u"Sheet2", u"Summary"}) list.AddItem(name);
        ShowMain();
        box->setFocus();
    }
    void Press(Qt::Key key) { QTest::keyClick(box, key); }

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
    EXPECT_TRUE(boxes.Shown().empty());

    Press(Qt::Key_Return);
    // The switch asks the workbook's wrapper; before any load there is none.
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, u"ｼｰﾄ名が見つかりません。");
    EXPECT_EQ(boxes.Shown()[0].title, u"Error");
    EXPECT_EQ(boxes.Shown()[0].style, 48);
    EXPECT_EQ(returnsReachingTheBox.count(), 1) << "the second Enter was swallowed";

    Press(Qt::Key_Return);
    EXPECT_EQ(boxes.Shown().size(), 1u) << "a third Enter searches again";
}

TEST_F(EnterInSheetName, AnyOtherKeyBetweenMakesTheNextEnterAFirstOne) {
    QTest::keyClicks(box, u"S"_s);
    Press(Qt::Key_Return);
    EXPECT_EQ(sheetName.Text(), u"Sheet1");
    Press(Qt::Key_Right);
    Press(Qt::Key_Return);
    EXPECT_TRUE(boxes.Shown().empty());
    EXPECT_EQ(returnsReachingTheBox.count(), 2);
}

using DuplicationWindowOnQt = QtWindowsFixture;

TEST_F(DuplicationWindowOnQt, OpensModalCentredOverTheMainWindowWithTheSheetName) {
    ShowMain();
    frmTest->Form().TextBoxNamed(u"Txt_SheetName").SetText(u"Sheet1");
    frmTest->Form().PictureButtonNamed(u"Cmd_Open").SetEnabled(true);
    QWidget* mainWindow = MainForm().Window();
    bool checked = false;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        checked = true;
        [&] {
            ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == dialog; }));
            EXPECT_EQ(dialog->windowTitle(), u"Sheet増加"_s);
            EXPECT_EQ(dialog->windowModality(), Qt::ApplicationModal);
            EXPECT_FALSE(frmTest->Form().Enabled());
            const QPoint offset = dialog->frameGeometry().center() - mainWindow->frameGeometry().center();
            EXPECT_LE(offset.manhattanLength(), 20) << "centred over the main window";
            auto* names = dialog->findChild<QWidget*>(u"Txt_NewSheets"_s);
            EXPECT_EQ(QApplication::focusWidget(), names) << "the cursor starts in the names box";
            auto* base = dialog->findChild<QLineEdit*>(u"Txt_SheetName"_s);
            ASSERT_NE(base, nullptr);
            EXPECT_EQ(base->text(), u"Sheet1"_s);
            EXPECT_TRUE(base->isReadOnly());
            EXPECT_TRUE(dialog->findChild<QWidget*>(u"Cmd_Copy"_s)->isEnabled());
        }();
        dialog->close();  // also after a failed check, or the test would wait for ever
    });
    QtControlSet().Press(frmTest->Form().PictureButtonNamed(u"Cmd_Open"));
    EXPECT_TRUE(checked);
    EXPECT_TRUE(frmTest->Form().Enabled());
    // Refilling the list needs the workbook's wrapper; before any load it is reported.
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text.substr(0, 3), u"91 ");
}

}  // namespace
}  // namespace tabora::test
