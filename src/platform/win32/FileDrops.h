#pragma once
// Files dropped from the shell on one window: accepted for its life, handed on in order.

#include "platform/Controls.h"
#include "platform/com/WindowsSdk.h"

namespace tabora::platform::win32 {

// Makes window accept dropped files (it then receives WM_DROPFILES).
void AcceptDroppedFiles(HWND window);
// The paths a WM_DROPFILES carries, in the order the shell gives them; releases the drop.
DroppedFiles TakeDroppedFiles(WPARAM drop);

}  // namespace tabora::platform::win32
