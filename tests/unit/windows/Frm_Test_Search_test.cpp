// The sheet list window: Enter searches, a second Enter switches; clicks and double clicks.
#include "unit/windows/WindowFixture.h"

namespace tabora::test {
namespace {

constexpr int16_t kRightArrow = 39;
constexpr int16_t kShift = 16;

class SearchTest : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        Load({u"Sheet1", u"Sheet2", u"Summary"});
    }
};

struct SearchCase {
    std::u16string typed;
    int32_t selected;      // -1: nothing selected
    std::u16string shown;  // the name box afterwards
};

class EnterSearchTest : public SearchTest, public ::testing::WithParamInterface<SearchCase> {};

TEST_P(EnterSearchTest, SelectsTheFirstEntryBeginningWithTheTypedText) {
    TypeName(GetParam().typed);
    EXPECT_EQ(SheetName().PressKey(kEnter), kEnter);
    EXPECT_EQ(List().ListIndex(), GetParam().selected);
    EXPECT_EQ(SheetName().Text(), GetParam().shown);
    EXPECT_EQ(SheetName().SelStart(), static_cast<int32_t>(GetParam().shown.size()));
    EXPECT_EQ(SheetName().SelLength(), 0);
    EXPECT_EQ(ActiveSheet(), u"Sheet1");  // a first Enter never switches
}

INSTANTIATE_TEST_SUITE_P(Texts, EnterSearchTest,
                         ::testing::Values(SearchCase{u"S", 0, u"Sheet1"}, SearchCase{u"Su", 2, u"Summary"},
                                           SearchCase{u"Sheet2", 1, u"Sheet2"}, SearchCase{u"s", -1, u"s"},
                                           SearchCase{u"Ｓ", -1, u"Ｓ"}, SearchCase{u" S", -1, u" S"},
                                           SearchCase{u"Summary2", -1, u"Summary2"}));

TEST_F(SearchTest, ASecondEnterSwitchesAndIsSwallowed) {
    TypeName(u"Summary");
    SheetName().PressKey(kEnter);
    EXPECT_EQ(SheetName().PressKey(kEnter), 0);
    EXPECT_EQ(ActiveSheet(), u"Summary");
    EXPECT_EQ(SheetName().Text(), u"Summary");
}

TEST_F(SearchTest, AnyOtherKeyInBetweenMakesTheNextEnterAFirstOne) {
    for (int16_t between : {kRightArrow, kShift, int16_t{8}, int16_t{'A'}}) {
        TypeName(u"Su");
        SheetName().PressKey(kEnter);
        SheetName().PressKey(between);
        EXPECT_EQ(SheetName().PressKey(kEnter), kEnter);
        EXPECT_EQ(ActiveSheet(), u"Sheet1") << "key " << between;
    }
}

TEST_F(SearchTest, ThreeEntersSearchSwitchAndSearchAgain) {
    TypeName(u"Sheet2");
    EXPECT_EQ(SheetName().PressKey(kEnter), kEnter);
    EXPECT_EQ(SheetName().PressKey(kEnter), 0);
    EXPECT_EQ(ActiveSheet(), u"Sheet2");
    ASSERT_TRUE(Latest().ActiveWorkbook());
    Latest().ActiveWorkbook()->activeSheet = Latest().ActiveWorkbook()->FindSheet(u"Sheet1");
    EXPECT_EQ(SheetName().PressKey(kEnter), kEnter);
    EXPECT_EQ(ActiveSheet(), u"Sheet1");
}

TEST_F(SearchTest, EnterInAnEmptyBoxDoesNotSearchButASecondEnterStillSwitches) {
    List().ClickItem(2);
    TypeName(u"");
    SheetName().PressKey(kEnter);
    EXPECT_EQ(SheetName().Text(), u"");
    EXPECT_EQ(SheetName().PressKey(kEnter), 0);
    EXPECT_EQ(SheetName().Text(), u"Summary");
    EXPECT_EQ(ActiveSheet(), u"Summary");
}

TEST_F(SearchTest, ASecondEnterWithNothingSelectedFindsNoSheet) {
    TypeName(u"zzz");
    SheetName().PressKey(kEnter);
    SheetName().PressKey(kEnter);
    EXPECT_EQ(SheetName().Text(), u"");
    EXPECT_EQ(ActiveSheet(), u"Sheet1");
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(SearchTest, ClickCopiesTheNameAndADoubleClickSwitches) {
    List().ClickItem(1);
    EXPECT_EQ(SheetName().Text(), u"Sheet2");
    EXPECT_EQ(ActiveSheet(), u"Sheet1");
    List().DoubleClickItem(2);
    EXPECT_EQ(ActiveSheet(), u"Summary");
}

TEST_F(SearchTest, TheButtonSwitchesToTheTypedNameAndAnUnknownNameChangesNothing) {
    TypeName(u"Sheet2");
    Button(u"Cmd_Change").Press();
    EXPECT_EQ(ActiveSheet(), u"Sheet2");
    TypeName(u"Nope");
    Button(u"Cmd_Change").Press();
    EXPECT_EQ(ActiveSheet(), u"Sheet2");
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(WindowFixture, AnEntryThatBeginsLikeAnEarlierOneIsReachedByDoubleClickOnly) {
    Load({u"Summary2", u"Summary"});
    List().ClickItem(1);
    EXPECT_EQ(SheetName().Text(), u"Summary");
    SheetName().PressKey(kEnter);
    EXPECT_EQ(List().ListIndex(), 0);
    EXPECT_EQ(SheetName().Text(), u"Summary2");
    List().DoubleClickItem(1);
    EXPECT_EQ(ActiveSheet(), u"Summary");
}

TEST_F(WindowFixture, ASwitchBeforeAnyLoadSaysTheSheetWasNotFound) {
    List().AddItem(u"Stray");
    List().DoubleClickItem(0);
    TypeName(u"Stray");
    SheetName().PressKey(kEnter);
    SheetName().PressKey(kEnter);
    ASSERT_EQ(Boxes().size(), 2u);
    for (const ShownBox& box : Boxes()) {
        EXPECT_EQ(box.text, u"ｼｰﾄ名が見つかりません。");
        EXPECT_EQ(box.title, u"Error");
        EXPECT_EQ(box.style, 48);
    }
}

TEST_F(SearchTest, ASearchArrivingWhileOneSelectsIsTurnedAway) {
    // The list's Click yields; a second Enter typed meanwhile must not select another entry.
    runtime.events.Post([this] {
        SheetName().Select(0, static_cast<int32_t>(SheetName().Text().size()));
        SheetName().Type(u"Summary");
        SheetName().PressKey(13);
    });
    TypeName(u"Sheet2");
    SheetName().PressKey(kEnter);
    EXPECT_EQ(List().ListIndex(), 1);  // the guard turned the nested search away
    // The nested Enter is now the previous key, so the outer one counts as a second Enter.
    EXPECT_EQ(ActiveSheet(), u"Sheet2");
}

TEST_F(SearchTest, ASelectionThatFailsDoesNotBlockLaterSearches) {
    int clicks = 0;
    auto failing = List().Click.Connect([&clicks] {
        if (clicks++ == 0) throw RuntimeError(5, u"x", u"y");
    });
    TypeName(u"Sheet2");
    SheetName().PressKey(kEnter);
    EXPECT_EQ(Boxes().size(), 1u);
    failing.Disconnect();
    TypeName(u"Su");
    SheetName().PressKey(kEnter);
    EXPECT_EQ(SheetName().Text(), u"Summary");
}

}  // namespace
}  // namespace tabora::test
