#pragma once
// What a form needs of each control it rendered: its windows, its colours, its place in the tab
// order, and the notifications Windows sends to the control's parent.

#include <cstdint>

#include "platform/com/WindowsSdk.h"

namespace tabora::platform::win32 {

class NativeControl {
public:
    virtual ~NativeControl() = default;

    // The control's own window (the one that takes the focus and sends notifications).
    virtual HWND Handle() const = 0;
    // The window that is placed in the container: a frame's container, the control otherwise.
    virtual HWND Outer() const { return Handle(); }
    // Windows a frame holds its controls in; nullptr for controls that hold none.
    virtual HWND Container() const { return nullptr; }

    // Places the control and sets its font for a DPI (at creation and when the DPI changes).
    virtual void ApplyDpi(unsigned dpi, HFONT formFont) = 0;

    // WM_COMMAND from the control (EN_CHANGE, LBN_SELCHANGE, BN_CLICKED, ...).
    virtual void OnCommand(WORD /*code*/) {}
    // WM_CTLCOLOR*: the brush to paint the control's background with; nullptr for the system's.
    virtual HBRUSH OnColor(HDC /*dc*/) { return nullptr; }

    // Tab navigation: whether the control takes the focus by Tab, and its place in the order.
    virtual bool IsTabStop() const { return false; }
    virtual int32_t TabIndex() const = 0;
    // Asked before the focus leaves the control for another of the same form: false keeps it
    // (a text box's Validate with Cancel).
    virtual bool AllowFocusToLeave() { return true; }
};

}  // namespace tabora::platform::win32
