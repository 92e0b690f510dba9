// The keeper of an office left to the user, once the tool has gone: it sleeps until the office
// ends, and its command line is its own. The tool is a child process of the test, forked before
// anything of the office runs here.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <thread>

#include "calc/CalcTestSupport.h"
#include "platform/calc/CalcServer.h"
#include "platform/calc/ProcessAlive.h"

namespace tabora::calc::test {
namespace {

using namespace std::chrono_literals;

std::string ReadAll(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The times the process was switched out since it started, of its own accord or not.
long ContextSwitches(pid_t pid) {
    std::istringstream status(ReadAll("/proc/" + std::to_string(pid) + "/status"));
    long total = 0;
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("voluntary_ctxt_switches:") || line.starts_with("nonvoluntary_ctxt_switches:"))
            total += std::stol(line.substr(line.find(':') + 1));
    }
    return total;
}

TEST(OfficeKeeper, TheKeeperOfTheUsersOfficeSleepsUntilItEndsUnderACommandLineOfItsOwn) {
    // The tool shows a new workbook, and ends as a tool does when its window is closed.
    const ChildTool tool = ForkTool([](const auto& report) {
        auto server = MakeCalcServer();
        ObjectRef app = server->CreateApplication();
        const pid_t office = OfficeProcessOf(app).value_or(0);
        app->GetObject(u"Workbooks")->Call(u"Add");
        app->Put(u"Visible", true);
        app.reset();
        server.reset();
        report(office);
    });
    ASSERT_GT(tool.process, 0);
    waitpid(tool.process, nullptr, 0);
    const pid_t office = tool.office;
    ASSERT_GT(office, 0) << "the tool could not show its office";
    const auto folder = InstanceFolderOf(office);
    pid_t keeper = 0;
    std::ifstream(folder / "keeper.pid") >> keeper;
    ASSERT_TRUE(ProcessAlive(office)) << "the user's office outlives the tool";
    ASSERT_TRUE(ProcessAlive(keeper));

    const long before = ContextSwitches(keeper);
    std::this_thread::sleep_for(1s);
    EXPECT_LE(ContextSwitches(keeper) - before, 2) << "the keeper wakes while nothing happens";

    const std::string commandLine = ReadAll("/proc/" + std::to_string(keeper) + "/cmdline");
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").filename().string();
    EXPECT_TRUE(commandLine.starts_with("tabora-keeper")) << commandLine;
    EXPECT_EQ(commandLine.find(self), std::string::npos) << "a search for the tool by its command line finds the keeper";

    kill(office, SIGTERM);  // the user closes it
    EXPECT_TRUE(GoneWithin(office, 10s));
    EXPECT_TRUE(GoneWithin(keeper, 5s)) << "the keeper goes with its office";
    EXPECT_TRUE(RemovedWithin(folder, 5s)) << folder;
}

}  // namespace
}  // namespace tabora::calc::test
