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

// Where the panel stands: its outer rectangle, and the inner one (without the frame the window
// manager draws around it, which it draws around the office's window alike).
struct PanelGeometry {
    ScreenRect outer;
    ScreenRect inner;
};

// The panel's geometry at the moment it is asked; none when the panel is not on screen.
using PanelRectangle = std::function<std::optional<PanelGeometry>()>;

// The office window's inner rectangle, such that its frame runs from the panel's right edge to
// the work area's right edge, the work area's full height. None when too little room is left
// beside the panel to be of use.
std::optional<ScreenRect> BesidePanel(const PanelGeometry& panel, const ScreenRect& workArea);

}  // namespace tabora::calc
