#include "platform/calc/CalcServer.h"

#include <signal.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/calc/CalcApplication.h"
#include "platform/calc/CalcError.h"
#include "platform/calc/InstanceDirectory.h"

namespace tabora::calc {
namespace {

class CalcServer : public AutomationServer {
public:
    ObjectRef CreateApplication() override {
        auto office = OfficeInstance::Start();
        // Excel starts hidden with alerts on; the caller decides from there.
        return std::make_shared<CalcApplication>(std::move(office));
    }

    ObjectRef GlobalApplication() override {
        if (!global_) global_ = CreateApplication();
        return global_;
    }

private:
    ObjectRef global_;
};

}  // namespace

std::unique_ptr<AutomationServer> MakeCalcServer() { return std::make_unique<CalcServer>(); }

std::optional<pid_t> OfficeProcessOf(const ObjectRef& application) {
    auto* calc = dynamic_cast<CalcObject*>(application.get());
    if (calc == nullptr) return std::nullopt;
    return calc->Office().ProcessId();
}

int RunningOfficeCount() {
    int count = 0;
    std::error_code ec;
    std::filesystem::path root;
    try {
        root = InstanceRoot();
    } catch (const RuntimeError&) {
        return 0;
    }
    for (const auto& entry : std::filesystem::directory_iterator(root, ec)) {
        pid_t pid = 0;
        std::ifstream(entry.path() / "office.pid") >> pid;
        if (pid > 0 && (kill(pid, 0) == 0 || errno == EPERM)) ++count;
    }
    return count;
}

}  // namespace tabora::calc
