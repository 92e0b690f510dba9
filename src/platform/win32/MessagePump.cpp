#include "platform/win32/MessagePump.h"

#include "platform/win32/Win32Form.h"

namespace tabora::platform::win32 {

void Dispatch(MSG& message) {
    if (message.hwnd != nullptr) {
        if (Win32Form* form = Win32Form::OfWindow(GetAncestor(message.hwnd, GA_ROOT))) {
            if (form->PreTranslate(message)) return;
        }
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

void RunUntil(const std::function<bool()>& done) {
    MSG message{};
    while (!done()) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (got < 0) return;
        Dispatch(message);
    }
}

void DispatchPending() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        Dispatch(message);
    }
}

}  // namespace tabora::platform::win32
