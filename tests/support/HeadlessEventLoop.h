#pragma once
// An event loop for tests: counts the yields and runs whatever a test, or another thread, queued
// for the next one, so that tests can make window events arrive "during" a yield, as they do on a
// real desktop.

#include <functional>
#include <mutex>
#include <vector>

#include "platform/EventLoop.h"

namespace tabora::test {

class HeadlessEventLoop : public platform::EventLoop {
public:
    void DoEvents() override {
        ++yields_;
        std::vector<std::function<void()>> pending;
        {
            const std::lock_guard lock(mutex_);
            pending.swap(pending_);
        }
        for (auto& task : pending) task();
    }
    // Runs task at the next yield; from any thread.
    void Post(std::function<void()> task) {
        const std::lock_guard lock(mutex_);
        pending_.push_back(std::move(task));
    }
    int Yields() const { return yields_; }

private:
    int yields_ = 0;
    std::mutex mutex_;
    std::vector<std::function<void()>> pending_;
};

}  // namespace tabora::test
