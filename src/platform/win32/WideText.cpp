#include "platform/win32/WideText.h"

#include <vector>

namespace tabora::platform::win32 {

std::u16string WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
    const int got = GetWindowTextW(window, buffer.data(), length + 1);
    return FromWide(buffer.data(), static_cast<size_t>(got > 0 ? got : 0));
}

}  // namespace tabora::platform::win32
