#pragma once
// What the Calc server's tests share: one office per test suite (a start costs more than most
// tests), a scratch folder, and short ways to call the automation objects.

#include <gtest/gtest.h>

#include <sys/types.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "excel/AutomationServer.h"
#include "platform/RuntimeError.h"
#include "support/AutomationCalls.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

namespace tabora {
// Readable values in failure messages.
void PrintTo(const Variant& value, std::ostream* out);
}  // namespace tabora

namespace tabora::calc::test {

using tabora::test::ErrorOf;
using tabora::test::TempDir;

std::u16string U16(const std::string& utf8);
std::string Utf8(const std::u16string& text);

// Names of every worksheet of a workbook, through the enumeration.
inline std::vector<std::u16string> SheetNamesOf(const ObjectRef& workbook) { return tabora::test::WorksheetNamesOf(workbook); }

// Waits until the process has gone; false if it still runs after the time given.
bool GoneWithin(pid_t pid, std::chrono::milliseconds limit);
// Waits until the file or folder has gone; false if it is still there after the time given.
bool RemovedWithin(const std::filesystem::path& path, std::chrono::milliseconds limit);

// The folder that holds every instance folder of this user, and the one of the office pid.
std::filesystem::path InstanceFolders();
std::filesystem::path InstanceFolderOf(pid_t office);

// A tool in a child process of the test, forked before anything of the office runs here (UNO
// does not survive a fork): `tool` runs there and calls report with its office's process id once
// it wants the test to go on; the child ends when tool returns, or is the test's to kill.
struct ChildTool {
    pid_t process = -1;
    pid_t office = 0;  // 0 when the tool failed before it reported
};
ChildTool ForkTool(const std::function<void(const std::function<void(pid_t)>& report)>& tool);

// The offices one server of the test started (others run offices on this machine meanwhile).
class StartedOffices {
public:
    std::unique_ptr<AutomationServer> MakeServer();
    std::vector<pid_t> All() const;
    std::vector<pid_t> Running() const;

private:
    mutable std::mutex mutex_;
    std::vector<pid_t> pids_;
};

// Counts the spare offices a server has made ready, so that a test can wait for the next one.
class SpareSignal {
public:
    std::function<void()> Hook();
    // Waits until more than `seen` spares have been made ready; false if none comes in time.
    bool WaitBeyond(int seen, std::chrono::milliseconds limit = std::chrono::minutes(2));
    int Count() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    int ready_ = 0;
};

// A virtual screen of its own (Xvfb, 1280x800) with a window manager (jwm), as DISPLAY for as long
// as it lives: offices started meanwhile show their windows there.
class VirtualScreen {
public:
    // Whether Xvfb and jwm are installed.
    static bool Available();
    VirtualScreen();
    ~VirtualScreen();
    VirtualScreen(const VirtualScreen&) = delete;
    VirtualScreen& operator=(const VirtualScreen&) = delete;
    const std::string& Display() const { return display_; }

private:
    std::string display_;
    pid_t server_ = -1;
    pid_t windowManager_ = -1;
    std::optional<tabora::test::ScopedEnv> displayEnv_;
};

// A suite whose tests share one hidden application; each test gets a new workbook of its own.
class OfficeSuite : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    static ObjectRef& Application();
    // A new workbook with these sheets, active, closed after the test.
    ObjectRef NewWorkbook(const std::vector<std::u16string>& sheetNames = {u"Sheet1"});
    ObjectRef ActiveSheet() { return Application()->GetObject(u"ActiveSheet"); }
    ObjectRef Cell(int32_t row, int32_t column) { return ActiveSheet()->GetObject(u"Cells", {row, column}); }

    TempDir scratch;

private:
    static std::unique_ptr<AutomationServer>& Server();
};

}  // namespace tabora::calc::test
