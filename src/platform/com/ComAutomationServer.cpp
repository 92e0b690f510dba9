#include "platform/com/ComAutomationServer.h"

#include <objbase.h>

#include "platform/com/Bstr.h"
#include "platform/com/ComError.h"
#include "platform/com/DispatchObject.h"

namespace tabora::com {

ComAutomationServer::ComAutomationServer(std::u16string progId) : progId_(std::move(progId)) {}

ObjectRef ComAutomationServer::CreateApplication() {
    CLSID clsid{};
    ThrowIfFailed(CLSIDFromProgID(AsWide(progId_), &clsid));
    ComPtr<IDispatch> application;
    ThrowIfFailed(CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IDispatch,
                                   reinterpret_cast<void**>(application.Receive())));
    return std::make_shared<DispatchObject>(std::move(application));
}

ObjectRef ComAutomationServer::GlobalApplication() {
    if (!global_) global_ = CreateApplication();
    return global_;
}

}  // namespace tabora::com
