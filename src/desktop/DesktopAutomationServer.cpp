#include "desktop/DesktopAutomationServer.h"

#if defined(TABORA_HAVE_CALC)
#include <QApplication>
#include <QWidget>

#include "platform/calc/CalcServer.h"
#else
#include "desktop/UnavailableAutomationServer.h"
#endif

namespace tabora::desktop {

#if defined(TABORA_HAVE_CALC)
namespace {

// The sheet list window's outer rectangle (frame included) in screen pixels, while it is shown.
std::optional<calc::ScreenRect> PanelRectangle() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible() || window->objectName() != QStringLiteral("Frm_Test")) continue;
        const QRect frame = window->frameGeometry();
        const qreal scale = window->devicePixelRatioF();
        return calc::ScreenRect{static_cast<int>(frame.x() * scale), static_cast<int>(frame.y() * scale),
                                static_cast<int>(frame.width() * scale), static_cast<int>(frame.height() * scale)};
    }
    return std::nullopt;
}

}  // namespace
#endif

std::unique_ptr<AutomationServer> MakeDesktopAutomationServer() {
#if defined(TABORA_HAVE_CALC)
    calc::CalcServerOptions options;
    options.keepSpare = true;  // the next workbook opens without waiting for an office to start
    options.panel = PanelRectangle;
    return calc::MakeCalcServer(std::move(options));
#else
    return std::make_unique<UnavailableAutomationServer>();
#endif
}

}  // namespace tabora::desktop
