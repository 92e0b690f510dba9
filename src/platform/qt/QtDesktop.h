#pragma once
// What a Qt application of this program sets up once, before its first window.

#include <QApplication>
#include <string>

namespace tabora::platform::qt {

// The widget style (the same on every desktop, so the designed sizes hold), the Japanese font
// for message boxes and tooltips, the icon, names and version.
// Call once the QApplication exists.
void PrepareApplication(const std::u16string& iconName);

}  // namespace tabora::platform::qt
