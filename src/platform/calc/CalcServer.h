#pragma once
// The automation server on Linux: Excel's object model over LibreOffice Calc, one office process
// of its own per application instance.

#include <memory>
#include <optional>
#include <sys/types.h>

#include "excel/AutomationServer.h"

namespace tabora::calc {

std::unique_ptr<AutomationServer> MakeCalcServer();

// For tests and diagnostics: the office process behind an application object of this server.
std::optional<pid_t> OfficeProcessOf(const ObjectRef& application);
// Office processes started by this server (any process of this user) that still run.
int RunningOfficeCount();

}  // namespace tabora::calc
