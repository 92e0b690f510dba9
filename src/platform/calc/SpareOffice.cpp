#include "platform/calc/SpareOffice.h"

#include "platform/RuntimeError.h"
#include "platform/calc/LoadActivity.h"
#include "platform/calc/OfficeInstance.h"

namespace tabora::calc {
namespace {

using Clock = std::chrono::steady_clock;

// How long the tool must have been quiet (no instance taken, no load running) before a spare
// starts: a new instance is followed at once by a load, which must have the processor first.
constexpr auto kQuietBeforeStart = std::chrono::milliseconds(500);
// How often an idle worker looks whether the loads have ended.
constexpr auto kIdlePoll = std::chrono::milliseconds(100);

}  // namespace

SpareOffice::SpareOffice(std::function<void()> ready, std::vector<std::string> environment)
    : readyHook_(std::move(ready)), environment_(std::move(environment)), worker_([this] { Run(); }) {}

SpareOffice::~SpareOffice() {
    std::shared_ptr<OfficeInstance> spare;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        spare = std::move(ready_);
    }
    changed_.notify_all();
    worker_.join();
    spare.reset();  // ended here, on the tool's thread, like any hidden instance released
}

bool SpareOffice::Idle(Clock::time_point now) const {
    return now - lastUse_ >= kQuietBeforeStart && LoadsQuietFor(kQuietBeforeStart);
}

void SpareOffice::Prepare() {
    {
        std::lock_guard lock(mutex_);
        wanted_ = true;
        lastUse_ = Clock::now();
    }
    changed_.notify_all();
}

std::shared_ptr<OfficeInstance> SpareOffice::Take() {
    std::shared_ptr<OfficeInstance> spare;
    {
        std::unique_lock lock(mutex_);
        lastUse_ = Clock::now();
        changed_.wait(lock, [&] { return !starting_; });
        spare = std::move(ready_);
    }
    // A spare that died meanwhile is of no use: a fresh start instead.
    if (spare && !spare->Running()) spare.reset();
    return spare;
}

void SpareOffice::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait_for(lock, kIdlePoll);
        if (stopping_) return;
        if (!wanted_ || ready_ || !Idle(Clock::now())) continue;
        starting_ = true;
        lock.unlock();
        std::shared_ptr<OfficeInstance> started;
        try {
            started = OfficeInstance::Start(environment_);
            started->WarmUp();
        } catch (...) {
            // no spare this time: the next instance starts as it would without one
        }
        bool ready = started != nullptr;
        lock.lock();
        starting_ = false;
        wanted_ = false;
        ready_ = std::move(started);
        changed_.notify_all();
        if (ready && readyHook_) {
            lock.unlock();
            readyHook_();
            lock.lock();
        }
    }
}

}  // namespace tabora::calc
