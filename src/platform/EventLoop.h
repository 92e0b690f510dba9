#pragma once

namespace tabora::platform {

class EventLoop {
public:
    virtual ~EventLoop() = default;
    // Process the window events that are pending, then return.
    virtual void DoEvents() = 0;
};

}  // namespace tabora::platform
