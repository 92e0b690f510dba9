// The conversions at the Qt edge: key codes, CR LF positions and file-dialog filters.
#include <gtest/gtest.h>

#include "platform/qt/KeyCodes.h"
#include "platform/qt/QtFileDialog.h"
#include "platform/qt/TextEditors.h"

namespace tabora::platform::qt {
namespace {

using namespace Qt::StringLiterals;

struct KeyCase {
    int qtKey;
    Qt::KeyboardModifiers modifiers;
    int16_t windowsCode;
};

class VirtualKeyTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(VirtualKeyTest, QtKeysBecomeWindowsKeyCodes) {
    EXPECT_EQ(VirtualKeyOf(GetParam().qtKey, GetParam().modifiers), GetParam().windowsCode);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, VirtualKeyTest,
    ::testing::Values(KeyCase{Qt::Key_Return, {}, 13}, KeyCase{Qt::Key_Enter, Qt::KeypadModifier, 13},
                      KeyCase{Qt::Key_A, {}, 65}, KeyCase{Qt::Key_Z, Qt::ShiftModifier, 90},
                      KeyCase{Qt::Key_0, {}, 48}, KeyCase{Qt::Key_Exclam, Qt::ShiftModifier, 49},
                      KeyCase{Qt::Key_ParenRight, Qt::ShiftModifier, 48},
                      KeyCase{Qt::Key_5, Qt::KeypadModifier, 101},
                      KeyCase{Qt::Key_Asterisk, Qt::KeypadModifier, 106}, KeyCase{Qt::Key_Minus, {}, 189},
                      KeyCase{Qt::Key_Underscore, Qt::ShiftModifier, 189},
                      KeyCase{Qt::Key_Left, Qt::KeypadModifier, 37}, KeyCase{Qt::Key_Down, {}, 40},
                      KeyCase{Qt::Key_F1, {}, 112}, KeyCase{Qt::Key_F12, {}, 123},
                      KeyCase{Qt::Key_Backtab, Qt::ShiftModifier, 9}, KeyCase{Qt::Key_Henkan, {}, 0x1C},
                      KeyCase{Qt::Key_Muhenkan, {}, 0x1D}, KeyCase{Qt::Key_Zenkaku_Hankaku, {}, 0xF3},
                      KeyCase{Qt::Key_VolumeUp, {}, 0}, KeyCase{Qt::Key_unknown, {}, 0}));

TEST(ShiftStateTest, CountsShiftCtrlAndAltAsVisualBasicDoes) {
    EXPECT_EQ(ShiftStateOf(Qt::NoModifier), 0);
    EXPECT_EQ(ShiftStateOf(Qt::ShiftModifier), 1);
    EXPECT_EQ(ShiftStateOf(Qt::ControlModifier | Qt::AltModifier), 6);
    EXPECT_EQ(ShiftStateOf(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::KeypadModifier),
              7);
    const QKeyEvent ctrlPressed(QEvent::KeyPress, Qt::Key_Control, Qt::NoModifier);
    EXPECT_EQ(ShiftStateOf(ctrlPressed), 2) << "the pressed modifier key counts itself";
}

struct PositionCase {
    std::u16string editorText;  // paragraph separators as \n
    int32_t editor, core;
};

class CrLfPositionTest : public ::testing::TestWithParam<PositionCase> {};

TEST_P(CrLfPositionTest, EveryLineBreakCountsTwiceInTheCore) {
    EXPECT_EQ(crlf::ToCorePosition(GetParam().editorText, GetParam().editor), GetParam().core);
    EXPECT_EQ(crlf::ToEditorPosition(GetParam().editorText, GetParam().core), GetParam().editor);
}

INSTANTIATE_TEST_SUITE_P(Positions, CrLfPositionTest,
                         ::testing::Values(PositionCase{u"A\nB\nC", 0, 0}, PositionCase{u"A\nB\nC", 1, 1},
                                           PositionCase{u"A\nB\nC", 2, 3}, PositionCase{u"A\nB\nC", 4, 6},
                                           PositionCase{u"A\nB\nC", 5, 7}, PositionCase{u"\n\n", 2, 4},
                                           PositionCase{u"", 0, 0}, PositionCase{u"ｼｰﾄ\u2029名", 4, 5},
                                           PositionCase{u"A\u2028B", 2, 3}));

TEST(CrLfTest, BetweenCrAndLfCountsAsBeforeTheBreakAndPositionsAreClamped) {
    EXPECT_EQ(crlf::ToEditorPosition(u"A\nB", 2), 1);
    EXPECT_EQ(crlf::ToEditorPosition(u"A\nB", 99), 3);
    EXPECT_EQ(crlf::ToCorePosition(u"A\nB", 99), 4);
    EXPECT_EQ(crlf::ToCorePosition(u"A\nB", -1), 0);
    EXPECT_EQ(crlf::FromEditor(u"A\u2029B\nC\u2028D"), u"A\r\nB\r\nC\r\nD");
}

struct FilterCase {
    std::u16string excel;
    QString qt;
};

class NameFilterTest : public ::testing::TestWithParam<FilterCase> {};

TEST_P(NameFilterTest, ExcelFiltersBecomeQtNameFiltersMatchingEitherCase) {
    EXPECT_EQ(QtNameFilters(GetParam().excel), GetParam().qt);
}

INSTANTIATE_TEST_SUITE_P(
    Filters, NameFilterTest,
    ::testing::Values(FilterCase{u"Excelファイル (*.xls), *.xls", u"Excelファイル (*.xls *.XLS)"_s},
                      FilterCase{u"Books,*.xls;*.xlsx,All,*.*",
                                 u"Books (*.xls *.XLS *.xlsx *.XLSX);;All (*.*)"_s},
                      FilterCase{u"", u""_s}, FilterCase{u"Text only", u"Text only (*)"_s},
                      FilterCase{u"Empty pattern, ", u"Empty pattern (*)"_s}));

}  // namespace
}  // namespace tabora::platform::qt
