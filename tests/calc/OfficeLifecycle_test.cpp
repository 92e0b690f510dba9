// What the tool leaves behind on the real office: after a day of loading workbooks, after a kill
// that takes the tool and its keeper together, and in the files the office saves. Every test ends
// by checking that nothing of its offices is left: process, keeper, instance folder, temporary
// folder, lock file.
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "app/mdl_All.h"
#include "excel/Cls_ExcelCreate.h"
#include "calc/CalcTestSupport.h"
#include "platform/ScopeExit.h"
#include "platform/calc/CalcServer.h"
#include "platform/calc/ProcessAlive.h"
#include "support/HeadlessForms.h"
#include "support/TestRuntime.h"

namespace tabora::calc::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using tabora::test::HeadlessForm;
using tabora::test::HeadlessFormFactory;
using tabora::test::TestRuntime;

// What one office of the test may leave: read while it runs, checked after it has gone.
struct OfficeTrace {
    pid_t office = 0;
    pid_t keeper = 0;
    fs::path folder;
};

OfficeTrace TraceOf(pid_t office) {
    OfficeTrace trace{office, 0, InstanceFolderOf(office)};
    std::ifstream(trace.folder / "keeper.pid") >> trace.keeper;
    return trace;
}

fs::path SystemTempFolder() {
    const char* tmp = std::getenv("TMPDIR");
    return tmp != nullptr && tmp[0] == '/' ? tmp : "/tmp";
}

// Nothing of these offices runs or lies about, and no lock file is left beside the documents.
void ExpectNothingLeft(const std::vector<OfficeTrace>& traces, const fs::path& documents) {
    for (const auto& trace : traces) {
        EXPECT_TRUE(GoneWithin(trace.office, 5s)) << "office " << trace.office;
        if (trace.keeper != 0) {
            EXPECT_TRUE(GoneWithin(trace.keeper, 5s)) << "keeper " << trace.keeper;
        }
        EXPECT_TRUE(RemovedWithin(trace.folder, 5s)) << trace.folder;
        std::error_code ec;
        std::string officeTemp = "lu" + std::to_string(trace.office);
        for (const auto& entry : fs::directory_iterator(SystemTempFolder(), ec))
            EXPECT_NE(entry.path().filename().string().rfind(officeTemp, 0), 0u) << entry.path();
    }
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(documents, ec))
        EXPECT_NE(entry.path().filename().string().rfind(".~lock.", 0), 0u) << entry.path();
}

// One-sheet workbooks, made by an office that is ended before the test goes on.
void MakeWorkbooks(AutomationServer& server, const std::vector<std::u16string>& paths) {
    auto maker = server.CreateApplication();
    maker->Put(u"DisplayAlerts", false);
    maker->Put(u"SheetsInNewWorkbook", int32_t{1});
    for (const auto& path : paths) {
        auto book = maker->GetObject(u"Workbooks")->Call(u"Add").AsObject();
        book->GetObject(u"Worksheets")
            ->GetObject(u"Item", {int32_t{1}})
            ->Put(u"Name", fs::path(path).stem().u16string());
        book->Call(u"SaveAs", {path});
        book->Call(u"Close");
    }
    maker->Call(u"Quit");
}

// Waits until exactly these of the offices run (the others have ended); false if they do not in time.
bool OnlyRunningWithin(const StartedOffices& offices, const std::vector<pid_t>& expected, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (offices.Running() != expected) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(50ms);
    }
    return true;
}

class NoOtherInstance : public platform::InstanceLock {
public:
    bool IsAnotherInstanceRunning() override { return false; }
};

TEST(OfficeLifecycle, WorkbooksLoadedOneAfterAnotherLeaveOnlyTheOfficeShowingTheLast) {
    TestRuntime runtime;
    TempDir folder;
    StartedOffices offices;
    auto server = offices.MakeServer();
    const std::vector<std::u16string> paths = {folder.File(u"一月.xls"), folder.File(u"二月.xls"),
                                               folder.File(u"三月.xls")};
    MakeWorkbooks(*server, paths);

    HeadlessFormFactory forms;
    NoOtherInstance lock;
    auto window = mdl_All::Main(lock, {forms, *server});
    HeadlessForm& main = *forms.Last(u"Frm_Test");
    std::vector<OfficeTrace> traces;
    for (const auto& path : paths) {
        main.List(u"Lst_Item").Drop({path});
        ASSERT_EQ(main.List(u"Lst_Item").Items(),
                  (std::vector<std::u16string>{fs::path(path).stem().u16string()}));
        traces.push_back(TraceOf(offices.All().back()));
    }
    EXPECT_TRUE(OnlyRunningWithin(offices, {traces.back().office}, 5s))
        << "an office whose workbook was closed has nothing left to show: it ends once the tool is quiet";

    main.Unload();
    window.reset();
    server.reset();
    ASSERT_TRUE(OnlyRunningWithin(offices, {traces.back().office}, 5s)) << "the user's office stays";
    EXPECT_TRUE(runtime.boxes.Shown().empty());

    kill(traces.back().office, SIGTERM);  // the user closes it
    ExpectNothingLeft(traces, folder.Path());
}

TEST(OfficeLifecycle, AKillOfToolAndKeeperEndsHiddenOfficesAtTheNextStartAndSparesShownOnes) {
    TempDir folder;
    StartedOffices offices;
    auto server = offices.MakeServer();
    const std::u16string hiddenPath = folder.File(u"hidden.xls"), shownPath = folder.File(u"shown.xls");
    MakeWorkbooks(*server, {hiddenPath, shownPath});

    auto hidden = server->CreateApplication();
    hidden->GetObject(u"Workbooks")->Call(u"Open", {hiddenPath});
    auto shown = server->CreateApplication();
    shown->GetObject(u"Workbooks")->Call(u"Open", {shownPath});
    shown->Put(u"Visible", true);
    OfficeTrace hiddenTrace = TraceOf(offices.All()[1]), shownTrace = TraceOf(offices.All()[2]);
    ASSERT_GT(hiddenTrace.keeper, 0);
    ASSERT_GT(shownTrace.keeper, 0);
    ASSERT_TRUE(fs::exists(folder.Path() / ".~lock.hidden.xls#"));
    ASSERT_TRUE(fs::exists(folder.Path() / ".~lock.shown.xls#"));

    // The tool's keepers die at once (as with a logout); the tool itself is this test, which
    // keeps its references, so that only the next start can clean up.
    kill(hiddenTrace.keeper, SIGKILL);
    kill(shownTrace.keeper, SIGKILL);
    ASSERT_TRUE(GoneWithin(hiddenTrace.keeper, 2s));
    ASSERT_TRUE(GoneWithin(shownTrace.keeper, 2s));
    ASSERT_TRUE(ProcessAlive(hiddenTrace.office));

    auto next = server->CreateApplication();
    EXPECT_TRUE(GoneWithin(hiddenTrace.office, 5s)) << "a hidden office without its keeper is of no use";
    EXPECT_FALSE(fs::exists(hiddenTrace.folder));
    EXPECT_FALSE(fs::exists(folder.Path() / ".~lock.hidden.xls#"));
    EXPECT_TRUE(ProcessAlive(shownTrace.office)) << "the user's office stays";
    EXPECT_TRUE(fs::exists(shownTrace.folder));

    // The user's office is killed in its turn: the start after that removes what it left.
    kill(shownTrace.office, SIGKILL);
    ASSERT_TRUE(GoneWithin(shownTrace.office, 2s));
    ASSERT_TRUE(fs::exists(folder.Path() / ".~lock.shown.xls#")) << "nobody is left to remove it";
    auto later = server->CreateApplication();
    EXPECT_FALSE(fs::exists(shownTrace.folder));
    EXPECT_FALSE(fs::exists(folder.Path() / ".~lock.shown.xls#"));

    // So the file opens for writing again.
    auto book = later->GetObject(u"Workbooks")->Call(u"Open", {shownPath}).AsObject();
    book->GetObject(u"ActiveSheet")->GetObject(u"Cells", {1, 1})->Put(u"Value", u"saved");
    EXPECT_NO_THROW(book->Call(u"Save"));

    // A workbook another office holds opens read-only, and saving it says so in words.
    auto other = next->GetObject(u"Workbooks")->Call(u"Open", {shownPath}).AsObject();
    ErrorRecord error = ErrorOf([&] { other->Call(u"Save"); });
    EXPECT_EQ(error.Number, 1004);
    EXPECT_NE(error.Description.find(u"読み取り専用"), std::u16string::npos) << Utf8(error.Description);

    std::vector<OfficeTrace> traces = {hiddenTrace, shownTrace, TraceOf(offices.All()[3]),
                                       TraceOf(offices.All()[4])};
    hidden.reset();
    shown.reset();
    other.reset();
    book.reset();
    next.reset();
    later.reset();
    ExpectNothingLeft(traces, folder.Path());
}

// A tool killed, keepers and all, in the moment after it let go of a shown office (its workbook
// closed by the next load): the next start ends such an office, which has no document and so no
// window, whatever its folder says; the user's workbook it leaves alone.
TEST(OfficeLifecycle, AStartAfterAKillEndsShownOfficesWithoutADocumentAndSparesTheUsersWorkbook) {
    struct Case {
        const char* name;
        bool closeWorkbook;
        bool markedShown;  // the folder still says "shown", as a tool killed in between leaves it
        bool stays;
    };
    const Case cases[] = {
        {"its workbook closed", true, false, false},
        {"its workbook closed, the folder marked shown", true, true, false},
        {"its workbook open", false, false, true},
    };
    TempDir folder;
    StartedOffices offices;
    auto server = offices.MakeServer();
    std::vector<std::u16string> paths;
    for (size_t i = 0; i < std::size(cases); ++i) paths.push_back(folder.File(u"book" + U16(std::to_string(i)) + u".xls"));
    MakeWorkbooks(*server, paths);

    std::vector<ObjectRef> apps;
    std::vector<OfficeTrace> traces;
    for (size_t i = 0; i < std::size(cases); ++i) {
        apps.push_back(server->CreateApplication());
        auto book = apps.back()->GetObject(u"Workbooks")->Call(u"Open", {paths[i]}).AsObject();
        apps.back()->Put(u"Visible", true);
        if (cases[i].closeWorkbook) book->Call(u"Close");
        traces.push_back(TraceOf(offices.All().back()));
        if (cases[i].markedShown) std::ofstream(traces.back().folder / "shown") << "1\n";
        // The tool itself is this test, which keeps its references: only the next start can act.
        kill(traces.back().keeper, SIGKILL);
        ASSERT_TRUE(GoneWithin(traces.back().keeper, 2s));
    }

    auto next = server->CreateApplication();
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].name);
        if (cases[i].stays) {
            EXPECT_TRUE(ProcessAlive(traces[i].office)) << "the user's office stays";
        } else {
            EXPECT_TRUE(GoneWithin(traces[i].office, 5s)) << "an office without a window is of no use";
        }
    }

    apps.clear();
    next.reset();
    // The user closes the office at last: without its keeper, the start after that cleans up.
    for (size_t i = 0; i < std::size(cases); ++i) {
        if (!cases[i].stays) continue;
        kill(traces[i].office, SIGTERM);
        ASSERT_TRUE(GoneWithin(traces[i].office, 10s));
    }
    server->CreateApplication();
    ExpectNothingLeft(traces, folder.Path());
}

// The user edits a shown workbook and the next load closes it: each answer to Excel's question,
// told by the file on disk and by the offices that run. Cancelled, the office with the workbook is
// the user's: not ended as a replaced office, nor with the tool, nor by the next start.
class SaveQuestionOnCalc : public ::testing::TestWithParam<int16_t> {};

TEST_P(SaveQuestionOnCalc, TheAnswerDecidesWhatTheFileHoldsAndWhichOfficeStays) {
    using namespace platform::button;
    const int16_t answer = GetParam();
    TestRuntime runtime;
    TempDir folder;
    StartedOffices offices;
    auto server = offices.MakeServer();
    const std::u16string path = folder.File(u"編集.xls");
    MakeWorkbooks(*server, {path});

    OfficeTrace trace;
    {
        Cls_ExcelCreate book(*server);
        book.MsgDisplayFlg_Prop(false);
        ASSERT_TRUE(book.FileOpen(path));
        ASSERT_TRUE(book.Show());
        trace = TraceOf(offices.All().back());
        ASSERT_TRUE(book.SetValue(1, 1, u"edited"));
        runtime.boxes.Answer(answer);
        EXPECT_EQ(book.FileClose(), answer != kCancel) << "a cancelled question fails the close";
    }
    ASSERT_EQ(runtime.boxes.Shown().size(), 1u);
    EXPECT_EQ(runtime.boxes.Shown()[0].text, u"'編集.xls' への変更を保存しますか?");
    if (answer == kCancel) {
        server.reset();  // the tool ends
        std::this_thread::sleep_for(1s);
        kill(trace.keeper, SIGKILL);  // and its keeper, for the next start to judge
        ASSERT_TRUE(GoneWithin(trace.keeper, 2s));
        server = offices.MakeServer();
        auto next = server->CreateApplication();
        EXPECT_TRUE(ProcessAlive(trace.office)) << "the user's office, with the edited workbook";
        EXPECT_TRUE(fs::exists(folder.Path() / u".~lock.編集.xls#")) << "the workbook is still open there";
    } else {
        EXPECT_TRUE(GoneWithin(trace.office, 5s)) << "nothing left to show";
    }

    auto reader = server->CreateApplication();
    reader->Put(u"DisplayAlerts", false);
    auto saved = reader->GetObject(u"Workbooks")->Call(u"Open", {path}).AsObject();
    EXPECT_EQ(saved->GetObject(u"ActiveSheet")->GetObject(u"Cells", {1, 1})->Get(u"Value"),
              answer == kYes ? Variant(u"edited") : Variant());
    saved.reset();
    reader.reset();
    if (answer == kCancel) {
        // The user closes it at last: without its keeper, the start after that cleans up.
        kill(trace.office, SIGTERM);
        ASSERT_TRUE(GoneWithin(trace.office, 10s));
        server->CreateApplication();
    }
    server.reset();
    ExpectNothingLeft({trace}, folder.Path());
}

INSTANTIATE_TEST_SUITE_P(OfficeLifecycle, SaveQuestionOnCalc,
                         ::testing::Values(platform::button::kYes, platform::button::kNo, platform::button::kCancel));

// Connects to the socket as another user: 0 refused for lack of rights, 1 connected, 2 other.
int ConnectAsNobody(const fs::path& socketPath) {
    pid_t child = fork();
    if (child == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0) _exit(2);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::string path = socketPath.string();
        path.copy(address.sun_path, sizeof address.sun_path - 1);
        int fd = socket(AF_UNIX, SOCK_STREAM, 0);
        if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) _exit(1);
        _exit(errno == EACCES ? 0 : 2);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 2;
}

TEST(OfficeLifecycle, SavedWorkbooksGetTheUsersModeAndThePipeStaysTheUsersAlone) {
    TempDir folder;
    StartedOffices offices;
    auto server = offices.MakeServer();
    mode_t before = umask(022);
    ScopeExit restore([&] { umask(before); });
    auto app = server->CreateApplication();
    OfficeTrace trace = TraceOf(offices.All().back());
    app->Put(u"DisplayAlerts", false);
    const std::u16string path = folder.File(u"shared.xls");
    app->GetObject(u"Workbooks")->Call(u"Add").AsObject()->Call(u"SaveAs", {path});
    struct stat st {};
    ASSERT_EQ(stat(fs::path(path).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u) << "a colleague reads what the user saves to a shared folder";

    fs::path pipe = fs::path("/tmp") / ("OSL_PIPE_" + std::to_string(getuid()) + "_tabora") /
                    trace.folder.filename().string();
    ASSERT_TRUE(fs::exists(fs::symlink_status(pipe))) << pipe;
    EXPECT_EQ(ConnectAsNobody(pipe), 0) << "another user cannot reach the office";

    app->Call(u"Quit");
    ExpectNothingLeft({trace}, folder.Path());
}

// Runs a command line through the shell and answers what it printed.
std::string Output(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (fgets(buffer, sizeof buffer, pipe) != nullptr) out += buffer;
        pclose(pipe);
    }
    return out;
}

TEST(OfficeLifecycle, AShownWorkbookStandsBesideThePanelNotOverIt) {
    if (!VirtualScreen::Available() || std::system("command -v xdotool >/dev/null && command -v xprop >/dev/null") != 0)
        GTEST_SKIP() << "needs Xvfb, jwm, xdotool and xprop";
    VirtualScreen screen;
    const std::string& display = screen.Display();

    TempDir folder;
    StartedOffices offices;
    auto maker = offices.MakeServer();
    const std::u16string path = folder.File(u"beside.xls");
    MakeWorkbooks(*maker, {path});
    // A panel framed the way jwm frames windows (4 px, a 27 px title bar).
    const ScreenRect panel{0, 0, 300, 600};
    CalcServerOptions options;
    options.panel = [&]() -> std::optional<PanelGeometry> { return PanelGeometry{panel, {4, 27, 292, 569}, {}, {}}; };
    auto server = MakeCalcServer(options);
    auto app = server->CreateApplication();
    pid_t office = *OfficeProcessOf(app);
    OfficeTrace trace = TraceOf(office);
    app->GetObject(u"Workbooks")->Call(u"Open", {path});
    app->Put(u"Visible", true);
    std::this_thread::sleep_for(2s);
    // The office window's frame: its client area, widened by the frame jwm puts around it.
    std::string geometry = Output("DISPLAY=" + display + " xdotool search --sync --onlyvisible --name beside getwindowgeometry --shell 2>/dev/null");
    int x = -1, width = 0;
    std::sscanf(geometry.c_str() + std::min(geometry.size(), geometry.find("X=")), "X=%d", &x);
    std::sscanf(geometry.c_str() + std::min(geometry.size(), geometry.find("WIDTH=")), "WIDTH=%d", &width);
    std::string extents = Output("DISPLAY=" + display + " xprop -id $(DISPLAY=" + display +
                                 " xdotool search --onlyvisible --name beside | head -1) _NET_FRAME_EXTENTS 2>/dev/null");
    int left = 0;
    std::sscanf(extents.c_str() + std::min(extents.size(), extents.find("= ")), "= %d", &left);
    EXPECT_GE(x - left, panel.x + panel.width) << geometry << extents;
    EXPECT_GT(width, 320) << geometry;

    app.reset();
    kill(office, SIGTERM);
    ExpectNothingLeft({trace}, folder.Path());
}

}  // namespace
}  // namespace tabora::calc::test
