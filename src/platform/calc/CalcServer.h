#pragma once
// The automation server on Linux: Excel's object model over LibreOffice Calc, one office process
// of its own per application instance.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>
#include <sys/types.h>

#include "excel/AutomationServer.h"
#include "platform/calc/DocumentQuestion.h"
#include "platform/calc/WindowPlacement.h"

namespace tabora::calc {

struct CalcServerOptions {
    // Keep one hidden office started while the tool is idle, for the next instance to take at
    // once. The desktop tool does; a caller that starts few instances need not.
    bool keepSpare = false;
    // Where the tool's panel stands now, if anywhere: a shown office's window stands beside it.
    PanelRectangle panel;
    // Asks the user Excel's questions about a workbook (whether to save its changes), in front of
    // the office's window; without it, the tool's message box asks.
    AskUser ask;
    // "NAME=value" for every office started, over the tool's own environment.
    std::vector<std::string> officeEnvironment;
    // Told the process id of every office the server hands out, on the thread that asked for
    // it: how a caller that runs offices beside others (tests, benchmarks) finds its own.
    std::function<void(pid_t office)> officeStarted;
    // Told, on a thread of the server's own, each time a spare office is ready: how a benchmark
    // measures a start with a spare.
    std::function<void()> spareReady;
    // Runs a call on the user-interface thread, from any thread: how the office's word that a
    // workbook's sheets changed reaches the windows. Without it no workbook is watched.
    std::function<void(std::function<void()>)> postToUserInterface;
};

std::unique_ptr<AutomationServer> MakeCalcServer(CalcServerOptions options = {});

// The office process behind an object of this server.
std::optional<pid_t> OfficeProcessOf(const ObjectRef& application);


}  // namespace tabora::calc
