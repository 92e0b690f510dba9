// The layout pass when its window closes under it: a size set on the window raises a nested pass,
// and the close empties the window's table while that pass yields. The outer pass must not go on
// with the table that is gone.
#include "app/mdl_Resize.h"

#include <gtest/gtest.h>

#include "support/HeadlessForms.h"
#include "support/TestRuntime.h"

namespace tabora::test {
namespace {

struct NestedCase {
    const char* name;
    float width, height;  // the user's size, below the minimum in one direction or both
};

class NestedLayoutPassTest : public ::testing::TestWithParam<NestedCase> {
protected:
    static platform::FormDescription Window() {
        platform::FormDescription form;
        form.name = u"Frm_Window";
        form.clientWidth = 3165;
        form.clientHeight = 6930;
        form.controls = {
            platform::DescribeControl(u"Fra_Body", platform::ControlKind::Frame, 0, 0, 3165, 6930, 0)};
        return form;
    }

    TestRuntime runtime;
    HeadlessForm window{Window(), 135, 405};
    platform::Control& body = window.ControlNamed(u"Fra_Body");
    mdl_Resize::ResizeInfo info{3000, 2000, 7335, 3300};
    std::vector<mdl_Resize::ResizeItem> table{
        {},
        {&window, nullptr, nullptr, nullptr, 0, 0, 0, 0, 0, 0},
        {&body, &window, nullptr, nullptr, 1, 1, 0, 0, 0, 0},
    };
};

TEST_P(NestedLayoutPassTest, NothingMovesOnceTheTableIsGone) {
    window.Show();
    window.ResizeTo(GetParam().width, GetParam().height);
    // The window's resize handler, raised inside the outer pass when it sets the minimum size.
    const platform::Connection nested =
        window.Resize.Connect([this] { mdl_Resize::ResizeControls(window, info, table, 2); });
    float heightAtClose = -1, widthAtClose = -1;
    // The outer pass yields first; the nested pass's yield is the next one.
    runtime.events.Post([&] {
        runtime.events.Post([&] {
            table.clear();  // as the window does when it unloads
            heightAtClose = body.Height();
            widthAtClose = body.Width();
        });
    });
    mdl_Resize::ResizeControls(window, info, table, 2);
    ASSERT_NE(heightAtClose, -1) << "the nested pass never yielded";
    EXPECT_EQ(body.Height(), heightAtClose);
    EXPECT_EQ(body.Width(), widthAtClose);
}

INSTANTIATE_TEST_SUITE_P(BelowTheMinimum, NestedLayoutPassTest,
                         ::testing::Values(NestedCase{"Height", 3300, 1000}, NestedCase{"Width", 1500, 7335},
                                           NestedCase{"Both", 1500, 1000}),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace tabora::test
