// Instances of the Calc server live and die as Excel's do: one process each, ended with the last
// reference or the tool unless shown to the user, and a dead office is an error, not a crash.
// Calc only: these count, kill and look for office processes and their files.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "calc/CalcTestSupport.h"
#include "platform/calc/CalcServer.h"
#include "platform/calc/ProcessAlive.h"

extern char** environ;

namespace tabora::calc::test {
namespace {

using namespace std::chrono_literals;

pid_t OfficeOf(const ObjectRef& app) {
    auto pid = OfficeProcessOf(app);
    if (!pid) throw std::runtime_error("not a Calc application");
    return *pid;
}

TEST(Lifecycle, EachApplicationIsAnOfficeProcessOfItsOwn) {
    auto server = MakeCalcServer();
    auto first = server->CreateApplication();
    auto second = server->CreateApplication();
    pid_t a = OfficeOf(first), b = OfficeOf(second);
    EXPECT_NE(a, b);
    EXPECT_TRUE(ProcessAlive(a));
    EXPECT_TRUE(ProcessAlive(b));
    // Both work at once, each on its own workbook.
    first->GetObject(u"Workbooks")->Call(u"Add");
    second->GetObject(u"Workbooks")->Call(u"Add");
    first->GetObject(u"ActiveSheet")->GetObject(u"Cells", {1, 1})->Put(u"Value", u"first");
    second->GetObject(u"ActiveSheet")->GetObject(u"Cells", {1, 1})->Put(u"Value", u"second");
    EXPECT_EQ(first->GetObject(u"ActiveSheet")->GetObject(u"Cells", {1, 1})->Get(u"Value"), Variant(u"first"));
    EXPECT_EQ(second->GetObject(u"ActiveSheet")->GetObject(u"Cells", {1, 1})->Get(u"Value"), Variant(u"second"));
}

TEST(Lifecycle, AHiddenInstanceEndsWithItsLastReference) {
    auto server = MakeCalcServer();
    auto app = server->CreateApplication();
    pid_t pid = OfficeOf(app);
    auto folder = InstanceFolderOf(pid);
    ASSERT_FALSE(folder.empty());
    auto sheet = app->GetObject(u"Workbooks")->Call(u"Add").AsObject()->GetObject(u"ActiveSheet");
    app.reset();
    EXPECT_TRUE(ProcessAlive(pid)) << "a worksheet still holds the instance";
    sheet.reset();
    EXPECT_TRUE(GoneWithin(pid, 5s)) << "released means ended, without keeping the tool waiting";
    EXPECT_TRUE(RemovedWithin(folder, 5s)) << "its private profile is removed too";
}

TEST(Lifecycle, QuitEndsTheOfficeAndLaterCallsFailAsServerUnavailable) {
    auto server = MakeCalcServer();
    auto app = server->CreateApplication();
    pid_t pid = OfficeOf(app);
    app->Call(u"Quit");
    EXPECT_TRUE(GoneWithin(pid, 2s));
    ErrorRecord error = ErrorOf([&] { app->GetObject(u"Workbooks")->Call(u"Add"); });
    EXPECT_EQ(error.Number, 462);
    EXPECT_EQ(error.Source, u"LibreOffice Calc");
}

TEST(Lifecycle, AnOfficeKilledInTheMiddleOfWorkGivesAnErrorNotACrash) {
    auto server = MakeCalcServer();
    auto app = server->CreateApplication();
    pid_t pid = OfficeOf(app);
    auto sheet = app->GetObject(u"Workbooks")->Call(u"Add").AsObject()->GetObject(u"ActiveSheet");
    std::thread killer([pid] {
        std::this_thread::sleep_for(200ms);
        kill(pid, SIGKILL);
    });
    ErrorRecord error;
    auto deadline = std::chrono::steady_clock::now() + 20s;
    try {
        for (int32_t row = 1; std::chrono::steady_clock::now() < deadline; row = row % 1000 + 1)
            sheet->GetObject(u"Cells", {row, 1})->Put(u"Value", u"=ROW()*2");
    } catch (const RuntimeError& e) {
        error = e.Record();
    }
    killer.join();
    EXPECT_EQ(error.Number, 462) << Utf8(error.Description);
    EXPECT_EQ(error.Source, u"LibreOffice Calc");
    EXPECT_TRUE(GoneWithin(pid, 2s));
    // Every later call fails the same way, and releasing everything is quiet.
    EXPECT_EQ(ErrorOf([&] { sheet->Get(u"Name"); }).Number, 462);
    sheet.reset();
    app.reset();
}

TEST(Lifecycle, AShownInstanceOutlivesItsReferencesAndIsCleanedUpWhenItEnds) {
    auto server = MakeCalcServer();
    auto app = server->CreateApplication();
    pid_t pid = OfficeOf(app);
    auto folder = InstanceFolderOf(pid);
    ASSERT_FALSE(folder.empty());
    app->GetObject(u"Workbooks")->Call(u"Add");  // without a document it would have nothing to show
    app->Put(u"Visible", true);
    EXPECT_EQ(app->Get(u"Visible"), Variant(true));
    app.reset();
    server.reset();
    std::this_thread::sleep_for(300ms);
    ASSERT_TRUE(ProcessAlive(pid)) << "the user's office stays";
    kill(pid, SIGTERM);  // the user closes it
    ASSERT_TRUE(GoneWithin(pid, 5s));
    EXPECT_TRUE(RemovedWithin(folder, 5s)) << "its profile goes when it ends";
}

TEST(Lifecycle, AKilledOfficeLeavesNoLockFileThatWouldStopALaterLoad) {
    TempDir scratch;
    std::u16string path = scratch.File(u"locked.xls");
    auto server = MakeCalcServer();
    {
        auto maker = server->CreateApplication();
        maker->Put(u"SheetsInNewWorkbook", int32_t{1});
        auto book = maker->GetObject(u"Workbooks")->Call(u"Add").AsObject();
        book->Call(u"SaveAs", {path});
        maker->Call(u"Quit");
    }
    auto app = server->CreateApplication();
    pid_t pid = OfficeOf(app);
    app->GetObject(u"Workbooks")->Call(u"Open", {path});
    auto lock = scratch.Path() / ".~lock.locked.xls#";
    ASSERT_TRUE(std::filesystem::exists(lock)) << "the office locks what it opens";
    kill(pid, SIGKILL);
    ASSERT_TRUE(GoneWithin(pid, 2s));
    auto deadline = std::chrono::steady_clock::now() + 5s;
    while (std::filesystem::exists(lock) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(20ms);
    EXPECT_FALSE(std::filesystem::exists(lock)) << "its keeper removes the lock it left";
    app.reset();

    auto later = server->CreateApplication();
    auto reopened = later->GetObject(u"Workbooks")->Call(u"Open", {path}).AsObject();
    EXPECT_EQ(SheetNamesOf(reopened), (std::vector<std::u16string>{u"Sheet1"}));
}

TEST(Lifecycle, TheFileDialogAnswersFalseWhenThereIsNoOneToChoose) {
    if (std::getenv("DISPLAY") != nullptr) GTEST_SKIP() << "with a display the dialog would wait for a user";
    auto server = MakeCalcServer();
    auto global = server->GlobalApplication();
    EXPECT_EQ(global, server->GlobalApplication()) << "made once, kept";
    // Headless, the office's file picker cannot be shown: the answer is a cancel, Excel's False.
    Variant answer = global->Call(u"GetOpenFilename", {u"Excelファイル (*.xls), *.xls", Variant::Missing(), u"Excelファイル", Variant::Missing(), false});
    EXPECT_EQ(answer, Variant(false));
}

// Run only as the child of the test below: holds a hidden office, then dies without a word.
TEST(CrashingTool, HoldsAnOfficeAndIsKilled) {
    const char* pidFile = std::getenv("TABORA_CALC_CRASH_PIDFILE");
    if (pidFile == nullptr) GTEST_SKIP() << "helper of Lifecycle.AHiddenInstanceEndsWhenTheToolIsKilled";
    auto server = MakeCalcServer();
    auto app = server->CreateApplication();
    app->GetObject(u"Workbooks")->Call(u"Add");
    std::ofstream(pidFile) << OfficeOf(app) << std::endl;
    kill(getpid(), SIGKILL);
}

TEST(Lifecycle, AHiddenInstanceEndsWhenTheToolIsKilled) {
    TempDir scratch;
    std::string pidFile = (scratch.Path() / "office.pid").string();
    std::string filter = "--gtest_filter=CrashingTool.*";
    std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    std::vector<std::string> envStrings;
    for (char** e = environ; *e != nullptr; ++e) envStrings.emplace_back(*e);
    envStrings.push_back("TABORA_CALC_CRASH_PIDFILE=" + pidFile);
    std::vector<char*> env;
    for (auto& e : envStrings) env.push_back(e.data());
    env.push_back(nullptr);
    char* argv[] = {self.data(), filter.data(), nullptr};
    pid_t child = 0;
    ASSERT_EQ(posix_spawn(&child, self.c_str(), nullptr, nullptr, argv, env.data()), 0);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    pid_t office = 0;
    std::ifstream(pidFile) >> office;
    ASSERT_GT(office, 0);
    EXPECT_TRUE(GoneWithin(office, 5s));
}

}  // namespace
}  // namespace tabora::calc::test
