// The sheet list window follows the listed workbook: what the user changes in the application
// shows in the list when the user comes back to the window, never while the window is busy.
#include <algorithm>

#include "support/FakeExcelErrors.h"
#include "unit/windows/WindowFixture.h"

namespace tabora::test {
namespace {

// The user's own changes to the workbook, made in the application behind the window's back.
void Insert(FakeWorkbook& book, size_t at, const std::u16string& name, bool chart = false) {
    auto sheet = std::make_shared<FakeSheet>();
    sheet->name = name;
    sheet->isChart = chart;
    sheet->workbook = &book;
    book.sheets.insert(book.sheets.begin() + static_cast<std::ptrdiff_t>(at), sheet);
}
void Rename(FakeWorkbook& book, std::u16string_view from, const std::u16string& to) { book.FindSheet(from)->name = to; }
void MoveToEnd(FakeWorkbook& book, std::u16string_view name) {
    auto sheet = book.FindSheet(name);
    std::erase(book.sheets, sheet);
    book.sheets.push_back(sheet);
}
void Delete(FakeWorkbook& book, std::u16string_view name) { std::erase(book.sheets, book.FindSheet(name)); }

class FollowTest : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        Load({u"集計", u"大阪", u"東京", u"名古屋"});
    }
    FakeWorkbook& Book() { return *Latest().ActiveWorkbook(); }
    void ComeBack() { Form().ActivateFromAnotherApplication(); }
};

struct ChangeCase {
    const char* name;
    std::function<void(FakeWorkbook&)> change;
    Names listed;
    int32_t selected;  // where 大阪, selected before, stands; -1: gone
    friend void PrintTo(const ChangeCase& c, std::ostream* out) { *out << c.name; }
};

class ChangeInTheApplicationTest : public FollowTest, public ::testing::WithParamInterface<ChangeCase> {};

TEST_P(ChangeInTheApplicationTest, ShowsWhenTheUserComesBackKeepingTheSelectionByName) {
    List().ClickItem(1);
    TypeName(u"東");  // the box holds what the user typed since, not the entry
    const int hidden = List().TimesHidden(), cleared = List().TimesCleared();
    GetParam().change(Book());
    ComeBack();
    EXPECT_EQ(List().Items(), GetParam().listed);
    EXPECT_EQ(List().ListIndex(), GetParam().selected);
    EXPECT_EQ(SheetName().Text(), u"東") << "no Click";
    EXPECT_EQ(List().TimesHidden(), hidden) << "no \"Now Loading\"";
    if (GetParam().listed == Names{u"集計", u"大阪", u"東京", u"名古屋"}) {
        EXPECT_EQ(List().TimesCleared(), cleared) << "the same names change nothing on screen";
    }
    EXPECT_TRUE(Boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Changes, ChangeInTheApplicationTest,
    ::testing::Values(
        ChangeCase{"Renamed", [](FakeWorkbook& b) { Rename(b, u"東京", u"横浜"); }, {u"集計", u"大阪", u"横浜", u"名古屋"}, 1},
        ChangeCase{"SelectedRenamed", [](FakeWorkbook& b) { Rename(b, u"大阪", u"堺"); }, {u"集計", u"堺", u"東京", u"名古屋"}, -1},
        ChangeCase{"Inserted", [](FakeWorkbook& b) { Insert(b, 0, u"新規"); }, {u"新規", u"集計", u"大阪", u"東京", u"名古屋"}, 2},
        ChangeCase{"Moved", [](FakeWorkbook& b) { MoveToEnd(b, u"大阪"); }, {u"集計", u"東京", u"名古屋", u"大阪"}, 3},
        ChangeCase{"SelectedDeleted", [](FakeWorkbook& b) { Delete(b, u"大阪"); }, {u"集計", u"東京", u"名古屋"}, -1},
        ChangeCase{"ChartSheetAdded", [](FakeWorkbook& b) { Insert(b, 1, u"グラフ1", true); }, {u"集計", u"大阪", u"東京", u"名古屋"}, 1},
        ChangeCase{"Hidden", [](FakeWorkbook& b) { b.FindSheet(u"東京")->visibility = excel::xl::kSheetHidden; },
                   {u"集計", u"大阪", u"東京", u"名古屋"}, 1}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(FollowTest, ASecondEnterAfterAnUpdateStillSwitches) {
    TypeName(u"名");
    SheetName().PressKey(kEnter);
    Insert(Book(), 0, u"新規");
    ComeBack();
    EXPECT_EQ(SheetName().PressKey(kEnter), 0);
    EXPECT_EQ(ActiveSheet(), u"名古屋");
}

TEST_F(FollowTest, TheTopEntryStaysAtTheTop) {
    Names many;
    for (char16_t c = u'A'; c <= u'Z'; ++c) many.push_back(std::u16string(u"表") + c);
    Load(many, u"Many.xls");
    List().SetTopIndex(10);  // the user scrolled to 表K
    Insert(Book(), 0, u"新規1");
    Insert(Book(), 0, u"新規2");
    ComeBack();
    EXPECT_EQ(List().TopIndex(), 12);
    EXPECT_EQ(List().List(12), u"表K");
    Delete(Book(), u"表K");
    ComeBack();
    EXPECT_EQ(List().TopIndex(), 12) << "the top entry gone, the list stays where it was";
}

// Where the window is busy, the list is left as it is, and brought up to date once the window is
// idle again.
struct BusyCase {
    const char* name;
    // Makes the window busy and calls during() while it is.
    std::function<void(FollowTest&, std::function<void()> during)> busy;
    friend void PrintTo(const BusyCase& c, std::ostream* out) { *out << c.name; }
};

class WhileBusyTest : public FollowTest, public ::testing::WithParamInterface<BusyCase> {
public:
    using FollowTest::Button, FollowTest::ComeBack, FollowTest::forms, FollowTest::List, FollowTest::runtime,
        FollowTest::SheetName, FollowTest::TypeName;
};

TEST_P(WhileBusyTest, TheListWaitsUntilTheWindowIsIdle) {
    Names seenWhileBusy;
    Rename(Book(), u"東京", u"横浜");
    GetParam().busy(*this, [this, &seenWhileBusy] {
        ComeBack();
        seenWhileBusy = List().Items();
    });
    EXPECT_EQ(seenWhileBusy, (Names{u"集計", u"大阪", u"東京", u"名古屋"}));
    EXPECT_EQ(List().Items(), (Names{u"集計", u"大阪", u"横浜", u"名古屋"}));
}

INSTANTIATE_TEST_SUITE_P(
    Steps, WhileBusyTest,
    ::testing::Values(
        BusyCase{"MessageBox",
                 [](FollowTest& test, std::function<void()> during) {
                     auto& w = static_cast<WhileBusyTest&>(test);
                     w.runtime.boxes.WhileNextIsOpen(during);
                     w.List().Drop({});  // a drop without files is reported in a box
                 }},
        BusyCase{"DuplicationWindow",
                 [](FollowTest& test, std::function<void()> during) {
                     auto& w = static_cast<WhileBusyTest&>(test);
                     w.forms.OnModal(u"Frm_More", [during](HeadlessForm&) { during(); });
                     w.List().ClickItem(0);
                     w.Button(u"Cmd_Open").Press();
                 }},
        BusyCase{"SearchYield",
                 [](FollowTest& test, std::function<void()> during) {
                     auto& w = static_cast<WhileBusyTest&>(test);
                     w.TypeName(u"名");
                     w.runtime.events.Post(during);
                     w.SheetName().PressKey(13);
                 }}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(FollowTest, AWorkbookNoLongerListedIsNotFollowed) {
    Book().markedUnsaved = true;
    runtime.boxes.Answer(platform::button::kCancel);  // it stays open in its instance
    Path().SetText(folder.File(u"missing.xls"));
    Button(u"Cmd_Get").Press();
    ASSERT_EQ(excel.Instance(1).Workbooks().size(), 1u);
    Rename(*excel.Instance(1).ActiveWorkbook(), u"東京", u"横浜");
    ComeBack();
    EXPECT_EQ(List().Items(), (Names{u"集計", u"大阪", u"東京", u"名古屋"}));
}

TEST_F(FollowTest, AnotherWorkbookInFrontOfTheInstanceIsNotListed) {
    const auto model = Latest().model.lock();
    const auto listed = model->ActiveWorkbook();
    model->Adopt(Latest().Add({u"別"}));
    ComeBack();
    EXPECT_EQ(List().Items(), (Names{u"集計", u"大阪", u"東京", u"名古屋"}));
    model->Activate(listed);
    Rename(Book(), u"東京", u"横浜");
    ComeBack();
    EXPECT_EQ(List().Items(), (Names{u"集計", u"大阪", u"横浜", u"名古屋"}));
}

TEST_F(FollowTest, AnApplicationThatNoLongerAnswersLeavesTheListWithoutAWord) {
    excel.FailEverything(excel_error::Disconnected());
    ComeBack();
    EXPECT_EQ(List().Items(), (Names{u"集計", u"大阪", u"東京", u"名古屋"}));
    EXPECT_TRUE(Boxes().empty());
}

}  // namespace
}  // namespace tabora::test
