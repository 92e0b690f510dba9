// The Linux desktop tool.
#include "desktop/linux/DesktopAutomationServer.h"
#include "desktop/linux/DesktopTool.h"

int main(int /*argc: the program reads no command line*/, char* argv[]) {
    return tabora::desktop::RunDesktopTool(argv[0], tabora::desktop::MakeDesktopAutomationServer);
}
