#pragma once
// The fonts the forms ask for, or the nearest installed ones that carry Japanese glyphs.

#include <QFont>

#include "platform/FormDescription.h"

namespace tabora::platform::qt {

// The requested family when it is installed; for the Windows Japanese Gothic faces, an
// installed Japanese Gothic of the same kind (fixed-pitch or proportional). Points are
// converted at 96 DPI, so that the text keeps its designed size beside the controls.
QFont FontFor(const FontSpec& wanted);

// The installed family FontFor uses for a requested family.
QString InstalledFamilyFor(const QString& requested);

}  // namespace tabora::platform::qt
