// The two real windows as the Win32 layer renders them: their pictures, tooltips, colours and
// the version resource the executables carry.
#include <gtest/gtest.h>

#include "platform/Version.h"
#include "platform/com/WindowsSdk.h"
#include "platform/win32/Win32Form.h"
#include "windows/FormDescriptions.h"

#include <commctrl.h>
#include <winver.h>

#include <string>
#include <vector>

namespace tabora::platform::win32 {
namespace {

COLORREF BrushColor(HBRUSH brush) {
    LOGBRUSH log{};
    GetObjectW(brush, sizeof(log), &log);
    return log.lbColor;
}

// The colour a control is painted on, as its parent's WM_CTLCOLOR* answers.
COLORREF BackgroundOf(HWND control, UINT message) {
    HDC dc = GetDC(control);
    auto brush = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(control), message, reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(control)));
    ReleaseDC(control, dc);
    return BrushColor(brush);
}

// The tooltip window a form owns.
HWND ToolTipsOf(HWND form) {
    struct Search {
        HWND owner;
        HWND found;
    } search{form, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            auto* wanted = reinterpret_cast<Search*>(data);
            wchar_t name[64] = {};
            GetClassNameW(window, name, 64);
            if (lstrcmpiW(name, TOOLTIPS_CLASSW) == 0 && GetWindow(window, GW_OWNER) == wanted->owner) {
                wanted->found = window;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TEST(Win32ResourcesTest, ThePictureButtonsShowTheirIcons) {
    Win32Form form(windows::Frm_TestDescription());
    for (const char16_t* name : {u"Cmd_決定ファイル", u"Cmd_Get", u"Cmd_Change", u"Cmd_Open"}) {
        EXPECT_NE(SendMessageW(form.HandleOf(name), BM_GETIMAGE, IMAGE_ICON, 0), 0) << "no icon on a button";
    }
    EXPECT_NE(SendMessageW(form.Window(), WM_GETICON, ICON_SMALL, 0), 0);
}

TEST(Win32ResourcesTest, EveryControlWithATipHasItsTool) {
    const FormDescription description = windows::Frm_TestDescription();
    Win32Form form(description);
    size_t tips = 0;
    for (const auto& control : description.controls) tips += control.toolTip.empty() ? 0 : 1;
    HWND toolTips = ToolTipsOf(form.Window());
    ASSERT_NE(toolTips, nullptr);
    EXPECT_EQ(static_cast<size_t>(SendMessageW(toolTips, TTM_GETTOOLCOUNT, 0, 0)), tips);
}

TEST(Win32ResourcesTest, ATransparentLabelShowsTheColouredBarItLiesOn) {
    Win32Form form(windows::Frm_MoreDescription());
    EXPECT_EQ(BackgroundOf(form.HandleOf(u"Lbl_SpecialTitle"), WM_CTLCOLORSTATIC), RGB(128, 128, 255));
    EXPECT_EQ(BackgroundOf(form.HandleOf(u"Lbl_BGColor"), WM_CTLCOLORSTATIC), RGB(128, 128, 255));
    EXPECT_EQ(BackgroundOf(form.HandleOf(u"Lbl_Title"), WM_CTLCOLORSTATIC), RGB(192, 192, 255));
    EXPECT_EQ(BackgroundOf(form.HandleOf(u"Txt_SheetName"), WM_CTLCOLORSTATIC), RGB(192, 192, 255));  // read-only
    EXPECT_EQ(BackgroundOf(form.HandleOf(u"Txt_NewSheets"), WM_CTLCOLOREDIT), GetSysColor(COLOR_WINDOW));
}

TEST(Win32ResourcesTest, TheVersionResourceIsTheProgramsVersion) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    ASSERT_GT(size, 0u);
    std::vector<std::byte> data(size);
    ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, data.data()));
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &length));
    EXPECT_EQ(HIWORD(info->dwFileVersionMS), platform::version::kMajor);
    EXPECT_EQ(LOWORD(info->dwFileVersionMS), platform::version::kMinor);
    EXPECT_EQ(HIWORD(info->dwFileVersionLS), platform::version::kRevision);
}

// A setting of the manifest, as Windows read it from this executable.
std::wstring ManifestSetting(const wchar_t* name) {
    wchar_t value[64] = {};
    SIZE_T length = 0;
    if (!QueryActCtxSettingsW(0, nullptr, L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", name,
                              value, std::size(value), &length)) {
        return {};
    }
    return value;
}

TEST(Win32ResourcesTest, TheManifestAsksForLongPathsAndPerMonitorDpi) {
    // A path of 260 characters or more then means to the file checks what it means to Excel.
    EXPECT_EQ(ManifestSetting(L"longPathAware"), L"true");
    EXPECT_EQ(ManifestSetting(L"dpiAwareness"), L"PerMonitorV2");
}

// The names of the functions an executable imports from one DLL, read from its import table.
std::vector<std::string> ImportsFrom(const wchar_t* file, const char* dll) {
    HMODULE mapped = LoadLibraryExW(file, nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE | LOAD_LIBRARY_AS_DATAFILE);
    if (mapped == nullptr) return {};
    // The low bits of the handle mark a mapping as data; the image starts below them.
    const auto* base = reinterpret_cast<const char*>(reinterpret_cast<uintptr_t>(mapped) & ~uintptr_t{3});
    const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& table = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    std::vector<std::string> names;
    for (auto* library = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + table.VirtualAddress);
         table.VirtualAddress != 0 && library->Name != 0; ++library) {
        if (lstrcmpiA(base + library->Name, dll) != 0) continue;
        const DWORD thunks =
            library->OriginalFirstThunk != 0 ? library->OriginalFirstThunk : library->FirstThunk;
        for (auto* thunk = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + thunks);
             thunk->u1.AddressOfData != 0; ++thunk) {
            if (IMAGE_SNAP_BY_ORDINAL(thunk->u1.Ordinal)) continue;
            names.emplace_back(
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + thunk->u1.AddressOfData)->Name);
        }
    }
    FreeLibrary(mapped);
    return names;
}

TEST(Win32ResourcesTest, TheToolStartsOnWindows10WithoutItsLaterDpiFunctions) {
    // user32's per-monitor DPI functions of Windows 10 1607 and 1703 spell "Dpi"; Vista's spell "DPI".
    const std::vector<std::string> imports = ImportsFrom(TABORA_TOOL_PATH, "user32.dll");
    ASSERT_FALSE(imports.empty()) << "no import table read from the tool";
    for (const std::string& name : imports) EXPECT_EQ(name.find("Dpi"), std::string::npos) << name;
}

}  // namespace
}  // namespace tabora::platform::win32
