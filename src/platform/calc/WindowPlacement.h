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
    bool operator==(const ScreenRect&) const = default;
};

// Where the panel stands, in the X server's pixels: its outer rectangle, and the inner one
// (without the frame the window manager draws around it, which it draws around the office's
// window alike); the part of the work area (the screen without the desktop's own bars) on the
// monitor it stands on, and the primary monitor, when known.
struct PanelGeometry {
    ScreenRect outer;
    ScreenRect inner;
    std::optional<ScreenRect> workArea;
    std::optional<ScreenRect> primaryScreen;
};

// The panel's geometry at the moment it is asked; none when the panel is not on screen.
using PanelRectangle = std::function<std::optional<PanelGeometry>()>;

// The office window's inner rectangle, such that its frame runs from the panel's right edge to
// the work area's right edge, the work area's full height. None when too little room is left
// beside the panel to be of use.
std::optional<ScreenRect> BesidePanel(const PanelGeometry& panel, const ScreenRect& workArea);

// How many of the X server's pixels make one of the office's: a scaled GTK or Qt (GDK_SCALE,
// QT_SCALE_FACTOR) counts in scaled pixels. Measured on the primary screen, which both see;
// 1 where the two sizes are not of one shape.
double OfficeScale(const ScreenRect& primaryInPixels, const ScreenRect& primaryAsTheOfficeSeesIt);

// A rectangle of the X server's pixels in the office's.
ScreenRect InOfficeUnits(const ScreenRect& rect, double scale);

// The size a new window is first shown at, at its place: a window manager that maximises a new
// window covering most of the work area (GNOME's does, above 80 % of it) leaves this one as it is.
ScreenRect FirstShown(const ScreenRect& place, const ScreenRect& workArea);

}  // namespace tabora::calc
