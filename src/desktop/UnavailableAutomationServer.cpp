#include "desktop/UnavailableAutomationServer.h"

#include "platform/RuntimeError.h"

namespace tabora::desktop {

namespace {
RuntimeError CannotCreateObject() {
    return RuntimeError(kCannotCreateObject, u"ActiveX コンポーネントはオブジェクトを作成できません。",
                        vb_error::kSource);
}
}  // namespace

ObjectRef UnavailableAutomationServer::CreateApplication() { throw CannotCreateObject(); }
ObjectRef UnavailableAutomationServer::GlobalApplication() { throw CannotCreateObject(); }

}  // namespace tabora::desktop
