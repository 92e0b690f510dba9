// The message box as the user sees and answers it.
#include "platform/qt/QtMessageBox.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace tabora::test {
namespace {

using namespace Qt::StringLiterals;
using platform::qt::ButtonCodeOf;
using namespace platform::button;

struct BoxCase {
    int32_t style;
    QMessageBox::Icon icon;
    std::vector<QString> captions;  // in order
    int16_t defaultCode;
    int16_t pressed;  // 0: the user presses Enter (the default button)
};

class QtMessageBoxTest : public ::testing::TestWithParam<BoxCase> {
protected:
    // Runs the box and, once it is up, lets answer act on it.
    int16_t ShowAndAnswer(int32_t style, std::function<void(QMessageBox&)> answer) {
        QTimer::singleShot(0, [answer] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) {
                ADD_FAILURE() << "no message box is up";
                return;
            }
            answer(*box);
            if (box->isVisible()) box->done(0);  // a failed check must not leave the test waiting
        });
        return platform::qt::QtMessageBox().Show(style, u"1行目\r2行目\r\n3行目", u"開始の合図");
    }
};

TEST_P(QtMessageBoxTest, ShowsTheStylesButtonsIconAndDefaultAndAnswersTheButtonPressed) {
    const BoxCase& c = GetParam();
    const int16_t answer = ShowAndAnswer(c.style, [&](QMessageBox& box) {
        EXPECT_EQ(box.windowTitle(), u"開始の合図"_s);
        EXPECT_EQ(box.text(), u"1行目\n2行目\n3行目"_s) << "each carriage return starts a line";
        EXPECT_EQ(box.textFormat(), Qt::PlainText);
        EXPECT_EQ(box.icon(), c.icon);
        std::vector<QString> captions;
        QAbstractButton* toPress = nullptr;
        QList<QAbstractButton*> buttons = box.buttons();
        std::sort(buttons.begin(), buttons.end(), [&](QAbstractButton* a, QAbstractButton* b) {
            return a->mapTo(&box, QPoint()).x() < b->mapTo(&box, QPoint()).x();
        });
        for (QAbstractButton* button : buttons) {  // from left to right
            captions.push_back(button->text());
            if (ButtonCodeOf(*button) == c.pressed) toPress = button;
        }
        EXPECT_EQ(captions, c.captions);
        ASSERT_NE(box.defaultButton(), nullptr);
        EXPECT_EQ(ButtonCodeOf(*box.defaultButton()), c.defaultCode);
        if (c.pressed == 0) {
            QTest::keyClick(&box, Qt::Key_Return);
        } else {
            ASSERT_NE(toPress, nullptr);
            toPress->click();
        }
    });
    EXPECT_EQ(answer, c.pressed == 0 ? c.defaultCode : c.pressed);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, QtMessageBoxTest,
    ::testing::Values(
        BoxCase{16, QMessageBox::Critical, {u"OK"_s}, kOk, 0},
        BoxCase{48, QMessageBox::Warning, {u"OK"_s}, kOk, kOk},
        BoxCase{64, QMessageBox::Information, {u"OK"_s}, kOk, 0},
        BoxCase{36, QMessageBox::Question, {u"はい(&Y)"_s, u"いいえ(&N)"_s}, kYes, kNo},
        BoxCase{36, QMessageBox::Question, {u"はい(&Y)"_s, u"いいえ(&N)"_s}, kYes, 0},
        BoxCase{4 + 256, QMessageBox::NoIcon, {u"はい(&Y)"_s, u"いいえ(&N)"_s}, kNo, 0},
        BoxCase{1 + 256, QMessageBox::NoIcon, {u"OK"_s, u"キャンセル"_s}, kCancel, 0},
        BoxCase{1 + 32, QMessageBox::Question, {u"OK"_s, u"キャンセル"_s}, kOk, kCancel},
        BoxCase{3 + 512 + 48,
                QMessageBox::Warning,
                {u"はい(&Y)"_s, u"いいえ(&N)"_s, u"キャンセル"_s},
                kCancel,
                kNo},
        BoxCase{
            2 + 16, QMessageBox::Critical, {u"中止(&A)"_s, u"再試行(&R)"_s, u"無視(&I)"_s}, kAbort, kIgnore},
        BoxCase{5 + 256, QMessageBox::NoIcon, {u"再試行(&R)"_s, u"キャンセル"_s}, kCancel, kRetry}),
    [](const ::testing::TestParamInfo<BoxCase>& test) {
        return "Style" + std::to_string(test.param.style) + "Presses" +
               (test.param.pressed == 0 ? std::string("Enter") : std::to_string(test.param.pressed));
    });

TEST_F(QtMessageBoxTest, EscapeAnswersCancelWhereThereIsOne) {
    EXPECT_EQ(ShowAndAnswer(3, [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); }), kCancel);
    EXPECT_EQ(ShowAndAnswer(0, [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); }), kOk);
}

TEST_F(QtMessageBoxTest, MarkupIsShownAsItIs) {
    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), u"<b>Sheet</b> & <i>x</i>"_s);
        EXPECT_EQ(box->textFormat(), Qt::PlainText);
        box->buttons().front()->click();
    });
    platform::qt::QtMessageBox().Show(16, u"<b>Sheet</b> & <i>x</i>", u"VB Error");
}

TEST_F(QtMessageBoxTest, AQuestionAboutAnotherProgramsWindowStandsCentredOnIt) {
    const QRect office(500, 200, 640, 480);
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_LE((box->frameGeometry().center() - office.center()).manhattanLength(), 2) << "centred on the office's window";
        EXPECT_EQ(box->windowModality(), Qt::ApplicationModal);
        for (QAbstractButton* button : box->buttons())
            if (ButtonCodeOf(*button) == kCancel) button->click();
    });
    const int16_t answer = platform::qt::QtMessageBox().ShowInFrontOf({0, office}, 3 + 48, u"'a.xls' への変更を保存しますか?",
                                                                      u"Microsoft Excel");
    EXPECT_EQ(answer, kCancel);
}

}  // namespace
}  // namespace tabora::test
