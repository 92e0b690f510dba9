#pragma once
// How the system reaches the spreadsheet application: each platform provides one server.

#include <functional>
#include <memory>

#include "excel/Automation.h"

namespace tabora {

// A watch on an application's workbooks, kept for as long as this object lives.
class SheetWatch {
public:
    virtual ~SheetWatch() = default;
};

class AutomationServer {
public:
    virtual ~AutomationServer() = default;

    // A new application instance, as creating "Excel.Application" by its class registration
    // does: never a running one. Hidden, until the caller makes it visible.
    virtual ObjectRef CreateApplication() = 0;

    // The application's global object (for its file-open dialog), made on first use and kept
    // for the program's life.
    virtual ObjectRef GlobalApplication() = 0;

    // Calls changed on the user-interface thread soon after a sheet of one of the workbooks the
    // application holds now may have been added, removed, renamed, moved, hidden or shown, by
    // anyone; a burst of changes may come as one call, and other changes may call it too.
    // Nothing where the server cannot tell: the caller then looks for itself when it can.
    virtual std::unique_ptr<SheetWatch> WatchSheets(const ObjectRef& /*application*/,
                                                    std::function<void()> /*changed*/) {
        return nullptr;
    }
};

}  // namespace tabora
