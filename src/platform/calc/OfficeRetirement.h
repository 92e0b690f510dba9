#pragma once
// Ends the offices the tool has let go of (a shown one whose last workbook was closed) once the
// tool is quiet: an office's shutdown takes a processor for a moment, and the load that replaced
// it, a few milliseconds later, needs it more.

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace tabora::calc {

class OfficeRetirement {
public:
    OfficeRetirement();
    // Ends every office still waiting, at once.
    ~OfficeRetirement();
    OfficeRetirement(const OfficeRetirement&) = delete;
    OfficeRetirement& operator=(const OfficeRetirement&) = delete;

    // `end` ends one office; it runs on a thread of the retirement's own.
    void Retire(std::function<void()> end);

private:
    using Clock = std::chrono::steady_clock;
    void Run();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::pair<Clock::time_point, std::function<void()>>> waiting_;
    bool stopping_ = false;
    std::thread worker_;
};

}  // namespace tabora::calc
