#include "platform/qt/QtDesktop.h"

#include <QDialogButtonBox>
#include <QProxyStyle>
#include <QStyleFactory>

#include "platform/FormDescription.h"
#include "platform/Version.h"
#include "platform/qt/Fonts.h"
#include "platform/qt/Pictures.h"

namespace tabora::platform::qt {

using namespace Qt::StringLiterals;

namespace {
// Fusion everywhere, with dialog buttons in the order a Windows program shows them (Yes, No,
// Cancel; Abort, Retry, Ignore) whatever the desktop's own habit.
class TaboraStyle : public QProxyStyle {
public:
    TaboraStyle() : QProxyStyle(QStyleFactory::create(u"Fusion"_s)) {}
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_DialogButtonLayout) return QDialogButtonBox::WinLayout;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};
}  // namespace

void PrepareApplication(const std::u16string& iconName) {
    QApplication::setApplicationName(u"tabora"_s);
    QApplication::setApplicationVersion(QString::number(version::kMajor) + u'.' +
                                        QString::number(version::kMinor) + u'.' +
                                        QString::number(version::kRevision));
    QApplication::setDesktopFileName(u"tabora"_s);
    // The program ends when its main window is unloaded, not when Qt sees no window.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setStyle(new TaboraStyle);  // the application takes it over
    QApplication::setFont(FontFor(FontSpec{u"ＭＳ Ｐゴシック", 9, kCharsetShiftJis}));
    if (!iconName.empty()) QApplication::setWindowIcon(WindowIcon(iconName));
}

}  // namespace tabora::platform::qt
