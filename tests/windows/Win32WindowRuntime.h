#pragma once
// The runtime a window test on native windows runs in: Win32's event loop and files, with the
// message box scripted.

#include "platform/Runtime.h"
#include "platform/win32/Win32Services.h"
#include "support/ScriptedMessageBox.h"

namespace tabora::test {

struct Win32WindowRuntime {
    ScriptedMessageBox boxes;
    platform::win32::Win32EventLoop events;
    platform::win32::Win32FileSystem files;
    const platform::ScopedRuntime runtime{{.messageBox = &boxes, .events = &events, .files = &files}};
};

}  // namespace tabora::test
