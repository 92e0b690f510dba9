#include "platform/win32/Win32Services.h"

#include "platform/win32/MessagePump.h"
#include "platform/win32/WideText.h"

namespace tabora::platform::win32 {

int16_t Win32MessageBox::Show(int32_t style, const std::u16string& text, const std::u16string& title) {
    const UINT flags = static_cast<UINT>(style) & (MB_TYPEMASK | MB_ICONMASK | MB_DEFMASK);
    return static_cast<int16_t>(MessageBoxW(GetActiveWindow(), Wide(text), Wide(title), flags | MB_APPLMODAL));
}

void Win32EventLoop::DoEvents() { DispatchPending(); }

}  // namespace tabora::platform::win32
