#pragma once
// How the system reaches the spreadsheet application: each platform provides one server.

#include "excel/Automation.h"

namespace tabora {

class AutomationServer {
public:
    virtual ~AutomationServer() = default;

    // A new application instance, as creating "Excel.Application" by its class registration
    // does: never a running one. Hidden, until the caller makes it visible.
    virtual ObjectRef CreateApplication() = 0;

    // The application's global object (for its file-open dialog), made on first use and kept
    // for the program's life.
    virtual ObjectRef GlobalApplication() = 0;
};

}  // namespace tabora
