#pragma once
// The Windows SDK as the Windows layers include it.
//
// <windows.h> defines some API names as macros for their A/W variants; two of them would rename
// the core's own members in any file that sees both (AutomationObject::GetObject,
// platform::MessageBox). Here the macros go; the Windows functions are called by their W names.

#include <windows.h>

#undef GetObject
#undef MessageBox
