#include "platform/posix/process/FlockInstanceLock.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

namespace tabora::platform::posix {
namespace {

class FlockInstanceLockTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "tabora-lock-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        lockFile_ = (folder_ / "tabora.lock").string();
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    // A process that takes the lock, reports through a pipe, and waits to be killed.
    pid_t StartHolder() {
        int ready[2];
        if (::pipe(ready) != 0) return -1;
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(ready[0]);
            FlockInstanceLock lock(lockFile_);
            const char answer = lock.IsAnotherInstanceRunning() ? 'y' : 'n';
            if (::write(ready[1], &answer, 1) != 1) ::_exit(2);
            for (;;) ::pause();
        }
        ::close(ready[1]);
        char answer = 0;
        const bool reported = ::read(ready[0], &answer, 1) == 1;
        ::close(ready[0]);
        return reported && answer == 'n' ? child : -1;
    }

    std::filesystem::path folder_;
    std::string lockFile_;
};

TEST_F(FlockInstanceLockTest, OnlyTheFirstInstanceRunsUntilItEnds) {
    auto first = std::make_optional<FlockInstanceLock>(lockFile_);
    EXPECT_FALSE(first->IsAnotherInstanceRunning());
    EXPECT_FALSE(first->IsAnotherInstanceRunning()) << "asking again does not find itself";
    FlockInstanceLock second(lockFile_);
    EXPECT_TRUE(second.IsAnotherInstanceRunning());
    first.reset();
    FlockInstanceLock third(lockFile_);
    EXPECT_FALSE(third.IsAnotherInstanceRunning());
}

TEST_F(FlockInstanceLockTest, AKilledInstanceLeavesNoStaleLock) {
    const pid_t holder = StartHolder();
    ASSERT_GT(holder, 0);
    EXPECT_TRUE(FlockInstanceLock(lockFile_).IsAnotherInstanceRunning());
    ::kill(holder, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(holder, &status, 0), holder);
    EXPECT_FALSE(FlockInstanceLock(lockFile_).IsAnotherInstanceRunning());
}

TEST_F(FlockInstanceLockTest, AProgramStartedByTheInstanceDoesNotKeepTheLock) {
    // The started program outlives its parent; it comes back to this process to be reaped.
    ASSERT_EQ(::prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
    int reported[2];
    ASSERT_EQ(::pipe(reported), 0);
    const pid_t instance = ::fork();
    if (instance == 0) {
        // The instance starts a long-running program (as it starts an office) and ends.
        ::close(reported[0]);
        FlockInstanceLock lock(lockFile_);
        if (lock.IsAnotherInstanceRunning()) ::_exit(2);
        int execed[2];  // closed by the exec: the end of the window in which fork shares the lock
        if (::pipe2(execed, O_CLOEXEC) != 0) ::_exit(2);
        const pid_t office = ::fork();
        if (office == 0) {
            ::execl("/bin/sleep", "sleep", "30", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(execed[1]);
        char none;
        while (::read(execed[0], &none, 1) > 0) {
        }
        if (::write(reported[1], &office, sizeof office) != sizeof office) ::_exit(2);
        ::_exit(0);
    }
    ::close(reported[1]);
    pid_t office = -1;
    const bool gotOffice = ::read(reported[0], &office, sizeof office) == sizeof office;
    ::close(reported[0]);
    int status = 0;
    ASSERT_EQ(::waitpid(instance, &status, 0), instance);
    ASSERT_TRUE(gotOffice);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    EXPECT_EQ(::kill(office, 0), 0) << "the started program still runs";
    EXPECT_FALSE(FlockInstanceLock(lockFile_).IsAnotherInstanceRunning());
    ::kill(office, SIGKILL);
    ::waitpid(office, &status, 0);
    ::prctl(PR_SET_CHILD_SUBREAPER, 0);
}

TEST_F(FlockInstanceLockTest, WithoutAUsableLockFileTheProgramRuns) {
    EXPECT_FALSE(FlockInstanceLock("").IsAnotherInstanceRunning());
    EXPECT_FALSE(
        FlockInstanceLock((folder_ / "missing" / "tabora.lock").string()).IsAnotherInstanceRunning());
}

TEST_F(FlockInstanceLockTest, TheLockFileIsNotFollowedThroughALink) {
    const std::filesystem::path target = folder_ / "elsewhere";
    std::filesystem::create_symlink(target, lockFile_);
    EXPECT_FALSE(FlockInstanceLock(lockFile_).IsAnotherInstanceRunning());
    EXPECT_FALSE(std::filesystem::exists(target)) << "no file was created through the link";
}

class DefaultLockFileTest : public FlockInstanceLockTest {
protected:
    void SetUp() override {
        FlockInstanceLockTest::SetUp();
        if (const char* runtime = std::getenv("XDG_RUNTIME_DIR")) saved_ = runtime;
    }
    void TearDown() override {
        if (saved_) {
            ::setenv("XDG_RUNTIME_DIR", saved_->c_str(), 1);
        } else {
            ::unsetenv("XDG_RUNTIME_DIR");
        }
        FlockInstanceLockTest::TearDown();
    }
    static std::string UserTmpLock() { return "/tmp/tabora-" + std::to_string(::getuid()) + "/tabora.lock"; }

    std::optional<std::string> saved_;
};

TEST_F(DefaultLockFileTest, LivesInTheUsersRuntimeFolder) {
    ::chmod(folder_.c_str(), 0700);
    ::setenv("XDG_RUNTIME_DIR", folder_.c_str(), 1);
    EXPECT_EQ(DefaultInstanceLockFile(), lockFile_);
}

TEST_F(DefaultLockFileTest, FallsBackToAPrivateTmpFolderWithoutAUsableRuntimeFolder) {
    ::unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(DefaultInstanceLockFile(), UserTmpLock());
    struct stat info {};
    ASSERT_EQ(::stat(("/tmp/tabora-" + std::to_string(::getuid())).c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);

    ::chmod(folder_.c_str(), 0777);  // writable by everyone: not the user's own
    ::setenv("XDG_RUNTIME_DIR", folder_.c_str(), 1);
    EXPECT_EQ(DefaultInstanceLockFile(), UserTmpLock());
}

}  // namespace
}  // namespace tabora::platform::posix
