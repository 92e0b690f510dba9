#include "platform/qt/QtDesktop.h"

#include <QStyleFactory>

#include "platform/FormDescription.h"
#include "platform/Version.h"
#include "platform/qt/Fonts.h"
#include "platform/qt/Pictures.h"

namespace tabora::platform::qt {

using namespace Qt::StringLiterals;

void PrepareApplication(const std::u16string& iconName) {
    QApplication::setApplicationName(u"tabora"_s);
    QApplication::setApplicationVersion(QString::number(version::kMajor) + u'.' + QString::number(version::kMinor) +
                                        u'.' + QString::number(version::kRevision));
    QApplication::setDesktopFileName(u"tabora"_s);
    // The program ends when its main window is unloaded, not when Qt sees no window.
    QApplication::setQuitOnLastWindowClosed(false);
    if (QStyle* fusion = QStyleFactory::create(u"Fusion"_s)) QApplication::setStyle(fusion);
    QApplication::setFont(FontFor(FontSpec{u"ＭＳ Ｐゴシック", 9, kCharsetShiftJis}));
    if (!iconName.empty()) QApplication::setWindowIcon(WindowIcon(iconName));
}

}  // namespace tabora::platform::qt
