#pragma once
// The automation server of the Linux tool: the office's when the tool was built with it,
// otherwise one that reports that no office is there.

#include <memory>

#include "excel/AutomationServer.h"

namespace tabora::desktop {

std::unique_ptr<AutomationServer> MakeDesktopAutomationServer();

}  // namespace tabora::desktop
