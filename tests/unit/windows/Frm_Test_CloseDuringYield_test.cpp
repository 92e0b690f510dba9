// The sheet list window closed while one of its steps yields to the event loop or waits for the
// server (which runs window events meanwhile, as COM and UNO do): the window stays until the
// step has finished, then closes, and the step's work is done.
#include "unit/windows/WindowFixture.h"

namespace tabora::test {
namespace {

class CloseDuringStepTest;

struct CloseCase {
    const char* name;
    // Brings the window up to the step, arranges the user's close and takes the step.
    std::function<void(CloseDuringStepTest&)> takeStep;
    std::function<void(CloseDuringStepTest&)> expectStepDone;
};

class CloseDuringStepTest : public WindowFixture, public ::testing::WithParamInterface<CloseCase> {
public:
    // For the cases, which bring the window up to their step.
    using WindowFixture::ActiveSheet, WindowFixture::Button, WindowFixture::excel, WindowFixture::Form,
        WindowFixture::kEnter, WindowFixture::Latest, WindowFixture::List, WindowFixture::MakeFile,
        WindowFixture::Path, WindowFixture::SheetName, WindowFixture::TypeName;

    void SetUp() override {
        WindowFixture::SetUp();
        Load({u"Sheet1", u"Sheet2", u"Summary"});
    }
    void Close() {
        ++closes;
        Form().Unload();
        stayedWhileStepRan = Form().IsLoaded();
    }
    void CloseAtNextYield() {
        runtime.events.Post([this] { Close(); });
    }
    void CloseDuringCall(const CallMatcher& call) {
        excel.DuringCall(call.Nth(1), [this] { Close(); });
    }

    int closes = 0;
    bool stayedWhileStepRan = false;
};

TEST_P(CloseDuringStepTest, TheStepFinishesThenTheWindowCloses) {
    GetParam().takeStep(*this);
    ASSERT_EQ(closes, 1) << "the close never arrived during the step";
    EXPECT_TRUE(stayedWhileStepRan);
    EXPECT_FALSE(Form().IsLoaded());
    EXPECT_TRUE(Boxes().empty());
    GetParam().expectStepDone(*this);
}

void SwitchedToSummary(CloseDuringStepTest& w) { EXPECT_EQ(w.ActiveSheet(), u"Summary"); }

const CloseCase kSteps[] = {
    CloseCase{"LoadWhileTheServerOpensTheWorkbook",
              [](CloseDuringStepTest& w) {
                  w.Path().SetText(w.MakeFile({u"売上", u"経費"}, u"Next.xls"));
                  w.CloseDuringCall(CallMatcher::On(u"Workbooks", u"Open"));
                  w.Button(u"Cmd_Get").Press();
              },
              [](CloseDuringStepTest& w) {
                  // Left open and shown for the user, as every closed window leaves it.
                  EXPECT_TRUE(w.Latest().Visible());
                  EXPECT_EQ(w.Latest().ActiveWorkbook()->SheetNames(), (Names{u"売上", u"経費"}));
              }},
    CloseCase{"LoadWhileTheServerClosesThePreviousWorkbook",
              [](CloseDuringStepTest& w) {
                  w.Path().SetText(w.MakeFile({u"売上"}, u"Next.xls"));
                  w.CloseDuringCall(CallMatcher::On(u"Workbook", u"Close"));
                  w.Button(u"Cmd_Get").Press();
              },
              [](CloseDuringStepTest& w) {
                  EXPECT_TRUE(w.excel.Instance(1).Workbooks().empty());
                  EXPECT_EQ(w.Latest().ActiveWorkbook()->SheetNames(), Names{u"売上"});
              }},
    CloseCase{"SwitchWhileTheServerActivatesTheSheet",
              [](CloseDuringStepTest& w) {
                  w.TypeName(u"Summary");
                  w.CloseDuringCall(CallMatcher::On(u"Worksheet", u"Activate"));
                  w.Button(u"Cmd_Change").Press();
              },
              SwitchedToSummary},
    CloseCase{"SwitchButtonAtItsYield",
              [](CloseDuringStepTest& w) {
                  w.TypeName(u"Summary");
                  w.CloseAtNextYield();
                  w.Button(u"Cmd_Change").Press();
              },
              SwitchedToSummary},
    CloseCase{"SecondEnterAtItsYield",
              [](CloseDuringStepTest& w) {
                  w.TypeName(u"Summary");
                  w.SheetName().PressKey(CloseDuringStepTest::kEnter);
                  w.CloseAtNextYield();
                  w.SheetName().PressKey(CloseDuringStepTest::kEnter);
              },
              SwitchedToSummary},
    CloseCase{"RefillAfterTheDuplicationWindow",
              [](CloseDuringStepTest& w) {
                  w.List().ClickItem(0);
                  w.List().AddItem(u"stale");
                  w.CloseDuringCall(CallMatcher::On(u"Worksheets", kEnumerateMember));
                  w.Button(u"Cmd_Open").Press();  // the user closes the dialog at once
              },
              [](CloseDuringStepTest& w) {
                  EXPECT_EQ(w.List().Items(), (Names{u"Sheet1", u"Sheet2", u"Summary"}));
              }},
    CloseCase{"ListUpdateWhileTheServerListsTheSheets",
              [](CloseDuringStepTest& w) {
                  w.Latest().ActiveWorkbook()->FindSheet(u"Sheet2")->name = u"売上";
                  w.CloseDuringCall(CallMatcher::On(u"Worksheets", kEnumerateMember));
                  w.Form().ActivateFromAnotherApplication();
              },
              [](CloseDuringStepTest& w) {
                  EXPECT_EQ(w.List().Items(), (Names{u"Sheet1", u"売上", u"Summary"}));
              }},
    CloseCase{"LayoutPassAtItsYield",
              [](CloseDuringStepTest& w) {
                  w.CloseAtNextYield();
                  w.Form().ResizeTo(3600, 7600);
              },
              [](CloseDuringStepTest& w) {
                  EXPECT_EQ(w.Form().ControlNamed(u"Lst_Item").Width(), 2955 + 300);
                  EXPECT_EQ(w.Form().ControlNamed(u"Fra_Sheet").Height(), 6285 + 265);
              }},
};

INSTANTIATE_TEST_SUITE_P(Steps, CloseDuringStepTest, ::testing::ValuesIn(kSteps),
                         [](const auto& test) { return std::string(test.param.name); });

// A load started while another waits for the server takes the window over: the list shows its
// workbook, and the earlier one, never shown, is let go.
TEST_F(WindowFixture, ALoadStartedWhileAnotherWaitsForTheServerTakesTheWindowOver) {
    const std::u16string second = MakeFile({u"後"}, u"Second.xls");
    excel.DuringCall(CallMatcher::On(u"Workbooks", u"Open").Nth(1),
                     [&] { Form().List(u"Lst_Item").Drop({second}); });
    Load({u"先"});
    EXPECT_EQ(List().Items(), Names{u"後"});
    EXPECT_EQ(excel.RunningInstanceCount(), 1);
    EXPECT_TRUE(Latest().Visible());
    TypeName(u"後");
    Button(u"Cmd_Change").Press();
    EXPECT_TRUE(Boxes().empty());
}

}  // namespace
}  // namespace tabora::test
