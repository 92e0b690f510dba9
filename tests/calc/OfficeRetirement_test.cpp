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

TEST(OfficeRetirement, AnOfficeWaitingToEndEndsWhenTheToolIsKilled) {
    // The tool shows an office with nothing open, lets go of it and waits to be killed.
    const ChildTool tool = ForkTool([](const auto& report) {
        auto server = MakeCalcServer();
        ObjectRef app = server->CreateApplication();
        const pid_t office = OfficeProcessOf(app).value_or(0);
        app->Put(u"Visible", true);
        app.reset();
        report(office);
        for (;;) pause();
    });
    ASSERT_GT(tool.process, 0);
    const pid_t office = tool.office;
    const auto folder = office > 0 ? InstanceFolderOf(office) : std::filesystem::path();
    kill(tool.process, SIGKILL);
    waitpid(tool.process, nullptr, 0);
    ASSERT_GT(office, 0) << "the tool could not start its office";

    EXPECT_TRUE(GoneWithin(office, 10s)) << "an office nobody can see or end outlives the tool";
    EXPECT_TRUE(RemovedWithin(folder, 5s)) << folder;
}

}  // namespace
}  // namespace tabora::calc::test
