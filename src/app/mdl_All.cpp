#include "app/mdl_All.h"

namespace tabora::mdl_All {

std::unique_ptr<windows::Frm_Test> Main(platform::InstanceLock& instances, windows::WindowServices services) {
    if (instances.IsAnotherInstanceRunning()) return nullptr;
    auto frmTest = std::make_unique<windows::Frm_Test>(services);
    frmTest->Show();
    return frmTest;
}

}  // namespace tabora::mdl_All
