#include "desktop/linux/DesktopAutomationServer.h"

#if defined(TABORA_HAVE_CALC)
#include <QApplication>
#include <QWidget>

#include "platform/calc/CalcServer.h"
#include "platform/qt/QtMessageBox.h"
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
    return calc::MakeCalcServer(std::move(options));
#else
    return std::make_unique<UnavailableAutomationServer>();
#endif
}

}  // namespace tabora::desktop
