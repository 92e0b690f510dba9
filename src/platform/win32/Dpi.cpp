#include "platform/win32/Dpi.h"

namespace tabora::platform::win32 {

namespace {
// A function of user32 by name, null where this Windows has none.
template <class Function>
Function* FromUser32(const char* name) {
    const FARPROC found = GetProcAddress(GetModuleHandleW(L"user32.dll"), name);
    // GetProcAddress gives every function one type; through void(*)() the cast is a plain one.
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(found));
}

unsigned SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<unsigned>(dpi) : USER_DEFAULT_SCREEN_DPI;
}
}  // namespace

void BecomeDpiAware() {
    static const auto setContext =
        FromUser32<decltype(SetProcessDpiAwarenessContext)>("SetProcessDpiAwarenessContext");
    if (setContext != nullptr) {
        setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    } else {
        SetProcessDPIAware();
    }
}

unsigned DpiOfWindow(HWND window) {
    static const auto dpiForWindow = FromUser32<decltype(GetDpiForWindow)>("GetDpiForWindow");
    return dpiForWindow != nullptr ? dpiForWindow(window) : SystemDpi();
}

int SystemMetricAtDpi(int metric, unsigned dpi) {
    static const auto metricForDpi = FromUser32<decltype(GetSystemMetricsForDpi)>("GetSystemMetricsForDpi");
    if (metricForDpi != nullptr) return metricForDpi(metric, dpi);
    return MulDiv(GetSystemMetrics(metric), static_cast<int>(dpi), static_cast<int>(SystemDpi()));
}

void AdjustWindowRectAtDpi(RECT& rect, DWORD style, DWORD exStyle, unsigned dpi) {
    static const auto adjustForDpi =
        FromUser32<decltype(AdjustWindowRectExForDpi)>("AdjustWindowRectExForDpi");
    if (adjustForDpi != nullptr) {
        adjustForDpi(&rect, style, FALSE, exStyle, dpi);
    } else {
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);  // the frame is drawn at the system's DPI then
    }
}

}  // namespace tabora::platform::win32
