#pragma once
// Where a shown office's window stands: beside the tool's panel, so that neither covers the other.

#include <functional>
#include <optional>

namespace tabora::calc {

// A window's outer rectangle (frame included), in screen pixels.
struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The panel's outer rectangle at the moment it is asked; none when the panel is not on screen.
using PanelRectangle = std::function<std::optional<ScreenRect>()>;

// The office window's rectangle: from the panel's right edge to the work area's right edge, the
// work area's full height. None when too little room is left beside the panel to be of use.
std::optional<ScreenRect> BesidePanel(const ScreenRect& panel, const ScreenRect& workArea);

}  // namespace tabora::calc
