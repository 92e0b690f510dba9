#pragma once
// A spare office: one hidden instance started and connected ahead of need, while the tool is
// idle, so that the next new application instance takes it at once instead of waiting for an
// office to start. A spare is a hidden instance like any other: its keeper ends it with the tool.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tabora::calc {

class OfficeInstance;

class SpareOffice {
public:
    // ready: told on the worker thread each time a spare is ready; may be empty. environment:
    // what OfficeInstance::Start is given for each spare.
    SpareOffice(std::function<void()> ready, std::vector<std::string> environment);
    // Ends the spare (and waits for one being started).
    ~SpareOffice();
    SpareOffice(const SpareOffice&) = delete;
    SpareOffice& operator=(const SpareOffice&) = delete;

    // The spare, when one is ready and still running (waiting for one being started); null
    // otherwise. Another is started once the tool is idle again.
    std::shared_ptr<OfficeInstance> Take();
    // Starts a spare in the background as soon as the tool is idle.
    void Prepare();

private:
    void Run();
    bool Idle(std::chrono::steady_clock::time_point now) const;

    std::function<void()> readyHook_;
    const std::vector<std::string> environment_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::shared_ptr<OfficeInstance> ready_;
    std::chrono::steady_clock::time_point lastUse_;
    bool wanted_ = false;
    bool starting_ = false;
    bool stopping_ = false;
    std::thread worker_;
};

}  // namespace tabora::calc
