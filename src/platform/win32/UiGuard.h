#pragma once
// Handlers run inside window procedures, which no C++ exception may leave. An error that the
// window logic did not trap is shown in the error box, and the program goes on.

#include <functional>

namespace tabora::platform::win32 {

void Guarded(const std::function<void()>& handler) noexcept;

}  // namespace tabora::platform::win32
