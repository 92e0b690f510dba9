#pragma once
// The automation server on Windows: Excel (or whatever class the ProgID names) over COM.

#include <memory>
#include <string>

#include "excel/AutomationServer.h"
#include "platform/com/DispatchObject.h"

namespace tabora::com {

class ComAutomationServer : public AutomationServer {
public:
    explicit ComAutomationServer(std::u16string progId = u"Excel.Application");

    // A new server process each time (CoCreateInstance of the registered class, never the
    // running object). A class that is not registered, as with no Excel installed, raises 429.
    ObjectRef CreateApplication() override;
    // Made on first use and kept while its server lives: one that has died (its hidden Excel
    // ended from the Task Manager) is made again.
    ObjectRef GlobalApplication() override;

private:
    std::shared_ptr<DispatchObject> Create();

    std::u16string progId_;
    std::shared_ptr<DispatchObject> global_;
};

}  // namespace tabora::com
