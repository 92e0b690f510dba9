#include "desktop/linux/DesktopAutomationServer.h"

#if defined(TABORA_HAVE_CALC)
#include "platform/calc/CalcServer.h"
#else
#include "desktop/linux/UnavailableAutomationServer.h"
#endif

namespace tabora::desktop {

std::unique_ptr<AutomationServer> MakeDesktopAutomationServer() {
#if defined(TABORA_HAVE_CALC)
    return calc::MakeCalcServer();
#else
    return std::make_unique<UnavailableAutomationServer>();
#endif
}

}  // namespace tabora::desktop
