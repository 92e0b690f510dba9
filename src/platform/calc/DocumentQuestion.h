#pragma once
// A question the server asks the user about one of its documents, as Excel asks it: in front of
// the workbook's window.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/calc/WindowPlacement.h"

namespace tabora::calc {

struct DocumentQuestion {
    int32_t style = 0;
    std::u16string text;
    std::u16string title;
    std::optional<ScreenRect> window;  // the document's window on screen, while it is shown
    uint64_t nativeWindow = 0;         // its X11 window; 0 when it has none (a headless office)
};

// Asks and answers the button pressed.
using AskUser = std::function<int16_t(const DocumentQuestion&)>;

}  // namespace tabora::calc
