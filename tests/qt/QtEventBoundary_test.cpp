// An error that no window trapped, reaching the point where Qt handed the program the event: it
// is shown in the error box with its number from the error table, and the program goes on.
#include <new>
#include <stdexcept>

#include "app/mdl_ErrorFunction.h"
#include "qt/QtWindowsFixture.h"

namespace tabora::test {
namespace {

struct UntrappedCase {
    const char* name;
    void (*raise)();
    int32_t number;
};

class QtEventBoundaryTest : public QtWindowsFixture, public ::testing::WithParamInterface<UntrappedCase> {};

TEST_P(QtEventBoundaryTest, IsShownOnceAndTheWindowGoesOn) {
    ShowMain();
    platform::PictureButton& button = frmTest->Form().PictureButtonNamed(u"Cmd_Get");
    auto failing = button.Click.Connect([] { GetParam().raise(); });
    QTest::mouseClick(MainWidget(u"Cmd_Get"), Qt::LeftButton);
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].title, u"VB Error");
    EXPECT_EQ(boxes.Shown()[0].text,
              mdl_ErrorFunction::VbErrorText({GetParam().number, vb_error::Description(GetParam().number),
                                              vb_error::kSource}));
    EXPECT_TRUE(frmTest->IsLoaded());
}

INSTANTIATE_TEST_SUITE_P(
    Errors, QtEventBoundaryTest,
    ::testing::Values(UntrappedCase{"AnyException", [] { throw std::runtime_error("unexpected"); }, 5},
                      UntrappedCase{"OutOfMemory", [] { throw std::bad_alloc(); }, 7}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace tabora::test
