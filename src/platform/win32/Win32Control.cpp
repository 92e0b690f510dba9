#include "platform/win32/Win32Control.h"

#include "platform/RuntimeError.h"
#include "platform/win32/WideText.h"

namespace tabora::platform::win32 {

FontOwner MakeFont(const FontSpec& font, unsigned dpi) {
    const int height = -static_cast<int>(std::lround(font.points * static_cast<float>(dpi) / 72.0f));
    return FontOwner(CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, static_cast<DWORD>(font.charset),
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                 Wide(font.family)));
}

WindowOwner CreateChild(const wchar_t* windowClass, DWORD style, DWORD exStyle, const ControlSite& site,
                        const std::u16string& text) {
    HWND window = CreateWindowExW(exStyle, windowClass, Wide(text), WS_CHILD | WS_CLIPSIBLINGS | style, 0, 0, 0, 0,
                                  site.parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (window == nullptr) throw vb_error::Raise(vb_error::kOutOfMemory);
    return WindowOwner(window);
}

}  // namespace tabora::platform::win32
