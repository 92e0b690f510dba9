#pragma once
// The program's pictures: small SVG files compiled into it, drawn at their designed pixel size
// and sharp at any device pixel ratio.

#include <QIcon>
#include <QSize>
#include <string>

namespace tabora::platform::qt {

// The designed size of a picture; empty for a name the program has no picture for.
QSize PictureSize(const std::u16string& name);

// The picture as an icon at its designed size (and twice that for dense screens); a null icon
// for an unknown name.
QIcon PictureIcon(const std::u16string& name);

// The picture as a window icon, at the sizes desktops ask for.
QIcon WindowIcon(const std::u16string& name);

}  // namespace tabora::platform::qt
