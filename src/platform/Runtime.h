#pragma once
// The services the core reaches without being handed them, as a Visual Basic program reaches
// MsgBox, DoEvents and Dir: installed once by the executable (or by a test) for a scope.

#include "platform/EventLoop.h"
#include "platform/FileSystem.h"
#include "platform/LegacyTextDecoder.h"
#include "platform/MessageBoxService.h"

namespace tabora::platform {

struct Runtime {
    MessageBoxService* messageBox = nullptr;
    EventLoop* events = nullptr;
    FileSystem* files = nullptr;
    LegacyTextDecoder* legacyText = nullptr;
};

// Installs a runtime for the life of this object and puts the previous one back afterwards.
class ScopedRuntime {
public:
    explicit ScopedRuntime(Runtime runtime);
    ~ScopedRuntime();
    ScopedRuntime(const ScopedRuntime&) = delete;
    ScopedRuntime& operator=(const ScopedRuntime&) = delete;

private:
    Runtime previous_;
};

// The installed services; calling one that was not installed raises error 91.
MessageBoxService& MessageBox();
EventLoop& Events();
FileSystem& Files();
LegacyTextDecoder& LegacyText();

// Yield to the event loop once.
inline void DoEvents() { Events().DoEvents(); }

}  // namespace tabora::platform
