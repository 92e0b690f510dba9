#include "windows/Win32ControlSet.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <atomic>
#include <cstring>
#include <future>
#include <thread>
#include <utility>

#include "platform/win32/MessagePump.h"
#include "platform/win32/NativeControl.h"

namespace tabora::test {

using platform::win32::Dispatch;
using platform::win32::DispatchPending;

namespace {
// What the user does while a modal form is up, run from inside its modal loop.
std::deque<std::function<void()>>& PendingScripts() {
    static std::deque<std::function<void()>> scripts;
    return scripts;
}

void SetModifiers(int16_t shift) {
    BYTE state[256]{};
    GetKeyboardState(state);
    state[VK_SHIFT] = (shift & 1) != 0 ? 0x80 : 0;
    state[VK_CONTROL] = (shift & 2) != 0 ? 0x80 : 0;
    state[VK_MENU] = (shift & 4) != 0 ? 0x80 : 0;
    SetKeyboardState(state);
}

// A drop as the shell makes one: DROPFILES, then each wide path, then an empty one.
HGLOBAL MakeDrop(const std::vector<std::u16string>& paths) {
    std::u16string names;
    for (const auto& path : paths) names += path + u'\0';
    names += u'\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size() * sizeof(char16_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), names.size() * sizeof(char16_t));
    GlobalUnlock(memory);
    return memory;
}

}  // namespace

Win32ControlSet::~Win32ControlSet() {
    PendingScripts().clear();
    SetModifiers(0);
    Settle();
}

HWND Win32ControlSet::HandleOf(platform::Control& control) {
    if (auto* form = dynamic_cast<platform::win32::Win32Form*>(&control)) return form->Window();
    return dynamic_cast<platform::win32::NativeControl&>(control).Handle();
}

void Win32ControlSet::Show(platform::Form& form) {
    form.Show();
    SetForegroundWindow(HandleOf(form));
    Settle();
}

void Win32ControlSet::Settle() { DispatchPending(); }

void Win32ControlSet::Type(platform::TextBox& box, const std::u16string& text) {
    const HWND edit = HandleOf(box);
    if (!IsWindowEnabled(edit) || (GetWindowLongPtrW(edit, GWL_STYLE) & ES_READONLY) != 0) return;
    // One input, as an input method commits it: one replacement of the selection.
    SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    Settle();
}

void Win32ControlSet::KeyMessage(HWND window, UINT message, int16_t keyCode) {
    const UINT scan = MapVirtualKeyW(static_cast<UINT>(keyCode), MAPVK_VK_TO_VSC);
    LPARAM lParam = 1 | static_cast<LPARAM>(scan << 16);
    if (message == WM_KEYUP) lParam |= static_cast<LPARAM>(0xC0000000u);
    MSG m{window, message, static_cast<WPARAM>(keyCode), lParam, static_cast<DWORD>(GetMessageTime()), {}};
    Dispatch(m);  // the form first, then the translation into characters
    DispatchPending();
}

void Win32ControlSet::PressKey(platform::TextBox& box, int16_t keyCode, int16_t shift) {
    const HWND edit = HandleOf(box);
    SetFocus(edit);
    SetModifiers(shift);
    // A real keyboard sends the modifiers first.
    if ((shift & 1) != 0 && keyCode != VK_SHIFT) KeyMessage(edit, WM_KEYDOWN, VK_SHIFT);
    if ((shift & 2) != 0 && keyCode != VK_CONTROL) KeyMessage(edit, WM_KEYDOWN, VK_CONTROL);
    KeyMessage(edit, WM_KEYDOWN, keyCode);
    KeyMessage(edit, WM_KEYUP, keyCode);
    SetModifiers(0);
}

void Win32ControlSet::DoubleClick(platform::TextBox& box) {
    const HWND edit = HandleOf(box);
    SendMessageW(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(edit, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    SendMessageW(edit, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(edit, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    Settle();
}

bool Win32ControlSet::Leave(platform::TextBox& box) {
    const HWND edit = HandleOf(box);
    SetFocus(edit);
    EXPECT_EQ(GetFocus(), edit) << "the box must have the focus before it can lose it";
    KeyMessage(edit, WM_KEYDOWN, VK_TAB);
    return GetFocus() != edit;
}

void Win32ControlSet::ClickItem(platform::ListBox& list, int32_t index) {
    MouseOnItem(list, index, WM_LBUTTONDOWN);
    Settle();
}

void Win32ControlSet::DoubleClickItem(platform::ListBox& list, int32_t index) {
    MouseOnItem(list, index, WM_LBUTTONDOWN);
    MouseOnItem(list, index, WM_LBUTTONDBLCLK);
    Settle();
}

void Win32ControlSet::MouseOnItem(platform::ListBox& list, int32_t index, UINT press) {
    const HWND box = HandleOf(list);
    RECT item{};
    SendMessageW(box, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    MSG down{box, press, MK_LBUTTON, at, static_cast<DWORD>(GetMessageTime()), {}};
    Dispatch(down);
    MSG up{box, WM_LBUTTONUP, 0, at, static_cast<DWORD>(GetMessageTime()), {}};
    Dispatch(up);
}

void Win32ControlSet::Press(platform::PictureButton& button) {
    const HWND handle = HandleOf(button);
    if (!IsWindowEnabled(handle)) return;  // a disabled button takes no click
    SendMessageW(handle, BM_CLICK, 0, 0);
    Settle();
}

void Win32ControlSet::DropFiles(platform::Control& target, const std::vector<std::u16string>& paths) {
    SendMessageW(HandleOf(target), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);
}

void Win32ControlSet::DropText(platform::Control&, const std::u16string&) {
    ADD_FAILURE() << "Win32 receives only files; the cases skip drops without files here";
}

void Win32ControlSet::ResizeByUser(platform::Form& form, float outerWidth, float outerHeight) {
    const HWND window = HandleOf(form);
    const UINT dpi = GetDpiForWindow(window);
    // The border drag ends in one move of the window to the new size.
    SetWindowPos(window, nullptr, 0, 0, MulDiv(static_cast<int>(outerWidth), static_cast<int>(dpi), 1440),
                 MulDiv(static_cast<int>(outerHeight), static_cast<int>(dpi), 1440),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Settle();
}

void Win32ControlSet::CloseByUser(platform::Form& form) {
    SendMessageW(HandleOf(form), WM_CLOSE, 0, 0);
    Settle();
}

void Win32ControlSet::ActivateFromAnotherApplication(platform::Form& form) {
    // A window of another thread stands for the other application's: the form then learns that
    // the activation came from outside its thread.
    std::promise<HWND> made;
    std::atomic<bool> done{false};
    std::thread elsewhere([&] {
        const HWND window = CreateWindowExW(0, L"STATIC", L"elsewhere", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 400,
                                            200, 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        made.set_value(window);
        while (!done) {
            MSG m;
            while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
            Sleep(1);
        }
        DestroyWindow(window);
    });
    const HWND other = made.get_future().get();
    SetForegroundWindow(other);
    Settle();
    SetForegroundWindow(HandleOf(form));
    Settle();
    done = true;
    elsewhere.join();
    Settle();
}

void Win32ControlSet::SetMinimizedByUser(platform::Form& form, bool minimized) {
    ShowWindow(HandleOf(form), minimized ? SW_MINIMIZE : SW_RESTORE);
    Settle();
}

void CALLBACK Win32ControlSet::RunScripts(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    while (!PendingScripts().empty()) {
        std::function<void()> script = std::move(PendingScripts().front());
        PendingScripts().pop_front();
        script();
    }
}

void Win32ControlSet::WhileModal(platform::Form& form, std::function<void()> script) {
    // Run by a timer, which only the modal loop then dispatches.
    PendingScripts().push_back([this, &form, script = std::move(script)] {
        script();
        if (form.IsLoaded()) CloseByUser(form);
    });
    SetTimer(nullptr, 0, 0, &Win32ControlSet::RunScripts);
}

}  // namespace tabora::test
