#include "soak/ActionLog.h"

#include <unistd.h>

#include <cstdio>

namespace tabora::soak {

namespace {
constexpr size_t kRemembered = 20;
}

ActionLog::ActionLog(uint64_t seed, std::chrono::seconds limit, std::function<void()> onHang)
    : seed_(seed), limit_(limit), onHang_(std::move(onHang)), watchdog_([this] { Watch(); }) {}

ActionLog::~ActionLog() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    watchdog_.join();
}

void ActionLog::Begin(std::string description) {
    std::lock_guard lock(mutex_);
    ++count_;
    recent_.push_back("#" + std::to_string(count_) + " " + std::move(description));
    if (recent_.size() > kRemembered) recent_.pop_front();
    started_ = std::chrono::steady_clock::now();
    running_ = true;
    wake_.notify_all();
}

void ActionLog::Idle() {
    std::lock_guard lock(mutex_);
    running_ = false;
}

uint64_t ActionLog::Count() const {
    std::lock_guard lock(mutex_);
    return count_;
}

std::string ActionLog::Recent() const {
    std::lock_guard lock(mutex_);
    std::string text = "seed " + std::to_string(seed_) + "; last actions:\n";
    for (const std::string& action : recent_) text += "  " + action + "\n";
    return text;
}

void ActionLog::Watch() {
    std::unique_lock lock(mutex_);
    while (!stop_) {
        if (!running_) {
            wake_.wait(lock);
            continue;
        }
        const auto deadline = started_ + limit_;
        const uint64_t action = count_;
        if (wake_.wait_until(lock, deadline) != std::cv_status::timeout || !running_ || count_ != action) continue;
        lock.unlock();
        const std::string report = Recent();
        std::fprintf(stderr, "SOAK FAULT: action #%llu took longer than %lld s\n%s", static_cast<unsigned long long>(action),
                     static_cast<long long>(limit_.count()), report.c_str());
        std::fflush(stderr);
        onHang_();
        _exit(3);
    }
}

}  // namespace tabora::soak
