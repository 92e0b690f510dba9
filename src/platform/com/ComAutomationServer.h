#pragma once
// The automation server on Windows: Excel (or whatever class the ProgID names) over COM.

#include <string>

#include "excel/AutomationServer.h"

namespace tabora::com {

class ComAutomationServer : public AutomationServer {
public:
    explicit ComAutomationServer(std::u16string progId = u"Excel.Application");

    // A new server process each time (CoCreateInstance of the registered class, never the
    // running object). A class that is not registered, as with no Excel installed, raises its
    // HRESULT as the error number.
    ObjectRef CreateApplication() override;
    ObjectRef GlobalApplication() override;

private:
    std::u16string progId_;
    ObjectRef global_;
};

}  // namespace tabora::com
