#pragma once
// The automation server on Linux: Excel's object model over LibreOffice Calc, one office process
// of its own per application instance.

#include <memory>
#include <optional>
#include <vector>
#include <sys/types.h>

#include "excel/AutomationServer.h"

namespace tabora::calc {

std::unique_ptr<AutomationServer> MakeCalcServer();

// For tests and diagnostics: the office process behind an application object of this server.
std::optional<pid_t> OfficeProcessOf(const ObjectRef& application);
// Office processes started by this server that still run (shown ones outlive their references);
// none for a server that is not the Calc server.
std::vector<pid_t> RunningOffices(AutomationServer& server);

}  // namespace tabora::calc
