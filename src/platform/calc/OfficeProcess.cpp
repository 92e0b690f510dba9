#include "platform/calc/OfficeProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>

#include <cerrno>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>

#include "platform/calc/CalcError.h"
#include "platform/calc/OfficeKeeper.h"
#include "platform/calc/OfficePaths.h"
#include "platform/calc/ProcessAlive.h"

namespace tabora::calc {
namespace {

struct Pipe {
    UniqueFd read;
    UniqueFd write;
};

Pipe MakePipe() {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) throw OfficeStartError(u"パイプを作成できません。");
    return {UniqueFd(fds[0]), UniqueFd(fds[1])};
}

// Writing to a pipe whose reader has gone must fail with EPIPE, not end the tool.
void IgnoreSigpipeOnce() {
    static const bool done = [] {
        struct sigaction current {};
        if (sigaction(SIGPIPE, nullptr, &current) == 0 && current.sa_handler == SIG_DFL)
            signal(SIGPIPE, SIG_IGN);
        return true;
    }();
    (void)done;
}

bool ReadReport(int fd, KeeperReport& report, int timeoutMs) {
    pollfd p{fd, POLLIN, 0};
    int ready;
    do ready = poll(&p, 1, timeoutMs);
    while (ready < 0 && errno == EINTR);
    if (ready <= 0) return false;
    ssize_t got;
    do got = read(fd, &report, sizeof report);
    while (got < 0 && errno == EINTR);
    return got == static_cast<ssize_t>(sizeof report);
}

// The memory the kernel shows as this process's command line: its argument strings, and the
// environment strings right after them, which it shows too once the arguments' last byte is
// overwritten. {nullptr, 0} when the system does not tell.
std::pair<char*, size_t> CommandLineMemory() {
    std::ifstream in("/proc/self/stat");
    std::string stat;
    std::getline(in, stat);
    const auto paren = stat.rfind(')');
    if (paren == std::string::npos || paren + 2 > stat.size()) return {nullptr, 0};
    std::istringstream fields(stat.substr(paren + 2));
    // Fields 48 to 51 of the line: arg_start, arg_end, env_start, env_end (from field 3 on here).
    std::string field;
    for (int i = 3; i < 48 && fields >> field; ++i) {
    }
    unsigned long argStart = 0, argEnd = 0, envStart = 0, envEnd = 0;
    if (!(fields >> argStart >> argEnd >> envStart >> envEnd) || argStart == 0 || argEnd <= argStart) return {nullptr, 0};
    const unsigned long end = envStart == argEnd && envEnd > envStart ? envEnd : argEnd;
    return {reinterpret_cast<char*>(argStart), end - argStart};
}

}  // namespace

std::unique_ptr<OfficeProcess> OfficeProcess::Start(const OfficeCommand& command) {
    IgnoreSigpipeOnce();
    Pipe control = MakePipe();
    Pipe status = MakePipe();
    UniqueFd devNull(open("/dev/null", O_RDWR | O_CLOEXEC));
    if (!devNull.Valid()) throw OfficeStartError(u"/dev/null を開けません。");

    // Everything the keeper uses is built now: after the fork it may not allocate.
    std::vector<std::string> argvStrings;
    argvStrings.push_back(command.program);
    argvStrings.insert(argvStrings.end(), command.args.begin(), command.args.end());
    std::vector<char*> argv;
    for (auto& arg : argvStrings) argv.push_back(arg.data());
    argv.push_back(nullptr);
    std::vector<std::string> envStrings = OfficeEnvironment(command.tempDir, command.environment);
    std::vector<char*> envp;
    for (auto& entry : envStrings) envp.push_back(entry.data());
    envp.push_back(nullptr);

    KeeperPlan plan;
    plan.program = command.program.c_str();
    plan.argv = argv.data();
    plan.envp = envp.data();
    plan.instanceDir = command.instanceDir.c_str();
    plan.documentList = command.documentList.c_str();
    plan.lockMarker = command.lockMarker.c_str();
    plan.pipePath = command.pipePath.c_str();
    plan.pipeDir = command.pipeDir.c_str();
    plan.ipcPipePrefix = command.ipcPipePrefix.c_str();
    std::tie(plan.commandLine, plan.commandLineLength) = CommandLineMemory();
    plan.controlFd = control.read.Get();
    plan.statusFd = status.write.Get();
    plan.devNullFd = devNull.Get();

    pid_t intermediate = ForkKeeper(plan);
    if (intermediate < 0) throw OfficeStartError(u"プロセスを作成できません。");
    int ignored = 0;
    while (waitpid(intermediate, &ignored, 0) < 0 && errno == EINTR) {
    }
    control.read.Reset();
    status.write.Reset();

    KeeperReport keeper;
    KeeperReport office;
    if (!ReadReport(status.read.Get(), keeper, 10000) || keeper.tag != kReportKeeper ||
        !ReadReport(status.read.Get(), office, 10000) || office.tag != kReportStarted)
        throw OfficeStartError(u"LibreOffice を起動できません。");
    return std::unique_ptr<OfficeProcess>(
        new OfficeProcess(office.value, keeper.value, std::move(control.write), std::move(status.read)));
}

OfficeProcess::~OfficeProcess() {
    if (!handedToUser_) Terminate();
}

bool OfficeProcess::Running() {
    if (ended_) return false;
    TakeExitReport(std::chrono::milliseconds(0));
    // The keeper reports the exit only once it has cleared the instance's files: an office that
    // has gone is not running, with its report still on the way.
    if (!ended_ && !ProcessAlive(pid_)) {
        TakeExitReport(std::chrono::seconds(5));
        ended_ = true;
    }
    return !ended_;
}

void OfficeProcess::TakeExitReport(std::chrono::milliseconds timeout) {
    while (!ended_) {
        pollfd p{status_.Get(), POLLIN, 0};
        int ready = poll(&p, 1, static_cast<int>(timeout.count()));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) return;
        KeeperReport report;
        ssize_t got = read(status_.Get(), &report, sizeof report);
        if (got < 0 && errno == EINTR) continue;
        if (got == static_cast<ssize_t>(sizeof report) && report.tag != kReportExited) continue;
        // The exit report, or the keeper gone without one: either way the office has ended.
        if (got == static_cast<ssize_t>(sizeof report) && WIFEXITED(report.value)) exitCode_ = WEXITSTATUS(report.value);
        ended_ = true;
    }
}

void OfficeProcess::Send(char command) {
    if (!control_.Valid()) return;
    ssize_t written;
    do written = write(control_.Get(), &command, 1);
    while (written < 0 && errno == EINTR);
}

void OfficeProcess::HandToUser() {
    handedToUser_ = true;
    Send(kKeeperDetach);
}

void OfficeProcess::TakeBack() {
    handedToUser_ = false;
    Send(kKeeperAttach);
}

void OfficeProcess::Terminate() {
    if (!ended_) Send(kKeeperKill);
    control_.Reset();
    TakeExitReport(std::chrono::seconds(10));
    ended_ = true;
}

void OfficeProcess::LetEnd() {
    handedToUser_ = false;
    if (!ended_) Send(kKeeperEndSoon);
    control_.Reset();
    status_.Reset();
    ended_ = true;
}

}  // namespace tabora::calc
