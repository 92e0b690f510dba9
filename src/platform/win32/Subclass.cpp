#include "platform/win32/Subclass.h"

#include <commctrl.h>

#include "platform/win32/UiGuard.h"

namespace tabora::platform::win32 {

namespace {
constexpr UINT_PTR kSubclassId = 0x7ab0;
}

Subclass::Subclass(HWND window, Handler handler) : window_(window), handler_(std::move(handler)) {
    SetWindowSubclass(window_, &Subclass::Procedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

Subclass::~Subclass() {
    if (IsWindow(window_)) RemoveWindowSubclass(window_, &Subclass::Procedure, kSubclassId);
}

LRESULT CALLBACK Subclass::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR self) {
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, &Subclass::Procedure, kSubclassId);
        return DefSubclassProc(window, message, wParam, lParam);
    }
    std::optional<LRESULT> answer;
    Guarded([&] { answer = reinterpret_cast<Subclass*>(self)->handler_(message, wParam, lParam); });
    if (answer) return *answer;
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace tabora::platform::win32
