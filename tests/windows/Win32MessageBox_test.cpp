// The message box blocks every window of the program, whichever is active (or none).
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "platform/win32/Win32Services.h"

namespace tabora::platform::win32 {
namespace {

struct BoxSearch {
    HWND box = nullptr;
};

BOOL CALLBACK FindBox(HWND window, LPARAM search) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (std::wstring(className) == L"#32770" && IsWindowVisible(window)) {
        reinterpret_cast<BoxSearch*>(search)->box = window;
        return FALSE;
    }
    return TRUE;
}

class Win32MessageBoxTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        for (HWND& window : windows) {
            window = CreateWindowExW(0, L"STATIC", L"form", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100,
                                     nullptr, nullptr, nullptr, nullptr);
            ASSERT_NE(window, nullptr);
        }
    }
    void TearDown() override {
        for (HWND window : windows) DestroyWindow(window);
    }
    HWND windows[2] = {};
};

TEST_P(Win32MessageBoxTest, EveryWindowIsDisabledWhileTheBoxIsOpenAndEnabledAfter) {
    if (GetParam()) {
        SetActiveWindow(windows[1]);
    } else {
        SetActiveWindow(nullptr);  // as right after a drop from Explorer
    }
    const DWORD thread = GetCurrentThreadId();
    std::atomic<int> enabledUnderBox{-1};
    std::thread user([&] {
        BoxSearch search;
        for (int tries = 0; tries < 200 && search.box == nullptr; ++tries) {
            Sleep(50);
            EnumThreadWindows(thread, FindBox, reinterpret_cast<LPARAM>(&search));
        }
        if (search.box == nullptr) return;
        enabledUnderBox = (IsWindowEnabled(windows[0]) ? 1 : 0) + (IsWindowEnabled(windows[1]) ? 1 : 0);
        PostMessageW(search.box, WM_COMMAND, IDNO, 0);
    });
    const int16_t answer = Win32MessageBox().Show(MB_YESNO | MB_ICONQUESTION, u"上書きしますか。", u"確認");
    user.join();
    EXPECT_EQ(answer, IDNO);
    EXPECT_EQ(enabledUnderBox, 0);
    EXPECT_TRUE(IsWindowEnabled(windows[0]));
    EXPECT_TRUE(IsWindowEnabled(windows[1]));
}

INSTANTIATE_TEST_SUITE_P(ActiveWindow, Win32MessageBoxTest, ::testing::Bool(),
                         [](const auto& test) { return test.param ? "OneActive" : "NoneActive"; });

}  // namespace
}  // namespace tabora::platform::win32
