#pragma once
// The Windows tool's life: OLE on the UI thread, the run-time services, the main window, and
// the message loop while the main window is loaded.

#include <functional>
#include <memory>

#include "excel/AutomationServer.h"

namespace tabora::platform::win32 {

// Runs the tool with the server makeServer gives (made after OLE is up, released before it
// goes down). Returns the process exit code.
int RunTool(const std::function<std::unique_ptr<AutomationServer>()>& makeServer);

}  // namespace tabora::platform::win32
