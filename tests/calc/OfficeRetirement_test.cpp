// An office let go of while it waits to be ended, on the real office, when the tool is killed in
// that moment. The tool is a child process of the test, forked before anything of the office
// runs here, and killed by it.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "calc/CalcTestSupport.h"
#include "platform/calc/CalcServer.h"

namespace tabora::calc::test {
namespace {

using namespace std::chrono_literals;

// In the child: a tool that shows an office with nothing open, lets go of it, tells the parent the
// office's process id and waits to be killed.
[[noreturn]] void ToolThatLetsGoOfAShownOffice(int report) {
    pid_t office = 0;
    try {
        auto server = MakeCalcServer();
        ObjectRef app = server->CreateApplication();
        office = OfficeProcessOf(app).value_or(0);
        app->Put(u"Visible", true);
        app.reset();
        (void)!write(report, &office, sizeof office);
        for (;;) pause();
    } catch (...) {
        (void)!write(report, &office, sizeof office);
        _exit(1);
    }
}

TEST(OfficeRetirement, AnOfficeWaitingToEndEndsWhenTheToolIsKilled) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    pid_t tool = fork();
    ASSERT_GE(tool, 0);
    if (tool == 0) {
        close(fds[0]);
        ToolThatLetsGoOfAShownOffice(fds[1]);
    }
    close(fds[1]);
    pid_t office = 0;
    const bool reported = read(fds[0], &office, sizeof office) == static_cast<ssize_t>(sizeof office);
    close(fds[0]);
    const auto folder = office > 0 ? InstanceFolderOf(office) : std::filesystem::path();
    kill(tool, SIGKILL);
    waitpid(tool, nullptr, 0);
    ASSERT_TRUE(reported && office > 0) << "the tool could not start its office";

    EXPECT_TRUE(GoneWithin(office, 10s)) << "an office nobody can see or end outlives the tool";
    EXPECT_TRUE(RemovedWithin(folder, 5s)) << folder;
}

}  // namespace
}  // namespace tabora::calc::test
