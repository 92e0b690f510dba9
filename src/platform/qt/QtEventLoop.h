#pragma once

#include <functional>

#include "platform/EventLoop.h"

namespace tabora::platform::qt {

// The yield: runs the window events that are waiting, then returns.
class QtEventLoop : public EventLoop {
public:
    void DoEvents() override;
};

// Runs call on the thread of Qt's event loop once the loop gets to it; called from any thread
// while the application object lives.
void PostToEventLoop(std::function<void()> call);

}  // namespace tabora::platform::qt
