#pragma once
// Qt's keys as Windows virtual-key codes, and the shift state as Visual Basic passes it.

#include <QKeyEvent>
#include <cstdint>

namespace tabora::platform::qt {

inline constexpr int16_t kShiftMask = 1, kCtrlMask = 2, kAltMask = 4;

// The virtual-key code of a key press; 0 for a key Windows has no code for.
int16_t VirtualKeyOf(int qtKey, Qt::KeyboardModifiers modifiers);
inline int16_t VirtualKeyOf(const QKeyEvent& event) { return VirtualKeyOf(event.key(), event.modifiers()); }

int16_t ShiftStateOf(Qt::KeyboardModifiers modifiers);
// As Windows reports it: a Shift, Ctrl or Alt key counts itself as held (X11 reports the state
// from before the press).
int16_t ShiftStateOf(const QKeyEvent& event);

}  // namespace tabora::platform::qt
