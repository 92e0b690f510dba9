#include "platform/win32/Win32Services.h"

#include "platform/win32/MessagePump.h"
#include "platform/win32/WideText.h"

namespace tabora::platform::win32 {

int16_t Win32MessageBox::Show(int32_t style, const std::u16string& text, const std::u16string& title) {
    const UINT flags = static_cast<UINT>(style) & (MB_TYPEMASK | MB_ICONMASK | MB_DEFMASK);
    // Task-modal: every window of the program is disabled under the box, also when none is
    // active (right after a drop from Explorer), so no form can be used while it is open.
    return static_cast<int16_t>(MessageBoxW(nullptr, Wide(text), Wide(title), flags | MB_TASKMODAL));
}

void Win32EventLoop::DoEvents() { DispatchPending(); }

}  // namespace tabora::platform::win32
