#include "calc/CalcTestSupport.h"

#include <signal.h>
#include <sys/wait.h>

#include <unistd.h>

#include <codecvt>
#include <cstdlib>
#include <fstream>
#include <thread>
#include <locale>

#include "platform/calc/CalcServer.h"
#include "platform/calc/ProcessAlive.h"

namespace tabora {

void PrintTo(const Variant& value, std::ostream* out) {
    *out << TypeName(value.Type());
    switch (value.Type()) {
        case VariantType::Boolean: *out << " " << (value.AsBoolean() ? "True" : "False"); break;
        case VariantType::Integer:
        case VariantType::Long:
        case VariantType::Double: *out << " " << value.ToNumber(); break;
        case VariantType::Date: *out << " " << value.AsDate().serial; break;
        case VariantType::String: *out << " \"" << calc::test::Utf8(value.AsString()) << "\""; break;
        case VariantType::Error: *out << " " << value.AsCellError().code; break;
        default: break;
    }
}

}  // namespace tabora

namespace tabora::calc::test {
namespace fs = std::filesystem;

std::u16string U16(const std::string& utf8) {
    std::wstring_convert<std::codecvt_utf8_utf16<char16_t>, char16_t> convert;
    return convert.from_bytes(utf8);
}

std::string Utf8(const std::u16string& text) {
    std::wstring_convert<std::codecvt_utf8_utf16<char16_t>, char16_t> convert;
    return convert.to_bytes(text);
}

bool GoneWithin(pid_t pid, std::chrono::milliseconds limit) {
    auto deadline = std::chrono::steady_clock::now() + limit;
    while (ProcessAlive(pid)) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

bool RemovedWithin(const fs::path& path, std::chrono::milliseconds limit) {
    auto deadline = std::chrono::steady_clock::now() + limit;
    std::error_code ec;
    while (fs::exists(fs::symlink_status(path, ec))) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

fs::path InstanceFolders() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    fs::path base = runtime != nullptr && runtime[0] == '/' ? runtime : "/tmp";
    return base / ("tabora-calc-" + std::to_string(getuid()));
}

fs::path InstanceFolderOf(pid_t office) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(InstanceFolders(), ec)) {
        pid_t owner = 0;
        std::ifstream(entry.path() / "office.pid") >> owner;
        if (owner == office) return entry.path();
    }
    return {};
}

ChildTool ForkTool(const std::function<void(const std::function<void(pid_t)>& report)>& tool) {
    int fds[2];
    if (pipe(fds) != 0) return {};
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        bool reported = false;
        const auto report = [&](pid_t office) {
            reported = write(fds[1], &office, sizeof office) == static_cast<ssize_t>(sizeof office);
        };
        try {
            tool(report);
        } catch (...) {
        }
        if (!reported) report(0);
        _exit(0);
    }
    close(fds[1]);
    ChildTool started{child, 0};
    if (child > 0 && read(fds[0], &started.office, sizeof started.office) != static_cast<ssize_t>(sizeof started.office))
        started.office = 0;
    close(fds[0]);
    return started;
}

std::unique_ptr<AutomationServer> StartedOffices::MakeServer() {
    CalcServerOptions options;
    options.officeStarted = [this](pid_t office) {
        std::lock_guard lock(mutex_);
        pids_.push_back(office);
    };
    return MakeCalcServer(std::move(options));
}

std::vector<pid_t> StartedOffices::All() const {
    std::lock_guard lock(mutex_);
    return pids_;
}

std::vector<pid_t> StartedOffices::Running() const {
    std::vector<pid_t> running;
    for (pid_t pid : All())
        if (ProcessAlive(pid)) running.push_back(pid);
    return running;
}

bool VirtualScreen::Available() {
    return std::system("command -v Xvfb >/dev/null && command -v jwm >/dev/null") == 0;
}

VirtualScreen::VirtualScreen() {
    int number = 90 + getpid() % 400;
    while (fs::exists("/tmp/.X11-unix/X" + std::to_string(number)) || fs::exists("/tmp/.X" + std::to_string(number) + "-lock"))
        ++number;
    display_ = ':';
    display_ += std::to_string(number);
    server_ = fork();
    if (server_ == 0) {
        execlp("Xvfb", "Xvfb", display_.c_str(), "-screen", "0", "1280x800x24", "-nolisten", "tcp", nullptr);
        _exit(127);
    }
    const fs::path socket = "/tmp/.X11-unix/X" + std::to_string(number);
    for (int i = 0; i < 100 && !fs::exists(socket); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    displayEnv_.emplace("DISPLAY", display_);
    windowManager_ = fork();
    if (windowManager_ == 0) {
        execlp("jwm", "jwm", nullptr);
        _exit(127);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(500));  // the window manager takes the screen
}

VirtualScreen::~VirtualScreen() {
    displayEnv_.reset();
    for (pid_t pid : {windowManager_, server_}) {
        if (pid <= 0) continue;
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
}

std::function<void()> SpareSignal::Hook() {
    return [this] {
        std::lock_guard lock(mutex_);
        ++ready_;
        changed_.notify_all();
    };
}

bool SpareSignal::WaitBeyond(int seen, std::chrono::milliseconds limit) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, limit, [&] { return ready_ > seen; });
}

int SpareSignal::Count() const {
    std::lock_guard lock(mutex_);
    return ready_;
}

std::unique_ptr<AutomationServer>& OfficeSuite::Server() {
    static std::unique_ptr<AutomationServer> server;
    return server;
}

ObjectRef& OfficeSuite::Application() {
    static ObjectRef application;
    return application;
}

void OfficeSuite::SetUpTestSuite() {
    Server() = MakeCalcServer();
    Application() = Server()->CreateApplication();
    Application()->Put(u"DisplayAlerts", false);
}

void OfficeSuite::TearDownTestSuite() {
    Application().reset();
    Server().reset();
}

void OfficeSuite::SetUp() { ASSERT_TRUE(Application()); }

void OfficeSuite::TearDown() {
    if (!Application()) return;
    try {
        Application()->GetObject(u"Workbooks")->Call(u"Close");
    } catch (const RuntimeError&) {
        // a test that ended its office leaves nothing to close; the next suite starts another
    }
}

ObjectRef OfficeSuite::NewWorkbook(const std::vector<std::u16string>& sheetNames) {
    return tabora::test::AddWorkbook(Application(), sheetNames);
}

}  // namespace tabora::calc::test
