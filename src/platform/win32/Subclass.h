#pragma once
// A window's messages seen before its own window procedure, for the life of this object.
// The handler answers a message by returning a result, or lets it through with nothing.

#include <functional>
#include <optional>

#include "platform/com/WindowsSdk.h"

namespace tabora::platform::win32 {

class Subclass {
public:
    using Handler = std::function<std::optional<LRESULT>(UINT message, WPARAM wParam, LPARAM lParam)>;

    Subclass(HWND window, Handler handler);
    ~Subclass();
    Subclass(const Subclass&) = delete;
    Subclass& operator=(const Subclass&) = delete;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR self);
    HWND window_;
    Handler handler_;
};

}  // namespace tabora::platform::win32
