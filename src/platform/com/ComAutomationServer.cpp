#include "platform/com/ComAutomationServer.h"

#include <objbase.h>

#include "platform/com/Bstr.h"
#include "platform/com/ComError.h"

namespace tabora::com {

ComAutomationServer::ComAutomationServer(std::u16string progId) : progId_(std::move(progId)) {}

ObjectRef ComAutomationServer::CreateApplication() { return Create(); }

std::shared_ptr<DispatchObject> ComAutomationServer::Create() {
    CLSID clsid{};
    ThrowIfFailed(CLSIDFromProgID(AsWide(progId_), &clsid));
    ComPtr<IDispatch> application;
    ThrowIfFailed(CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IDispatch,
                                   reinterpret_cast<void**>(application.Receive())));
    return std::make_shared<DispatchObject>(std::move(application));
}

ObjectRef ComAutomationServer::GlobalApplication() {
    if (global_ && !global_->ServerAlive()) global_.reset();
    if (!global_) global_ = Create();
    return global_;
}

}  // namespace tabora::com
