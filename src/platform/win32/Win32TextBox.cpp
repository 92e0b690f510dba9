#include "platform/win32/Win32TextBox.h"

#include <imm.h>

#include <algorithm>

#include "platform/win32/FileDrops.h"
#include "platform/win32/WideText.h"

namespace tabora::platform::win32 {

namespace {
DWORD EditStyle(const ControlDescription& d) {
    DWORD style = WS_TABSTOP;
    if (d.multiLine) {
        style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
        if (d.scrollBars == ScrollBars::Vertical) style |= WS_VSCROLL;
    } else {
        style |= ES_AUTOHSCROLL;
    }
    if (d.readOnly) style |= ES_READONLY;
    return style;
}

int32_t Length(HWND edit) { return GetWindowTextLengthW(edit); }
}  // namespace

int16_t ShiftState() {
    int16_t shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= 1;
    if (GetKeyState(VK_CONTROL) < 0) shift |= 2;
    if (GetKeyState(VK_MENU) < 0) shift |= 4;
    return shift;
}

Win32TextBox::Win32TextBox(const ControlDescription& d, const ControlSite& site)
    : Win32Control(d, CreateChild(L"EDIT", EditStyle(d), WS_EX_CLIENTEDGE, site, d.caption), d.backColor),
      subclass_(std::make_unique<Subclass>(Handle(), [this](UINT message, WPARAM wParam, LPARAM lParam) {
          return OnMessage(message, wParam, lParam);
      })) {
    StartReportingFrom(WindowText(Handle()));
    if (d.acceptsDroppedFiles) AcceptDroppedFiles(Handle());
}

std::u16string Win32TextBox::Text() const { return WindowText(Handle()); }

void Win32TextBox::PutText(const std::u16string& text) { SetWindowTextW(Handle(), Wide(text)); }

int32_t Win32TextBox::SelStart() const {
    DWORD start = 0;
    SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return static_cast<int32_t>(start);
}

int32_t Win32TextBox::SelLength() const {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int32_t>(end - start);
}

void Win32TextBox::SetSelStart(int32_t position) {
    const int32_t caret = std::clamp(position, 0, Length(Handle()));
    SendMessageW(Handle(), EM_SETSEL, static_cast<WPARAM>(caret), caret);
}

void Win32TextBox::SetSelLength(int32_t length) {
    const int32_t start = SelStart();
    const int32_t end = start + std::clamp(length, 0, Length(Handle()) - start);
    SendMessageW(Handle(), EM_SETSEL, static_cast<WPARAM>(start), end);
}

void Win32TextBox::SetIMEMode(int32_t mode) {
    imeMode_ = mode;
    if (mode == kImeModeDisable) {
        ImmAssociateContextEx(Handle(), nullptr, 0);
    } else {
        ImmAssociateContextEx(Handle(), nullptr, IACE_DEFAULT);
    }
}

void Win32TextBox::OnCommand(WORD code) {
    if (code == EN_CHANGE) TextEdited();
}

HBRUSH Win32TextBox::OnColor(HDC dc) {
    if (HBRUSH own = Win32Control::OnColor(dc)) return own;
    // A read-only box asks as a static control would, but stays white as a text box.
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return GetSysColorBrush(COLOR_WINDOW);
}

bool Win32TextBox::AllowFocusToLeave() {
    bool cancel = false;
    Validate.Raise(cancel);
    return !cancel;
}

std::optional<LRESULT> Win32TextBox::OnMessage(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: {
            if (!IsWindowEnabled(Handle())) return std::nullopt;
            auto keyCode = static_cast<int16_t>(wParam);
            KeyDown.Raise(keyCode, ShiftState());
            if (keyCode != 0) return std::nullopt;
            // Swallowed: the character the key was already translated into goes too, or a
            // Backspace or a letter would still reach the box.
            MSG character{};
            while (PeekMessageW(&character, Handle(), WM_CHAR, WM_CHAR, PM_REMOVE)) {
            }
            return 0;
        }
        case WM_LBUTTONDBLCLK: DblClick.Raise(); return std::nullopt;
        case WM_DROPFILES: FilesDropped.Raise(TakeDroppedFiles(wParam)); return 0;
        default: return std::nullopt;
    }
}

}  // namespace tabora::platform::win32
