#include "desktop/windows/Win32Tool.h"

#include "platform/com/WindowsSdk.h"
#include <commctrl.h>

#include "app/mdl_All.h"
#include "platform/Runtime.h"
#include "platform/com/ScopedOleInitialization.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/MessagePump.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Form.h"
#include "platform/win32/Win32Services.h"

namespace tabora::platform::win32 {

namespace {
void PrepareProcess() {
    // Also declared in the manifest; this covers a build without it.
    BecomeDpiAware();
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
}

void ReportStartFailure(const RuntimeError& error) {
    std::u16string text = u"Tabora を起動できません。\r" + error.Record().Description;
    MessageBoxW(nullptr, Wide(text), L"Tabora", MB_OK | MB_ICONSTOP);
}
}  // namespace

int RunTool(const std::function<std::unique_ptr<AutomationServer>()>& makeServer) {
    PrepareProcess();
    try {
        com::ScopedOleInitialization ole;
        Win32MessageBox boxes;
        Win32EventLoop events;
        Win32FileSystem files;
        AnsiCodePageDecoder legacyText;
        ScopedRuntime runtime({&boxes, &events, &files, &legacyText});
        NamedMutexInstanceLock instances;
        Win32FormFactory forms;
        std::unique_ptr<AutomationServer> excel = makeServer();
        std::unique_ptr<windows::Frm_Test> main = mdl_All::Main(instances, {forms, *excel});
        if (!main) return 0;
        RunUntil([&main] { return !main->IsLoaded(); });
        return 0;
    } catch (const RuntimeError& error) {
        ReportStartFailure(error);
        return 1;
    }
}

}  // namespace tabora::platform::win32
