#pragma once
// The program's entry: one instance per user, then the sheet list window, modeless.

#include <memory>

#include "platform/ProcessServices.h"
#include "windows/Frm_Test.h"

namespace tabora::mdl_All {

// Shows the main window and returns it; the program then lives in the event loop while the
// window is loaded. Returns nothing, having shown nothing, when another instance already runs:
// the caller ends the process at once.
std::unique_ptr<windows::Frm_Test> Main(platform::InstanceLock& instances, windows::WindowServices services);

}  // namespace tabora::mdl_All
