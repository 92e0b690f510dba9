#pragma once
// The automation server of a system without the office: every object it is asked for fails with
// the error a Windows system without Excel gives, which the windows report as usual.

#include "excel/AutomationServer.h"

namespace tabora::desktop {

class UnavailableAutomationServer : public AutomationServer {
public:
    ObjectRef CreateApplication() override;
    ObjectRef GlobalApplication() override;
};

}  // namespace tabora::desktop
