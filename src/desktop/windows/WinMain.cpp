// The Windows tool: Excel over COM behind the native windows.
#include "platform/com/ComAutomationServer.h"
#include "platform/com/WindowsSdk.h"
#include "desktop/windows/Win32Tool.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return tabora::platform::win32::RunTool([] { return std::make_unique<tabora::com::ComAutomationServer>(); });
}
