// The sheet list window closed while one of its steps yields to the event loop: the step stops
// there, says nothing and touches nothing of the closed window.
#include "unit/windows/WindowFixture.h"

namespace tabora::test {
namespace {

enum class Step { SwitchButton, SecondEnter, LayoutPass };

class CloseDuringYieldTest : public WindowFixture, public ::testing::WithParamInterface<Step> {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        Load({u"Sheet1", u"Sheet2", u"Summary"});
    }
    // Brings the window up to the step, then takes the step that yields.
    void TakeStep() {
        switch (GetParam()) {
            case Step::SwitchButton:
                TypeName(u"Summary");
                CloseAtNextYield();
                Button(u"Cmd_Change").Press();
                break;
            case Step::SecondEnter:
                TypeName(u"Summary");
                SheetName().PressKey(kEnter);
                CloseAtNextYield();
                SheetName().PressKey(kEnter);
                break;
            case Step::LayoutPass:
                CloseAtNextYield();
                Form().ResizeTo(3600, 7600);
                break;
        }
    }
    std::map<std::u16string, float> Widths() {
        std::map<std::u16string, float> widths;
        for (const auto& d : Form().Description().controls) widths[d.name] = Form().ControlNamed(d.name).Width();
        return widths;
    }
    void CloseAtNextYield() {
        widthsBefore = Widths();
        runtime.events.Post([this] {
            Form().Unload();
            closed = !Form().IsLoaded();
        });
    }

    bool closed = false;
    std::map<std::u16string, float> widthsBefore;
};

TEST_P(CloseDuringYieldTest, TheStepEndsQuietly) {
    TakeStep();
    ASSERT_TRUE(closed) << "the step never yielded";
    EXPECT_TRUE(Boxes().empty()) << "nothing to say about a window the user closed";
    EXPECT_EQ(Widths(), widthsBefore) << "the layout stopped at the yield";
}

INSTANTIATE_TEST_SUITE_P(Yields, CloseDuringYieldTest,
                         ::testing::Values(Step::SwitchButton, Step::SecondEnter, Step::LayoutPass),
                         [](const auto& test) {
                             switch (test.param) {
                                 case Step::SwitchButton: return std::string("SwitchButton");
                                 case Step::SecondEnter: return std::string("SecondEnter");
                                 case Step::LayoutPass: return std::string("LayoutPass");
                             }
                             return std::string();
                         });

}  // namespace
}  // namespace tabora::test
