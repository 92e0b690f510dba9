#include "soak/ActionLog.h"

#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstring>

namespace tabora::soak {

namespace {
constexpr size_t kRemembered = 20;

// The report a crash prints, kept ready because a signal handler must not build it.
char crashReport[8192];
// What ends the run's offices; a crashed process is beyond harm, so the handler calls it.
std::function<void()>* crashCleanup = nullptr;

void OnCrash(int signal) {
    const char head[] = "SOAK FAULT: the run crashed\n";
    ssize_t ignored = write(STDERR_FILENO, head, sizeof head - 1);
    ignored = write(STDERR_FILENO, crashReport, strnlen(crashReport, sizeof crashReport));
    (void)ignored;
    ::signal(signal, SIG_DFL);
    if (crashCleanup != nullptr) (*crashCleanup)();
    raise(signal);
}
}  // namespace

void ActionLog::ReportCrashes() {
    crashCleanup = &onAbort_;
    for (int signal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT}) ::signal(signal, OnCrash);
}

ActionLog::ActionLog(uint64_t seed, std::chrono::seconds limit, std::function<void()> onAbort)
    : seed_(seed), limit_(limit), onAbort_(std::move(onAbort)), watchdog_([this] { Watch(); }) {}

ActionLog::~ActionLog() {
    crashCleanup = nullptr;
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    watchdog_.join();
}

void ActionLog::Begin(std::string description) {
    std::lock_guard lock(mutex_);
    NoteDuration();
    ++count_;
    recent_.push_back("#" + std::to_string(count_) + " " + std::move(description));
    if (recent_.size() > kRemembered) recent_.pop_front();
    started_ = std::chrono::steady_clock::now();
    running_ = true;
    std::string report = "seed " + std::to_string(seed_) + "; last actions:\n";
    for (const std::string& action : recent_) report += "  " + action + "\n";
    std::snprintf(crashReport, sizeof crashReport, "%s", report.c_str());
    wake_.notify_all();
}

void ActionLog::Idle() {
    std::lock_guard lock(mutex_);
    NoteDuration();
    running_ = false;
}

void ActionLog::NoteDuration() {
    if (!running_) return;
    const auto took = std::chrono::steady_clock::now() - started_;
    if (took <= slowest_ || recent_.empty()) return;
    slowest_ = took;
    slowestAction_ = recent_.back();
}

std::string ActionLog::Slowest() const {
    std::lock_guard lock(mutex_);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(slowest_).count();
    return slowestAction_ + " (" + std::to_string(ms) + " ms)";
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
        aborting_ = true;
        lock.unlock();
        const std::string report = Recent();
        std::fprintf(stderr, "SOAK FAULT: action #%llu took longer than %lld s\n%s", static_cast<unsigned long long>(action),
                     static_cast<long long>(limit_.count()), report.c_str());
        std::fflush(stderr);
        onAbort_();
        _exit(3);
    }
}

}  // namespace tabora::soak
