// Which display system the tool and its offices run on.
#include "desktop/linux/DisplayPlatform.h"

#include <gtest/gtest.h>

namespace tabora::desktop {
namespace {

TEST(DisplayPlatform, TheToolRunsOnXWaylandWhereItIsThereUnlessTheUserChoseAPlatform) {
    struct Case {
        DisplayEnvironment environment;
        std::optional<std::string> platform;
    };
    const Case cases[] = {
        {{"", ":0", "wayland-0"}, "xcb;wayland"},
        {{"wayland", ":0", "wayland-0"}, std::nullopt},  // the user's own choice
        {{"xcb", ":0", "wayland-0"}, std::nullopt},
        {{"", ":0", ""}, std::nullopt},           // X11 alone: Qt's choice already
        {{"", "", "wayland-0"}, std::nullopt},    // Wayland alone: the compositor places the windows
        {{"", "", ""}, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(QtPlatformFor(c.environment), c.platform)
            << c.environment.qtPlatform << '|' << c.environment.x11Display << '|' << c.environment.waylandDisplay;
}

TEST(DisplayPlatform, OfficesFollowTheToolOntoX11BesideWayland) {
    const std::vector<std::string> x11{"GDK_BACKEND=x11", "QT_QPA_PLATFORM=xcb"};
    EXPECT_EQ(OfficeDisplayVariables("xcb", {"", ":0", "wayland-0"}), x11);
    EXPECT_EQ(OfficeDisplayVariables("xcb", {"xcb", ":0", "wayland-0"}), x11);
    EXPECT_TRUE(OfficeDisplayVariables("wayland", {"wayland", ":0", "wayland-0"}).empty());
    EXPECT_TRUE(OfficeDisplayVariables("xcb", {"", ":0", ""}).empty());
    EXPECT_TRUE(OfficeDisplayVariables("offscreen", {"offscreen", "", ""}).empty());
}

}  // namespace
}  // namespace tabora::desktop
