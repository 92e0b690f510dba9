#include "platform/calc/CalcServer.h"

#include <signal.h>

#include <cerrno>
#include <vector>

#include "platform/calc/CalcApplication.h"

namespace tabora::calc {
namespace {

class CalcServer : public AutomationServer {
public:
    ObjectRef CreateApplication() override {
        auto office = OfficeInstance::Start();
        started_.push_back(office->ProcessId());
        // Excel starts hidden with alerts on; the caller decides from there.
        return std::make_shared<CalcApplication>(std::move(office));
    }

    ObjectRef GlobalApplication() override {
        if (!global_) global_ = CreateApplication();
        return global_;
    }

    std::vector<pid_t> Running() const {
        std::vector<pid_t> running;
        for (pid_t pid : started_)
            if (kill(pid, 0) == 0 || errno == EPERM) running.push_back(pid);
        return running;
    }

private:
    ObjectRef global_;
    std::vector<pid_t> started_;
};

}  // namespace

std::unique_ptr<AutomationServer> MakeCalcServer() { return std::make_unique<CalcServer>(); }

std::optional<pid_t> OfficeProcessOf(const ObjectRef& application) {
    auto* calc = dynamic_cast<CalcObject*>(application.get());
    if (calc == nullptr) return std::nullopt;
    return calc->Office().ProcessId();
}

std::vector<pid_t> RunningOffices(AutomationServer& server) {
    auto* calc = dynamic_cast<CalcServer*>(&server);
    return calc == nullptr ? std::vector<pid_t>() : calc->Running();
}

}  // namespace tabora::calc
