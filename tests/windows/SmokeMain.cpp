// The Windows tool against the in-memory Excel, for the smoke test on a virtual display: a
// workbook with Japanese sheet names is dropped on the list half a second after the start (as
// the shell drops one), and the main window is closed after the seconds given on the command
// line (8 by default), as a user would close it.
#include <shlobj.h>

#include <chrono>
#include <cstring>
#include <cwchar>
#include <string>

#include "platform/com/WindowsSdk.h"
#include "platform/win32/Win32Form.h"
#include "desktop/windows/Win32Tool.h"
#include "support/FakeExcel.h"
#include "support/FakeWorkbookFile.h"

namespace {

using tabora::platform::win32::Win32Form;

std::u16string FixtureWorkbook() {
    wchar_t folder[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH, folder);
    std::u16string path(reinterpret_cast<const char16_t*>(folder), length);
    path += u"タボラ確認用.xls";
    tabora::test::WriteWorkbookFile(path, {{u"集計", false, {}}, {u"売上2024", false, {}}, {u"ｼｰﾄ3", false, {}}, {u"Sheet4", false, {}}});
    return path;
}

Win32Form* MainForm() { return Win32Form::OfWindow(FindWindowW(L"TaboraForm", nullptr)); }

// A drop as the shell makes it: a DROPFILES block followed by the wide path, twice terminated.
void DropFile(HWND target, const std::u16string& path) {
    const size_t bytes = sizeof(DROPFILES) + (path.size() + 2) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GHND, bytes);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), path.c_str(), path.size() * sizeof(char16_t));
    GlobalUnlock(memory);
    PostMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}

std::u16string g_workbook;

void CALLBACK CloseMainWindow(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (Win32Form* form = MainForm()) PostMessageW(form->Window(), WM_CLOSE, 0, 0);
}

void CALLBACK DropWorkbook(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (Win32Form* form = MainForm()) DropFile(form->HandleOf(u"Lst_Item"), g_workbook);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    const long seconds = commandLine != nullptr && *commandLine != 0 ? std::wcstol(commandLine, nullptr, 10) : 8;
    g_workbook = FixtureWorkbook();
    SetTimer(nullptr, 0, 500, &DropWorkbook);
    SetTimer(nullptr, 0, static_cast<UINT>(seconds * 1000), &CloseMainWindow);
    return tabora::platform::win32::RunTool([] { return std::make_unique<tabora::test::FakeExcel>(); });
}
