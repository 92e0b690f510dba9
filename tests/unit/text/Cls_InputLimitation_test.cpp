#include "text/Cls_InputLimitation.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/Runtime.h"
#include "support/EventProbe.h"
#include "support/HeadlessEventLoop.h"
#include "support/HeadlessTextBox.h"

namespace tabora {
namespace {

enum class Box { Numeric, NumericMinus, Decimal, Date, JapaneseDate, Time, TelNo, Zipcode };

void Attach(Cls_InputLimitation& controller, platform::TextBox& box, Box kind) {
    switch (kind) {
        case Box::Numeric: return controller.SetTextBox_Numeric(box);
        case Box::NumericMinus: return controller.SetTextBox_Numeric_Minus(box);
        case Box::Decimal: return controller.SetTextBox_NumericDecimal(box);
        case Box::Date: return controller.SetTextBox_Date(box, false);
        case Box::JapaneseDate: return controller.SetTextBox_Date(box, true);
        case Box::Time: return controller.SetTextBox_Time(box);
        case Box::TelNo: return controller.SetTextBox_TelNo(box);
        case Box::Zipcode: return controller.SetTextBox_Zipcode(box);
    }
}

class InputLimitationTest : public ::testing::Test {
protected:
    test::HeadlessEventLoop loop;
    platform::ScopedRuntime runtime{{.events = &loop}};
    test::HeadlessTextBox box;
    Cls_InputLimitation controller;
};

TEST_F(InputLimitationTest, RefusedKeystrokePutsBackTheTextWithTheCaretWhereItWasTyped) {
    Attach(controller, box, Box::Numeric);
    box.Type(u"12");
    box.Type(u"a");
    EXPECT_EQ(box.Text(), u"12");
    EXPECT_EQ(box.SelStart(), 2);
    EXPECT_EQ(box.Tag(), u"12");
    box.Select(0, 0);
    box.Type(u"x");
    EXPECT_EQ(box.Text(), u"12");
    EXPECT_EQ(box.SelStart(), 0);
}

TEST_F(InputLimitationTest, RefusedPasteLeavesTheLastAcceptedText) {
    Attach(controller, box, Box::Numeric);
    box.Paste(u"1x2");
    EXPECT_EQ(box.Text(), u"");
    EXPECT_EQ(box.SelStart(), 0);
    box.Paste(u"345");
    box.Select(1, 1);
    box.Paste(u"9-9");
    EXPECT_EQ(box.Text(), u"345");
    EXPECT_EQ(box.SelStart(), 2);  // where the "-" stood
}

TEST_F(InputLimitationTest, EmptyingTheBoxIsAlwaysAccepted) {
    Attach(controller, box, Box::Date);
    box.Type(u"2024");
    box.Select(0, 4);
    box.Backspace();
    EXPECT_EQ(box.Text(), u"");
    EXPECT_EQ(box.Tag(), u"");
}

TEST_F(InputLimitationTest, TextSetBeforeAttachingWithARefusedCharacterGoesAtTheNextChange) {
    box.SetText(u"abc");
    Attach(controller, box, Box::Numeric);
    EXPECT_EQ(box.Text(), u"abc");
    box.Select(3, 0);
    box.Type(u"1");
    EXPECT_EQ(box.Text(), u"");
}

TEST_F(InputLimitationTest, ValidTextSetBeforeAttachingSurvivesARefusedKeystroke) {
    box.SetText(u"123");
    Attach(controller, box, Box::Numeric);
    EXPECT_EQ(box.Tag(), u"123");
    box.Select(3, 0);
    box.Type(u"a");
    EXPECT_EQ(box.Text(), u"123");
    EXPECT_EQ(box.SelStart(), 3);
}

struct AdmitCase {
    const char* name;
    Box kind;
    bool edit;
    std::u16string text;
    bool admitted;
};

class AdmitTest : public InputLimitationTest, public ::testing::WithParamInterface<AdmitCase> {};

TEST_P(AdmitTest, ScansTheWholeTextWithTheCheckOfTheMode) {
    controller.Set_Edit(GetParam().edit);
    Attach(controller, box, GetParam().kind);
    box.Paste(GetParam().text);
    EXPECT_EQ(box.Text(), GetParam().admitted ? GetParam().text : u"");
    EXPECT_EQ(box.Tag(), box.Text());
}

INSTANTIATE_TEST_SUITE_P(
    Modes, AdmitTest,
    ::testing::Values(
        AdmitCase{"NumericCommaWhileEditing", Box::Numeric, true, u",1,,2,", true},
        AdmitCase{"NumericCommaWithoutEditing", Box::Numeric, false, u"1,2", false},
        AdmitCase{"NumericNoMinus", Box::Numeric, true, u"-1", false},
        AdmitCase{"NumericNoMinusAfterDigits", Box::Numeric, true, u"1-", false},
        AdmitCase{"NumericNoPoint", Box::Numeric, true, u"1.5", false},
        AdmitCase{"MinusAnywhere", Box::NumericMinus, true, u"1-2--", true},
        AdmitCase{"MinusBoxStillNoLetters", Box::NumericMinus, true, u"-a", false},
        AdmitCase{"DecimalPointsAnywhere", Box::Decimal, true, u"1.2.3", true},
        AdmitCase{"DecimalNoMinus", Box::Decimal, true, u"-1.5", false},
        AdmitCase{"DecimalCommaWithoutEditing", Box::Decimal, false, u"1,234.5", false},
        AdmitCase{"DecimalPointWithoutEditing", Box::Decimal, false, u"1.5", true},
        AdmitCase{"DateSlashes", Box::Date, true, u"2024/01/05", true},
        AdmitCase{"DateSlashesWithoutEditing", Box::Date, false, u"2024/01/05", false},
        AdmitCase{"DateDigitsWithoutEditing", Box::Date, false, u"20240105", true},
        AdmitCase{"DateNoJapaneseMarks", Box::Date, true, u"2024年", false},
        AdmitCase{"JapaneseDateMarks", Box::JapaneseDate, true, u"2024年01月05日", true},
        AdmitCase{"JapaneseDateNoSlash", Box::JapaneseDate, true, u"2024/01", false},
        AdmitCase{"JapaneseMarksWithoutEditing", Box::JapaneseDate, false, u"2024年", false},
        AdmitCase{"TelNo", Box::TelNo, true, u"12-34-56", true},
        AdmitCase{"TelNoDashesOnly", Box::TelNo, true, u"--1", true},
        AdmitCase{"TelNoNoParenthesis", Box::TelNo, true, u"(03)", false},
        AdmitCase{"ZipcodeNoSpace", Box::Zipcode, true, u"100 0001", false},
        AdmitCase{"ZipcodeDash", Box::Zipcode, false, u"100-0001", true},
        AdmitCase{"TimeHasNoCheck", Box::Time, true, u"ab:;9", true},
        AdmitCase{"FullWidthDigitNumeric", Box::Numeric, true, u"\uFF11", false},
        AdmitCase{"FullWidthDigitDecimal", Box::Decimal, true, u"\uFF11", false},
        AdmitCase{"FullWidthDigitDate", Box::JapaneseDate, true, u"\uFF11", false},
        AdmitCase{"FullWidthDigitTelNo", Box::TelNo, true, u"\uFF11", false}),
    [](const auto& param_info) { return param_info.param.name; });

TEST_F(InputLimitationTest, AttachingYieldsStripsFormattingSelectsAllAndDisablesTheInputMethod) {
    box.SetText(u"1,234,567");
    Attach(controller, box, Box::Numeric);
    EXPECT_GT(loop.Yields(), 0);
    EXPECT_EQ(box.Text(), u"1234567");
    EXPECT_EQ(box.SelStart(), 0);
    EXPECT_EQ(box.SelLength(), 7);
    EXPECT_EQ(box.IMEMode(), platform::kImeModeDisable);
}

TEST_F(InputLimitationTest, AttachingWithoutFormattingKeepsTheTextButSelectsIt) {
    box.SetText(u"1,234");
    controller.Set_Edit(false);
    Attach(controller, box, Box::Numeric);
    EXPECT_EQ(box.Text(), u"1,234");
    EXPECT_EQ(box.SelLength(), 5);
}

TEST_F(InputLimitationTest, NegativeTextSurvivesAttachingOnlyInAMinusBox) {
    box.SetText(u"-1,234");
    Attach(controller, box, Box::NumericMinus);
    EXPECT_EQ(box.Text(), u"-1234");
    EXPECT_EQ(box.Tag(), u"-1234");

    test::HeadlessTextBox plain;
    plain.SetText(u"-1,234");
    Cls_InputLimitation other;
    Attach(other, plain, Box::Numeric);
    EXPECT_EQ(plain.Text(), u"");
}

TEST_F(InputLimitationTest, ReattachingResetsTheMinusFlagAndReleasesTheFirstBox) {
    Attach(controller, box, Box::NumericMinus);
    test::HeadlessTextBox second;
    Attach(controller, second, Box::Numeric);
    second.Type(u"-");
    EXPECT_EQ(second.Text(), u"");
    box.Type(u"abc");
    EXPECT_EQ(box.Text(), u"abc");
    EXPECT_EQ(test::EventProbe::HandlerCount(box.Change), 0u);
}

TEST_F(InputLimitationTest, NestedChangeFromItsOwnWriteEndsAtOnce) {
    Attach(controller, box, Box::Numeric);
    box.Type(u"12");
    const int before = loop.Yields();
    box.Type(u"a");
    // The keystroke's Change and the Change of putting "12" back: one yield each, nothing more.
    EXPECT_EQ(loop.Yields() - before, 2);
    EXPECT_EQ(box.Text(), u"12");
}

TEST_F(InputLimitationTest, KeystrokeQueuedDuringTheYieldIsScannedToo) {
    Attach(controller, box, Box::Numeric);
    box.Type(u"1");
    loop.Post([this] { box.Type(u"2"); });
    box.Type(u"x");
    EXPECT_EQ(box.Text(), u"1");
    EXPECT_EQ(box.Tag(), u"1");
    EXPECT_EQ(box.SelStart(), 1);
}

TEST_F(InputLimitationTest, ControllerDestroyedWhileItYieldsInAChangeStopsQuietly) {
    auto owned = std::make_unique<Cls_InputLimitation>();
    Attach(*owned, box, Box::Numeric);
    loop.Post([&owned] { owned.reset(); });
    box.Type(u"x");
    EXPECT_EQ(owned, nullptr);
    EXPECT_EQ(box.Text(), u"x");
    EXPECT_EQ(test::EventProbe::HandlerCount(box.Change), 0u);
}

TEST_F(InputLimitationTest, ControllerDestroyedWhileItFormatsOnLeaveStopsQuietly) {
    auto owned = std::make_unique<Cls_InputLimitation>();
    owned->Set_FormatCheck(true);
    Attach(*owned, box, Box::Date);
    box.Paste(u"2024/1/15");
    loop.Post([&owned] { owned.reset(); });
    EXPECT_TRUE(box.Leave());
    EXPECT_EQ(box.Text(), u"2024115");
}

TEST_F(InputLimitationTest, BoxDestroyedWhileTheAttachYieldsIsNeverTouched) {
    auto gone = std::make_unique<test::HeadlessTextBox>();
    loop.Post([&gone] { gone.reset(); });
    Attach(controller, *gone, Box::Numeric);
    EXPECT_EQ(gone, nullptr);
    Attach(controller, box, Box::Decimal);
    box.Type(u"1.5x");
    EXPECT_EQ(box.Text(), u"1.5");
}

TEST_F(InputLimitationTest, BoxGoneBeforeTheControllerIsNoLongerTouched) {
    auto gone = std::make_unique<test::HeadlessTextBox>();
    Attach(controller, *gone, Box::Numeric);
    gone.reset();
    Attach(controller, box, Box::Decimal);
    box.Type(u"1.5x");
    EXPECT_EQ(box.Text(), u"1.5");
}

TEST_F(InputLimitationTest, DestroyingTheControllerDetachesAndLeavesTheTag) {
    {
        Cls_InputLimitation scoped;
        Attach(scoped, box, Box::Numeric);
        box.Type(u"42");
    }
    box.Type(u"abc");
    EXPECT_EQ(box.Text(), u"42abc");
    EXPECT_EQ(box.Tag(), u"42");
}

struct FakeControl {
    std::u16string text, tag;
    int32_t caret = -1;
    std::u16string Text() const { return text; }
    std::u16string Tag() const { return tag; }
    void SetText(const std::u16string& value) { text = value; }
    void SetTag(const std::u16string& value) { tag = value; }
    void SetSelStart(int32_t position) { caret = position; }
};

TEST_F(InputLimitationTest, ScanServesAnyObjectWithTextTagAndCaret) {
    Attach(controller, box, Box::TelNo);
    FakeControl refused{u"03-12x4", u"03-12", -1};
    controller.Sub_InputLimitation(refused);
    EXPECT_EQ(refused.text, u"03-12");
    EXPECT_EQ(refused.caret, 5);
    FakeControl admitted{u"03-1234", u"03-12", -1};
    controller.Sub_InputLimitation(admitted);
    EXPECT_EQ(admitted.tag, u"03-1234");
    EXPECT_EQ(admitted.caret, -1);
}

struct LeaveCase {
    const char* name;
    Box kind;
    std::u16string typed;
    std::u16string shown;
    bool mayLeave;
    bool formatCheck = true;
    bool noConvert = false;
    bool edit = true;
};

class LeaveTest : public InputLimitationTest, public ::testing::WithParamInterface<LeaveCase> {};

TEST_P(LeaveTest, WritesTheDisplayFormAndMayKeepTheFocus) {
    const LeaveCase& c = GetParam();
    controller.Set_Edit(c.edit);
    controller.Set_FormatCheck(c.formatCheck);
    controller.SetDateFormatControl(c.noConvert);
    Attach(controller, box, c.kind);
    box.Paste(c.typed);
    ASSERT_EQ(box.Text(), c.typed);
    EXPECT_EQ(box.Leave(), c.mayLeave);
    EXPECT_EQ(box.Text(), c.shown);
    EXPECT_EQ(box.Tag(), c.shown);  // the display form passes its own scan
    EXPECT_EQ(box.Leave(), c.mayLeave);
    EXPECT_EQ(box.Text(), c.shown);  // leaving again changes nothing
}

INSTANTIATE_TEST_SUITE_P(
    Forms, LeaveTest,
    ::testing::Values(
        LeaveCase{"Whole", Box::Numeric, u"1234567", u"1,234,567", true},
        LeaveCase{"WholeLeadingZeros", Box::Numeric, u"007", u"7", true},
        LeaveCase{"WholeLong", Box::Numeric, u"12345678901234567890", u"12,345,678,901,234,567,890", true},
        LeaveCase{"Negative", Box::NumericMinus, u"-1234", u"-1,234", true},
        LeaveCase{"NotANumberStays", Box::NumericMinus, u"1-2", u"1-2", true},
        LeaveCase{"Decimal", Box::Decimal, u"1234.5", u"1,234.5", true},
        LeaveCase{"DecimalWhole", Box::Decimal, u"5", u"5.0", true},
        LeaveCase{"DecimalRounded", Box::Decimal, u"0.1234567", u"0.123457", true},
        LeaveCase{"DecimalTwoPointsNeverBlock", Box::Decimal, u"1.2.3", u"1.2.3", true},
        LeaveCase{"Date", Box::Date, u"20240105", u"2024/01/05", true},
        LeaveCase{"YearMonth", Box::Date, u"202401", u"2024/01", true},
        LeaveCase{"JapaneseDate", Box::JapaneseDate, u"20240105", u"2024年01月05日", true},
        LeaveCase{"JapaneseYearMonth", Box::JapaneseDate, u"202401", u"2024年01月", true},
        LeaveCase{"NoCalendarCheck", Box::Date, u"20241399", u"2024/13/99", true},
        LeaveCase{"FormattedDateAgain", Box::Date, u"2024/01/05", u"2024/01/05", true},
        LeaveCase{"FormattedJapaneseAgain", Box::JapaneseDate, u"2024年01月05日", u"2024年01月05日", true},
        LeaveCase{"BadDateKeepsFocus", Box::Date, u"2024/1/15", u"2024115", false},
        LeaveCase{"BadDateWithoutCheck", Box::Date, u"2024/1/15", u"2024115", true, false},
        LeaveCase{"BadDateErased", Box::Date, u"2024/1/15", u"", true, true, true},
        LeaveCase{"BadDateErasedWithoutCheck", Box::JapaneseDate, u"2024年1月", u"", true, false, true},
        LeaveCase{"EmptyDateLeaves", Box::Date, u"", u"", true},
        LeaveCase{"Time", Box::Time, u"0930", u"09:30", true},
        LeaveCase{"TimeWithSeconds", Box::Time, u"093015", u"09:30:15", true},
        LeaveCase{"NoClockCheck", Box::Time, u"9999", u"99:99", true},
        LeaveCase{"FormattedTimeAgain", Box::Time, u"09:30", u"09:30", true},
        LeaveCase{"ShortTimeKeepsFocus", Box::Time, u"930", u"930", false},
        LeaveCase{"ShortTimeNotErased", Box::Time, u"930", u"930", false, true, true},
        LeaveCase{"EmptyTimeLeaves", Box::Time, u"", u"", true},
        LeaveCase{"SurrogatePairCountsOnce", Box::Time, u"a😀b", u"a😀b", false},
        LeaveCase{"SurrogatePairNeverCut", Box::Time, u"a😀bc", u"a😀:bc", true},
        LeaveCase{"SurrogatePairsOnly", Box::Time, u"😀😀😀😀😀😀", u"😀😀:😀😀:😀😀", true},
        LeaveCase{"TelNoUnchanged", Box::TelNo, u"03-1234", u"03-1234", true},
        LeaveCase{"NoFormattingWhole", Box::Numeric, u"1234567", u"1234567", true, true, false, false},
        LeaveCase{"NoFormattingNeverKeepsFocus", Box::Date, u"2024115", u"2024115", true, true, true, false}),
    [](const auto& param_info) { return param_info.param.name; });

struct DoubleClickCase {
    const char* name;
    Box kind;
    std::u16string shown;
    std::u16string editing;
    bool edit = true;
};

class DoubleClickTest : public InputLimitationTest, public ::testing::WithParamInterface<DoubleClickCase> {};

TEST_P(DoubleClickTest, StripsTheDisplayFormAndSelectsAll) {
    controller.Set_Edit(GetParam().edit);
    Attach(controller, box, GetParam().kind);
    box.SetText(GetParam().shown);
    box.Select(1, 0);
    box.DoubleClick();
    EXPECT_EQ(box.Text(), GetParam().editing);
    EXPECT_EQ(box.SelStart(), 0);
    EXPECT_EQ(box.SelLength(), static_cast<int32_t>(GetParam().editing.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Forms, DoubleClickTest,
    ::testing::Values(DoubleClickCase{"Whole", Box::Numeric, u"1,234,567", u"1234567"},
                      DoubleClickCase{"Negative", Box::NumericMinus, u"-1,234", u"-1234"},
                      DoubleClickCase{"Decimal", Box::Decimal, u"1,234.5", u"1234.5"},
                      DoubleClickCase{"DecimalWhole", Box::Decimal, u"1,234", u"1234.0"},
                      DoubleClickCase{"Date", Box::Date, u"2024/01/05", u"20240105"},
                      DoubleClickCase{"JapaneseDate", Box::JapaneseDate, u"2024年01月05日", u"20240105"},
                      DoubleClickCase{"Time", Box::Time, u"09:30:15", u"093015"},
                      DoubleClickCase{"TelNo", Box::TelNo, u"03-1234", u"03-1234"},
                      DoubleClickCase{"NoFormatting", Box::Numeric, u"1234", u"1234", false}),
    [](const auto& param_info) { return param_info.param.name; });

TEST_F(InputLimitationTest, SwitchesTakeEffectAtTheNextLeaveOnly) {
    Attach(controller, box, Box::Numeric);
    box.Paste(u"1234");
    controller.Set_Edit(false);
    EXPECT_EQ(box.Text(), u"1234");
    EXPECT_TRUE(box.Leave());
    EXPECT_EQ(box.Text(), u"1234");
    controller.Set_Edit(true);
    EXPECT_TRUE(box.Leave());
    EXPECT_EQ(box.Text(), u"1,234");
}

}  // namespace
}  // namespace tabora
