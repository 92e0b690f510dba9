#pragma once

#include "platform/EventLoop.h"

namespace tabora::platform::qt {

// The yield: runs the window events that are waiting, then returns.
class QtEventLoop : public EventLoop {
public:
    void DoEvents() override;
};

}  // namespace tabora::platform::qt
