#include "desktop/linux/DesktopAutomationServer.h"

#if defined(TABORA_HAVE_CALC)
#include <QApplication>
#include <QWidget>

#include "platform/calc/CalcServer.h"
#else
#include "desktop/linux/UnavailableAutomationServer.h"
#endif

namespace tabora::desktop {

#if defined(TABORA_HAVE_CALC)
namespace {

calc::ScreenRect InPixels(const QRect& rect, qreal scale) {
    return {static_cast<int>(rect.x() * scale), static_cast<int>(rect.y() * scale),
            static_cast<int>(rect.width() * scale), static_cast<int>(rect.height() * scale)};
}

// The sheet list window's outer and inner rectangles in screen pixels, while it is shown.
std::optional<calc::PanelGeometry> PanelRectangle() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible() || window->objectName() != QStringLiteral("Frm_Test")) continue;
        const qreal scale = window->devicePixelRatioF();
        return calc::PanelGeometry{InPixels(window->frameGeometry(), scale), InPixels(window->geometry(), scale)};
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
