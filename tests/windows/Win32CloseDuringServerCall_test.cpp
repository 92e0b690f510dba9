// The sheet list window on native windows, closed while a call into an out-of-process server
// waits: COM dispatches the messages sent to the window meanwhile, so the close arrives in the
// middle of the load. The in-memory Excel opens the workbook; while it does, a call to our slow
// local server stands for the wait on Excel's answer.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "LocalTestServer.h"
#include "platform/com/WindowsSdk.h"
#include "platform/win32/Win32Form.h"
#include "support/FakeExcel.h"
#include "support/FakeWorkbookFile.h"
#include "support/TempDir.h"
#include "windows/Frm_Test.h"
#include "windows/Win32ControlSet.h"
#include "windows/Win32WindowRuntime.h"

namespace tabora::test {
namespace {

TEST(Win32CloseDuringServerCall, TheWindowClosedWhileTheServerOpensTheWorkbookClosesOnceTheLoadIsDone) {
    RegisterTestServer(kWindowTestServer);
    const ObjectRef slowServer = CreateTestServer(kWindowTestServer);
    Win32WindowRuntime runtime;
    TempDir folder;
    const std::u16string path = folder.File(u"売上.xls");
    WriteWorkbookFile(path, {{u"集計", false, {}}, {u"大阪", false, {}}});

    Win32ControlSet set;
    FakeExcel excel;
    windows::Frm_Test window({set.Forms(), excel});
    set.Show(window.Form());
    const HWND mainWindow = dynamic_cast<platform::win32::Win32Form&>(window.Form()).Window();
    bool closeHandledDuringCall = false, stayedDuringCall = false;
    excel.DuringCall(CallMatcher::On(u"Workbooks", u"Open"), [&] {
        std::atomic<bool> handled{false};
        std::thread user([&] {
            Sleep(300);
            DWORD_PTR ignored = 0;
            handled = SendMessageTimeoutW(mainWindow, WM_CLOSE, 0, 0, SMTO_NORMAL, 10000, &ignored) != 0;
        });
        slowServer->Call(u"Wait", {int32_t{1500}});
        user.join();
        closeHandledDuringCall = handled;
        stayedDuringCall = window.IsLoaded();
    });
    window.Form().TextBoxNamed(u"Txt_Path").SetText(path);
    set.Press(window.Form().PictureButtonNamed(u"Cmd_Get"));

    ASSERT_TRUE(closeHandledDuringCall) << "the close did not arrive while the server was awaited";
    EXPECT_TRUE(stayedDuringCall);
    EXPECT_FALSE(window.IsLoaded());
    EXPECT_FALSE(IsWindowVisible(mainWindow));
    EXPECT_TRUE(excel.Instance(1).Visible());
    EXPECT_EQ(excel.Instance(1).ActiveWorkbook()->SheetNames(),
              (std::vector<std::u16string>{u"集計", u"大阪"}));
    EXPECT_TRUE(runtime.boxes.Shown().empty());
}

}  // namespace
}  // namespace tabora::test
