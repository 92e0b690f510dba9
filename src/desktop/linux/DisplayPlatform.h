#pragma once
// Which display system the tool and its offices run on. A program may place its windows on X11
// only: under a Wayland compositor the panel could not stand at the top-left, nor the office
// beside it. So where an X server (XWayland) is there beside Wayland, both use it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tabora::desktop {

// The variables the choice depends on, as the process found them (empty when unset).
struct DisplayEnvironment {
    std::string_view qtPlatform;      // QT_QPA_PLATFORM: the user's own choice wins
    std::string_view x11Display;      // DISPLAY
    std::string_view waylandDisplay;  // WAYLAND_DISPLAY
};

DisplayEnvironment CurrentDisplayEnvironment();

// The platform to ask Qt for; none where Qt's own choice stands.
std::optional<std::string> QtPlatformFor(const DisplayEnvironment& environment);

// Variables ("NAME=value") that keep an office on the display system the tool runs on, whatever
// toolkit its window comes from (GTK 3, Qt/KF5); its look stays its own. qtPlatformName: the
// platform Qt runs the tool on.
std::vector<std::string> OfficeDisplayVariables(std::string_view qtPlatformName, const DisplayEnvironment& environment);

}  // namespace tabora::desktop
