#pragma once
// The per-monitor DPI functions, which user32 has only from Windows 10 1607 (1703 for the
// process's awareness). They are looked up at run time, so that the tool starts on any Windows
// 10; where they are missing, the system's DPI stands in for the window's.

#include "platform/com/WindowsSdk.h"

namespace tabora::platform::win32 {

// Per-monitor awareness (v2) for the process; the system-DPI awareness where there is none.
void BecomeDpiAware();

// The DPI the window is drawn at.
unsigned DpiOfWindow(HWND window);

// GetSystemMetrics at a DPI.
int SystemMetricAtDpi(int metric, unsigned dpi);

// AdjustWindowRectEx, without a menu, at a DPI.
void AdjustWindowRectAtDpi(RECT& rect, DWORD style, DWORD exStyle, unsigned dpi);

}  // namespace tabora::platform::win32
