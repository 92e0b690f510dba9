#include "platform/calc/OfficeRetirement.h"

#include "platform/calc/LoadActivity.h"

namespace tabora::calc {
namespace {

// An office is let go of just before the load that replaces it starts: it waits at least this
// long, so that the load has begun, and then until the loads have been quiet for a while (the
// new window is shown and painted after its load).
constexpr auto kSettle = std::chrono::milliseconds(200);
constexpr auto kQuiet = std::chrono::milliseconds(300);
constexpr auto kPoll = std::chrono::milliseconds(50);

void EndQuietly(const std::function<void()>& end) {
    try {
        end();
    } catch (...) {
        // an office that will not end is its keeper's to end
    }
}

}  // namespace

OfficeRetirement::OfficeRetirement() : worker_([this] { Run(); }) {}

OfficeRetirement::~OfficeRetirement() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    worker_.join();
    for (const auto& [since, end] : waiting_) EndQuietly(end);
}

void OfficeRetirement::Retire(std::function<void()> end) {
    {
        std::lock_guard lock(mutex_);
        waiting_.emplace_back(Clock::now(), std::move(end));
    }
    changed_.notify_all();
}

void OfficeRetirement::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait_for(lock, kPoll);
        if (stopping_) return;
        if (waiting_.empty() || Clock::now() - waiting_.front().first < kSettle || !LoadsQuietFor(kQuiet)) continue;
        std::function<void()> end = std::move(waiting_.front().second);
        waiting_.pop_front();
        lock.unlock();
        EndQuietly(end);
        lock.lock();
    }
}

}  // namespace tabora::calc
