#pragma once
// Owners of GDI objects and icons: deleted with their owner.

#include <memory>
#include <type_traits>

#include "platform/com/WindowsSdk.h"

namespace tabora::platform::win32 {

struct GdiObjectDeleter {
    void operator()(void* object) const {
        if (object != nullptr) DeleteObject(static_cast<HGDIOBJ>(object));
    }
};
using BrushOwner = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiObjectDeleter>;
using FontOwner = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;

struct IconDeleter {
    void operator()(HICON icon) const {
        if (icon != nullptr) DestroyIcon(icon);
    }
};
using IconOwner = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

// A window destroyed with its owner (unless Windows destroyed it first with its parent).
struct WindowDeleter {
    void operator()(HWND window) const {
        if (window != nullptr && IsWindow(window)) DestroyWindow(window);
    }
};
using WindowOwner = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDeleter>;

}  // namespace tabora::platform::win32
