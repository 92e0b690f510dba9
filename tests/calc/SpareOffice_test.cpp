// The spare office on the real office: taken by the next application, never used once dead,
// never started while a load runs, and ended with the server. Each test has a runtime folder of
// its own, so that the instance folders in it are the test's alone.
#include <signal.h>

#include <fstream>
#include <optional>
#include <thread>

#include "calc/CalcTestSupport.h"
#include "platform/calc/CalcServer.h"
#include "platform/calc/LoadActivity.h"
#include "support/ScopedEnv.h"

namespace tabora::calc::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using tabora::test::ScopedEnv;

// The offices that have an instance folder now.
std::vector<pid_t> OfficesWithFolders() {
    std::vector<pid_t> offices;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(InstanceFolders(), ec)) {
        pid_t office = 0;
        if (std::ifstream(entry.path() / "office.pid") >> office) offices.push_back(office);
    }
    return offices;
}

bool NoFolderWithin(std::chrono::milliseconds limit) {
    auto deadline = std::chrono::steady_clock::now() + limit;
    std::error_code ec;
    while (fs::directory_iterator(InstanceFolders(), ec) != fs::directory_iterator()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(50ms);
    }
    return true;
}

class SpareOffice : public ::testing::Test {
protected:
    std::unique_ptr<AutomationServer> MakeServer() {
        CalcServerOptions options;
        options.keepSpare = true;
        options.spareReady = spares.Hook();
        return MakeCalcServer(std::move(options));
    }
    // The one office running for the spare, once it is ready.
    pid_t ReadySpare(int seen = 0) {
        EXPECT_TRUE(spares.WaitBeyond(seen)) << "no spare office";
        std::vector<pid_t> offices = OfficesWithFolders();
        EXPECT_EQ(offices.size(), 1u);
        return offices.empty() ? 0 : offices.front();
    }
    static void ExpectWorks(const ObjectRef& app) {
        app->Put(u"DisplayAlerts", false);
        app->GetObject(u"Workbooks")->Call(u"Add");
        EXPECT_EQ(app->GetObject(u"Workbooks")->Get(u"Count").AsLong(), 1);
    }

    TempDir runtime;
    ScopedEnv runtimeDir{"XDG_RUNTIME_DIR", runtime.Path().string()};
    SpareSignal spares;
};

TEST_F(SpareOffice, TheNextApplicationTakesTheSpareAndTheNextSpareEndsWithTheServer) {
    auto server = MakeServer();
    const pid_t spare = ReadySpare();
    ObjectRef app = server->CreateApplication();
    EXPECT_EQ(OfficeProcessOf(app), spare);
    ExpectWorks(app);
    ASSERT_TRUE(spares.WaitBeyond(1)) << "another spare once the tool is idle again";
    std::vector<pid_t> offices = OfficesWithFolders();
    std::erase(offices, spare);
    ASSERT_EQ(offices.size(), 1u);
    const pid_t next = offices.front();

    app->Call(u"Quit");
    app.reset();
    server.reset();
    EXPECT_TRUE(GoneWithin(spare, 5s));
    EXPECT_TRUE(GoneWithin(next, 5s)) << "a spare ends with the tool";
    EXPECT_TRUE(NoFolderWithin(5s));
}

TEST_F(SpareOffice, ADeadSpareIsNotUsed) {
    auto server = MakeServer();
    const pid_t spare = ReadySpare();
    ASSERT_NE(spare, 0);
    kill(spare, SIGKILL);
    ASSERT_TRUE(GoneWithin(spare, 5s));
    ObjectRef app;
    ASSERT_NO_THROW(app = server->CreateApplication());
    EXPECT_NE(OfficeProcessOf(app), spare);
    ExpectWorks(app);

    app->Call(u"Quit");
    app.reset();
    server.reset();
    EXPECT_TRUE(NoFolderWithin(5s));
}

TEST_F(SpareOffice, NoSpareStartsWhileALoadRuns) {
    std::optional<calc::LoadInProgress> load(std::in_place);
    auto server = MakeServer();
    std::this_thread::sleep_for(2s);
    EXPECT_EQ(spares.Count(), 0);
    EXPECT_TRUE(OfficesWithFolders().empty()) << "a spare would take the processor from the load";
    load.reset();
    EXPECT_NE(ReadySpare(), 0) << "the spare starts once the load has ended";

    server.reset();
    EXPECT_TRUE(NoFolderWithin(5s));
}

}  // namespace
}  // namespace tabora::calc::test
