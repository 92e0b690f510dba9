#include "desktop/linux/UnavailableAutomationServer.h"

#include "platform/RuntimeError.h"

namespace tabora::desktop {

namespace {
RuntimeError CannotCreateObject() { return vb_error::Raise(vb_error::kCannotCreateObject); }
}  // namespace

ObjectRef UnavailableAutomationServer::CreateApplication() { throw CannotCreateObject(); }
ObjectRef UnavailableAutomationServer::GlobalApplication() { throw CannotCreateObject(); }

}  // namespace tabora::desktop
