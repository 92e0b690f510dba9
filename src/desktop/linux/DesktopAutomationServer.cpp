#include "desktop/linux/DesktopAutomationServer.h"

#if defined(TABORA_HAVE_CALC)
#include <QApplication>
#include <QScreen>
#include <QWidget>

#include "desktop/linux/DisplayPlatform.h"
#include "platform/calc/CalcServer.h"
#include "platform/qt/QtEventLoop.h"
#include "platform/qt/QtMessageBox.h"
#else
#include "desktop/linux/UnavailableAutomationServer.h"
#endif

namespace tabora::desktop {

#if defined(TABORA_HAVE_CALC)
namespace {

// A rectangle of Qt's device-independent pixels on a screen, in the X server's pixels. Qt keeps a
// screen's origin as it is and scales only what lies beyond it.
calc::ScreenRect InPixels(const QRect& rect, const QScreen& screen, qreal scale) {
    const QPoint origin = screen.geometry().topLeft();
    const QPointF topLeft = QPointF(origin) + QPointF(rect.topLeft() - origin) * scale;
    return {qRound(topLeft.x()), qRound(topLeft.y()), qRound(rect.width() * scale), qRound(rect.height() * scale)};
}

// The sheet list window's outer and inner rectangles, the work area of its monitor and the primary
// monitor, in the X server's pixels, while it is shown. Elsewhere (Wayland) no program knows where its windows
// stand: the compositor places the office.
std::optional<calc::PanelGeometry> PanelRectangle() {
    if (QGuiApplication::platformName() != QStringLiteral("xcb")) return std::nullopt;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible() || window->objectName() != QStringLiteral("Frm_Test")) continue;
        const QScreen* screen = window->screen();
        if (screen == nullptr) return std::nullopt;
        const qreal scale = window->devicePixelRatioF();
        calc::PanelGeometry panel{InPixels(window->frameGeometry(), *screen, scale),
                                  InPixels(window->geometry(), *screen, scale),
                                  InPixels(screen->availableGeometry(), *screen, scale), std::nullopt};
        if (const QScreen* primary = QGuiApplication::primaryScreen())
            panel.primaryScreen = InPixels(primary->geometry(), *primary, primary->devicePixelRatio());
        return panel;
    }
    return std::nullopt;
}

// Excel's questions about a workbook (whether to save it) come up in front of the office's
// window, as Excel's own do in front of its window.
int16_t AskInFrontOfOffice(const calc::DocumentQuestion& question) {
    platform::qt::ForeignOwner owner;
    owner.window = static_cast<WId>(question.nativeWindow);
    if (question.window) {
        const qreal scale = qApp->devicePixelRatio();
        const calc::ScreenRect& at = *question.window;
        owner.area = QRect(static_cast<int>(at.x / scale), static_cast<int>(at.y / scale),
                           static_cast<int>(at.width / scale), static_cast<int>(at.height / scale));
    }
    return platform::qt::QtMessageBox().ShowInFrontOf(owner, question.style, question.text, question.title);
}

}  // namespace
#endif

std::unique_ptr<AutomationServer> MakeDesktopAutomationServer() {
#if defined(TABORA_HAVE_CALC)
    calc::CalcServerOptions options;
    options.keepSpare = true;  // the next workbook opens without waiting for an office to start
    options.panel = PanelRectangle;
    options.ask = AskInFrontOfOffice;
    options.postToUserInterface = platform::qt::PostToEventLoop;
    options.officeEnvironment =
        OfficeDisplayVariables(QGuiApplication::platformName().toStdString(), CurrentDisplayEnvironment());
    return calc::MakeCalcServer(std::move(options));
#else
    return std::make_unique<UnavailableAutomationServer>();
#endif
}

}  // namespace tabora::desktop
