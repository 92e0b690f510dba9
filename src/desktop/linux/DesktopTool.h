#pragma once
// The Linux desktop tool from start to end: one instance per user, the sheet list window with
// the Qt forms, message boxes and yield, and Qt's event loop for as long as that window is
// loaded.

#include <functional>
#include <memory>

#include "excel/AutomationServer.h"

namespace tabora::desktop {

// programName: argv[0], the only thing Qt is told of the command line. makeServer is called
// once the display is open. Answers the process's exit status.
int RunDesktopTool(char* programName, const std::function<std::unique_ptr<AutomationServer>()>& makeServer);

}  // namespace tabora::desktop
