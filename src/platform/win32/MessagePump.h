#pragma once
// The one way messages are dispatched, by the main loop, modal forms and DoEvents alike, so
// that forms see keyboard and mouse input first everywhere.

#include <functional>

#include "platform/com/WindowsSdk.h"

namespace tabora::platform::win32 {

// Dispatches one message taken from the queue.
void Dispatch(MSG& message);
// Dispatches messages (waiting for them) until done() holds, checked after each one. A quit
// message ends it too and stays in the queue for the outer loop.
void RunUntil(const std::function<bool()>& done);
// Dispatches the messages already waiting, then returns.
void DispatchPending();

}  // namespace tabora::platform::win32
