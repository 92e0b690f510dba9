#include "platform/win32/UiGuard.h"

#include "app/ErrorTrap.h"

namespace tabora::platform::win32 {

void Guarded(const std::function<void()>& handler) noexcept { ReportErrorsAtEventBoundary(handler); }

}  // namespace tabora::platform::win32
