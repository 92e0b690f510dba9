#include "desktop/linux/DisplayPlatform.h"

#include <cstdlib>

namespace tabora::desktop {

namespace {
std::string_view Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}
}  // namespace

DisplayEnvironment CurrentDisplayEnvironment() {
    return {Variable("QT_QPA_PLATFORM"), Variable("DISPLAY"), Variable("WAYLAND_DISPLAY")};
}

std::optional<std::string> QtPlatformFor(const DisplayEnvironment& environment) {
    if (!environment.qtPlatform.empty() || environment.x11Display.empty() || environment.waylandDisplay.empty())
        return std::nullopt;
    // Wayland stays the fallback: an X server named but not answering leaves the tool running.
    return "xcb;wayland";
}

std::vector<std::string> OfficeDisplayVariables(std::string_view qtPlatformName, const DisplayEnvironment& environment) {
    if (qtPlatformName != "xcb" || environment.waylandDisplay.empty()) return {};
    return {"GDK_BACKEND=x11", "QT_QPA_PLATFORM=xcb"};
}

}  // namespace tabora::desktop
