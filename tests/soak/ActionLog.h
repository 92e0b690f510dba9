#pragma once
// The soak's memory of what it did: the last actions, for every report, and a watchdog that
// ends a run whose action takes too long, printing the seed and those actions first.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace tabora::soak {

class ActionLog {
public:
    // onAbort runs before a hung or crashed run ends (on the watchdog's thread, or in the crash
    // handler): it ends what the run started and removes its folders, nothing more.
    ActionLog(uint64_t seed, std::chrono::seconds limit, std::function<void()> onAbort);
    ~ActionLog();
    ActionLog(const ActionLog&) = delete;
    ActionLog& operator=(const ActionLog&) = delete;

    // An action begins (its clock starts); Idle stops the clock between actions.
    void Begin(std::string description);
    void Idle();
    uint64_t Count() const;
    // The seed and the last actions, as every report gives them.
    std::string Recent() const;
    // Prints the seed and the last actions when the process crashes (SIGSEGV, SIGBUS, SIGFPE,
    // SIGILL, SIGABRT), runs onAbort, then lets the signal end it as before.
    void ReportCrashes();
    // True once the watchdog ends the run: what the run then sees is of its own ending.
    bool Aborting() const { return aborting_; }
    // The longest action so far and how long it took.
    std::string Slowest() const;

private:
    void Watch();
    void NoteDuration();  // with the lock held

    const uint64_t seed_;
    const std::chrono::seconds limit_;
    std::function<void()> onAbort_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::string> recent_;
    uint64_t count_ = 0;
    std::chrono::steady_clock::time_point started_{};
    bool running_ = false;
    std::chrono::steady_clock::duration slowest_{};
    std::string slowestAction_;
    bool stop_ = false;
    std::atomic<bool> aborting_ = false;
    std::thread watchdog_;
};

}  // namespace tabora::soak
