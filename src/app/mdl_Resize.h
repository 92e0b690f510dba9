#pragma once
// Proportional control layout: a window hands its change of outer size down a table of
// controls, each growing by a share of its base's growth and moving with the control above or
// to the left of it.

#include <cstdint>
#include <vector>

#include "platform/Controls.h"

namespace tabora::mdl_Resize {

struct ResizeInfo {
    int32_t MinHeight = 0;
    int32_t MinWidth = 0;
    int32_t LastHeight = 0;  // outer height after the previous pass
    int32_t LastWidth = 0;
};

struct ResizeItem {
    platform::Control* Ctl = nullptr;
    platform::Control* SizeBase = nullptr;  // matched by name among the earlier records
    platform::Control* TopBase = nullptr;   // matched by identity
    platform::Control* LeftBase = nullptr;  // matched by identity
    float HeightRate = 0;
    float WidthRate = 0;
    float AddHeight = 0;
    float AddWidth = 0;
    float AddTop = 0;
    float AddLeft = 0;
};

// Records 1..lngCount of table are used (index 0 never); record 1 is the window itself. A
// failure of the platform (a size refused) ends the pass and reaches the caller. The pass
// yields to the event loop, and a size set on the window raises its Resize, which may run a
// nested pass: after each of these a table emptied meanwhile (the window unloaded) ends it.
void ResizeControls(platform::Control& frmA_Window, ResizeInfo& typA_Info, std::vector<ResizeItem>& typA_Table,
                    int32_t lngCount);

}  // namespace tabora::mdl_Resize
