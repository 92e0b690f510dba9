// The sheet list window follows its size: frames, boxes and list grow, buttons move along.
#include "unit/windows/WindowFixture.h"

namespace tabora::test {
namespace {

struct Geometry {
    float left, top, width, height;
    friend bool operator==(const Geometry&, const Geometry&) = default;
};

void PrintTo(const Geometry& g, std::ostream* out) {
    *out << "{" << g.left << ", " << g.top << ", " << g.width << ", " << g.height << "}";
}

class LayoutTest : public WindowFixture {
protected:
    Geometry Of(const std::u16string& name) {
        const platform::Control& c = Form().ControlNamed(name);
        return {c.Left(), c.Top(), c.Width(), c.Height()};
    }
    std::map<std::u16string, Geometry> All() {
        std::map<std::u16string, Geometry> all;
        for (const auto& d : Form().Description().controls) all[d.name] = Of(d.name);
        return all;
    }
    // The designed geometry of a control moved and sized by these twips.
    Geometry Designed(const std::u16string& name, float dLeft, float dTop, float dWidth, float dHeight) {
        for (const auto& d : Form().Description().controls) {
            if (d.name != name) continue;
            return {d.left + dLeft, d.top + dTop, d.width + dWidth, d.height + dHeight};
        }
        ADD_FAILURE() << "no such control";
        return {};
    }
    // Every control of the table where the window's change of dW by dH puts it.
    void ExpectLaidOutFor(float dW, float dH) {
        EXPECT_EQ(Of(u"Fra_File"), Designed(u"Fra_File", 0, 0, dW, 0));
        EXPECT_EQ(Of(u"Fra_Sheet"), Designed(u"Fra_Sheet", 0, 0, dW, dH));
        EXPECT_EQ(Of(u"Txt_Path"), Designed(u"Txt_Path", 0, 0, dW, 0));
        EXPECT_EQ(Of(u"Cmd_決定ファイル"), Designed(u"Cmd_決定ファイル", dW, 0, 0, 0));
        EXPECT_EQ(Of(u"Cmd_Get"), Designed(u"Cmd_Get", dW, 0, 0, 0));
        EXPECT_EQ(Of(u"Txt_SheetName"), Designed(u"Txt_SheetName", 0, 0, dW, 0));
        EXPECT_EQ(Of(u"Lst_Item"), Designed(u"Lst_Item", 0, 0, dW, dH));
        EXPECT_EQ(Of(u"Cmd_Change"), Designed(u"Cmd_Change", dW, 0, 0, 0));
        EXPECT_EQ(Of(u"Cmd_Open"), Designed(u"Cmd_Open", 0, 0, 0, 0));
        EXPECT_EQ(Of(u"Lbl_Title"), Designed(u"Lbl_Title", 0, 0, 0, 0));
        EXPECT_TRUE(Form().ControlNamed(u"Fra_Sheet").Visible());
    }
};

TEST_F(LayoutTest, TheDesignedSizeChangesNothing) {
    EXPECT_EQ(Form().Width(), 3300);
    EXPECT_EQ(Form().Height(), 7335);
    ExpectLaidOutFor(0, 0);
}

struct SizeCase {
    const char* name;
    float width, height;    // asked for
    float expectedW, expectedH;  // after the minimum
};

class LayoutSizeTest : public LayoutTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(LayoutSizeTest, ControlsFollowTheWindowsChange) {
    Form().ResizeTo(GetParam().width, GetParam().height);
    EXPECT_EQ(Form().Width(), GetParam().expectedW);
    EXPECT_EQ(Form().Height(), GetParam().expectedH);
    ExpectLaidOutFor(GetParam().expectedW - 3300, GetParam().expectedH - 7335);
}

INSTANTIATE_TEST_SUITE_P(Sizes, LayoutSizeTest,
                         ::testing::Values(SizeCase{"Wider", 3600, 7335, 3600, 7335},
                                           SizeCase{"Taller", 3300, 7935, 3300, 7935},
                                           SizeCase{"Both", 4515, 9000, 4515, 9000},
                                           SizeCase{"Narrower", 2500, 7335, 2500, 7335},
                                           SizeCase{"BelowTheMinimum", 1500, 1000, 2000, 3000}),
                         [](const auto& test) { return std::string(test.param.name); });

TEST_F(LayoutTest, GrowingAndShrinkingBackRestoresEveryControl) {
    const auto before = All();
    Form().ResizeTo(5000, 9000);
    Form().ResizeTo(4000, 8000);
    Form().ResizeTo(3300, 7335);
    EXPECT_EQ(All(), before);
}

TEST_F(LayoutTest, HalfTwipChangesRoundToTheEvenNeighbour) {
    Form().ResizeTo(3300.5f, 7335);  // +0.5 rounds to 0; 3300.5 is remembered as 3300
    ExpectLaidOutFor(0, 0);
    Form().ResizeTo(3301.5f, 7335);  // +1.5 rounds to 2
    ExpectLaidOutFor(2, 0);
}

TEST_F(LayoutTest, ChangesAddUpOverSuccessiveResizes) {
    Form().ResizeTo(3400, 7400);
    Form().ResizeTo(3500, 7500);
    ExpectLaidOutFor(200, 165);
}

TEST_F(LayoutTest, ARefusedSizeWhileMinimisedIsClearedAndTheFrameShownAgain) {
    Form().SetMinimized(true);
    Form().ResizeTo(1000, 500);  // below the minimum: setting the size is refused
    EXPECT_TRUE(Form().ControlNamed(u"Fra_Sheet").Visible());
    EXPECT_TRUE(Boxes().empty());
    Form().SetMinimized(false);
    Form().ResizeTo(3300, 7335);
    ExpectLaidOutFor(0, 0);
}

TEST(LayoutOtherFrame, AWindowThatComesUpLargerIsLaidOutOnItsFirstPass) {
    TestRuntime runtime;
    FakeExcel excel;
    HeadlessFormFactory forms;
    forms.SetFrameSize(165, 480);  // thicker borders and a taller title bar than designed
    windows::Frm_Test window({forms, excel});
    window.Show();
    HeadlessForm& form = *forms.Last(u"Frm_Test");
    EXPECT_EQ(form.ControlNamed(u"Fra_Sheet").Height(), 6285 + 75);
    EXPECT_EQ(form.ControlNamed(u"Lst_Item").Height(), 5640 + 75);
    EXPECT_EQ(form.ControlNamed(u"Cmd_Get").Left(), 2730 + 30);
}

}  // namespace
}  // namespace tabora::test
