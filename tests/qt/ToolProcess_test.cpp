// The tabora program as a process: one instance per user, and none left behind by a killed one.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "platform/posix/process/FlockInstanceLock.h"
#include "support/TempDir.h"

extern char** environ;

namespace tabora::test {
namespace {

using namespace std::chrono_literals;

class ToolProcess : public ::testing::Test {
protected:
    void SetUp() override { ::chmod(runtimeFolder.Path().c_str(), 0700); }
    void TearDown() override {
        for (pid_t pid : started) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
    }

    // Starts the tool on the offscreen platform, with its runtime folder (and so its lock)
    // in a folder of this test.
    pid_t Start() {
        std::vector<std::string> environment{"QT_QPA_PLATFORM=offscreen",
                                             "XDG_RUNTIME_DIR=" + runtimeFolder.Path().string()};
        for (char** variable = environ; *variable != nullptr; ++variable) {
            const std::string entry = *variable;
            if (entry.rfind("QT_QPA_PLATFORM=", 0) != 0 && entry.rfind("XDG_RUNTIME_DIR=", 0) != 0) {
                environment.push_back(entry);
            }
        }
        std::vector<char*> envp;
        for (std::string& entry : environment) envp.push_back(entry.data());
        envp.push_back(nullptr);
        std::string program = TABORA_TOOL_PATH;
        char* argv[] = {program.data(), nullptr};
        pid_t pid = -1;
        if (::posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, envp.data()) != 0) return -1;
        started.push_back(pid);
        return pid;
    }
    bool LockHeld() {
        return platform::posix::FlockInstanceLock(runtimeFolder.Path().string() + "/tabora.lock")
            .IsAnotherInstanceRunning();
    }
    // Waits until pred holds, for at most timeout.
    template <class Pred>
    static bool WaitFor(Pred pred, std::chrono::milliseconds timeout) {
        const auto end = std::chrono::steady_clock::now() + timeout;
        while (!pred()) {
            if (std::chrono::steady_clock::now() > end) return false;
            std::this_thread::sleep_for(5ms);
        }
        return true;
    }
    // The exit status once the process has ended within timeout; -1 while it still runs.
    int ExitStatusWithin(pid_t pid, std::chrono::milliseconds timeout) {
        int status = 0;
        if (!WaitFor([&] { return ::waitpid(pid, &status, WNOHANG) == pid; }, timeout)) return -1;
        std::erase(started, pid);
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

    TempDir runtimeFolder;
    std::vector<pid_t> started;
};

TEST_F(ToolProcess, ASecondStartEndsAtOnceAndAKilledFirstLeavesNoLock) {
    const pid_t first = Start();
    ASSERT_GT(first, 0);
    ASSERT_TRUE(WaitFor([&] { return LockHeld(); }, 10s)) << "the first instance runs";

    const auto before = std::chrono::steady_clock::now();
    const pid_t second = Start();
    EXPECT_EQ(ExitStatusWithin(second, 5s), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - before, 1s) << "ends at once";
    EXPECT_EQ(ExitStatusWithin(first, 0ms), -1) << "the first keeps running";

    ::kill(first, SIGKILL);
    ::waitpid(first, nullptr, 0);
    std::erase(started, first);
    EXPECT_FALSE(LockHeld());

    const pid_t third = Start();
    ASSERT_TRUE(WaitFor([&] { return LockHeld(); }, 10s)) << "a new start runs normally";
    EXPECT_EQ(ExitStatusWithin(third, 300ms), -1);
}

}  // namespace
}  // namespace tabora::test
