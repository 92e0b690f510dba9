// Where a shown office's window goes, counted in the X server's pixels and then in the office's,
// and the environment it starts in.
#include "platform/calc/WindowPlacement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/calc/OfficePaths.h"
#include "support/ScopedEnv.h"

namespace tabora::calc {

void PrintTo(const ScreenRect& r, std::ostream* out) { *out << r.x << ',' << r.y << ' ' << r.width << 'x' << r.height; }

namespace test {
namespace {

struct BesideCase {
    const char* what;
    PanelGeometry panel;
    ScreenRect workArea;
    std::optional<ScreenRect> expected;
};

TEST(WindowPlacement, TheOfficeStandsBesideThePanelInsideTheWorkArea) {
    const BesideCase cases[] = {
        // jwm: 4 px borders and a 27 px title bar; the office's frame starts where the panel's ends.
        {"framed, at the screen's corner", {{0, 0, 219, 495}, {4, 27, 211, 464}, {}, {}}, {0, 0, 1280, 800},
         ScreenRect{223, 27, 1053, 769}},
        // GNOME's top bar: the work area starts below it.
        {"below a top bar", {{0, 32, 211, 499}, {0, 69, 211, 462}, {}, {}}, {0, 32, 1280, 768},
         ScreenRect{211, 69, 1069, 731}},
        // The panel moved to the second monitor: the work area is that monitor's.
        {"on the second monitor", {{2020, 100, 211, 499}, {2020, 137, 211, 462}, {}, {}}, {1920, 0, 1920, 1200},
         ScreenRect{2231, 37, 1609, 1163}},
        {"too little room beside it", {{1000, 0, 211, 499}, {1000, 37, 211, 462}, {}, {}}, {0, 0, 1280, 800},
         std::nullopt},
    };
    for (const BesideCase& c : cases) {
        std::optional<ScreenRect> place = BesidePanel(c.panel, c.workArea);
        EXPECT_EQ(place, c.expected) << c.what;
    }
}

TEST(WindowPlacement, TheOfficesScaleIsMeasuredOnThePrimaryScreen) {
    struct Case {
        ScreenRect pixels;
        ScreenRect office;
        double scale;
    };
    const Case cases[] = {
        {{0, 0, 1280, 800}, {0, 0, 1280, 800}, 1},
        {{0, 0, 1280, 800}, {0, 0, 1279, 799}, 1},  // the office counts a pixel short
        {{0, 0, 1920, 1080}, {0, 0, 959, 539}, 2},
        {{0, 0, 1280, 800}, {0, 0, 1023, 639}, 1.25},
        {{0, 0, 1920, 1200}, {0, 0, 1279, 799}, 1.5},
        {{0, 0, 1920, 1080}, {0, 0, 1279, 799}, 1},  // another screen's shape: not a scale
        {{0, 0, 1920, 1080}, {0, 0, 0, 0}, 1},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(OfficeScale(c.pixels, c.office), c.scale) << c.office.width << 'x' << c.office.height;
}

TEST(WindowPlacement, ANewWindowIsFirstShownSmallEnoughNotToBeMaximised) {
    // GNOME's window manager maximises a new window whose frame covers more than 80 % of the
    // work area; a title bar of 40 px is counted in.
    const ScreenRect workAreas[] = {{0, 0, 1280, 800}, {0, 32, 1920, 1048}, {1920, 0, 2560, 1600}};
    for (const ScreenRect& area : workAreas) {
        const ScreenRect place{area.x + 211, area.y + 37, area.width - 211, area.height - 37};
        const ScreenRect first = FirstShown(place, area);
        EXPECT_EQ(first.x, place.x);
        EXPECT_EQ(first.y, place.y);
        EXPECT_EQ(first.width, place.width);
        EXPECT_LT(static_cast<double>(first.width) * (first.height + 40), 0.8 * area.width * area.height);
        EXPECT_GT(first.height, 0);
    }
}

TEST(WindowPlacement, TheOfficesEnvironmentTakesTheVariablesGivenOverTheToolsOwn) {
    tabora::test::ScopedEnv backend("GDK_BACKEND", "wayland");
    tabora::test::ScopedEnv temp("TMPDIR", "/tmp");
    const std::vector<std::string> env = OfficeEnvironment("/run/office/tmp", {"GDK_BACKEND=x11", "QT_QPA_PLATFORM=xcb"});
    auto values = [&](const std::string& name) {
        std::vector<std::string> found;
        for (const std::string& entry : env)
            if (entry.rfind(name + "=", 0) == 0) found.push_back(entry.substr(name.size() + 1));
        return found;
    };
    EXPECT_EQ(values("GDK_BACKEND"), std::vector<std::string>{"x11"});
    EXPECT_EQ(values("QT_QPA_PLATFORM"), std::vector<std::string>{"xcb"});
    EXPECT_EQ(values("TMPDIR"), std::vector<std::string>{"/run/office/tmp"});
    EXPECT_FALSE(values("PATH").empty()) << "the rest of the tool's environment";
}

}  // namespace
}  // namespace test
}  // namespace tabora::calc
