#include "platform/calc/ProfileTemplate.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "platform/calc/CalcError.h"
#include "platform/calc/InstanceDirectory.h"
#include "platform/calc/OfficePaths.h"

extern char** environ;

namespace tabora::calc {
namespace fs = std::filesystem;
namespace {

// Settings every instance starts with: no recovery or autosave work, no first-start hints, no
// format warnings when saving for Excel users, no question before a paste overwrites cells
// (Excel asks none).
constexpr char kSettings[] =
    R"(<item oor:path="/org.openoffice.Office.Recovery/AutoSave"><prop oor:name="Enabled" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Recovery/RecoveryInfo"><prop oor:name="Enabled" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Misc"><prop oor:name="ShowTipOfTheDay" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Misc"><prop oor:name="FirstRun" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Save/Document"><prop oor:name="WarnAlienFormat" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Save/Document"><prop oor:name="LoadReadonly" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Calc/Input"><prop oor:name="ReplaceCellsWarning" oor:op="fuse"><value>false</value></prop></item>
)";
// Named after the settings above: a change makes a new template.
constexpr char kTemplateName[] = "calc-profile-2";

fs::path TemplatePath() {
    const char* cache = std::getenv("XDG_CACHE_HOME");
    const char* home = std::getenv("HOME");
    fs::path base = cache != nullptr && cache[0] == '/' ? fs::path(cache)
                    : home != nullptr && home[0] == '/' ? fs::path(home) / ".cache"
                                                        : InstanceRoot();
    return base / "tabora" / kTemplateName;
}

// Runs the office once on the profile, without a shell; its exit status, or -1 on time-out.
int RunOnce(const fs::path& profile, bool terminateAfterInit) {
    std::vector<std::string> args = {OfficeProgram(), "-env:UserInstallation=" + FileUrl(profile), "--headless",
                                     "--norestore", "--nologo", "--nodefault"};
    if (terminateAfterInit) args.emplace_back("--terminate_after_init");
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) throw OfficeStartError(u"LibreOffice を起動できません。");
    int status = 0;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(2);
    for (;;) {
        pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) break;
        if (done < 0 && errno != EINTR) return -1;
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void AddSettings(const fs::path& profile) {
    fs::path file = profile / "user" / "registrymodifications.xcu";
    std::ifstream in(file);
    std::string xml((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto end = xml.rfind("</oor:items>");
    if (end == std::string::npos) throw OfficeStartError(u"LibreOffice のプロファイルを作成できません。");
    xml.insert(end, kSettings);
    std::ofstream(file, std::ios::trunc) << xml;
}

bool IsTemplate(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path / "user" / "registrymodifications.xcu", ec);
}

}  // namespace

fs::path EnsureProfileTemplate() {
    fs::path target = TemplatePath();
    if (IsTemplate(target)) return target;
    std::error_code ec;
    fs::create_directories(target.parent_path(), ec);
    // Built aside and renamed into place, so that two tools starting at once never see half of it.
    fs::path building = target.parent_path() / ("calc-profile.new-" + RandomToken());
    // A brand-new profile makes the office set it up and exit with 81 (its launcher would restart
    // it); the second run, told to stop after start-up, completes it.
    int first = RunOnce(building, false);
    int second = first == 81 || first == 0 ? RunOnce(building, true) : first;
    if (second != 0 || !IsTemplate(building)) {
        fs::remove_all(building, ec);
        throw OfficeStartError(u"LibreOffice のプロファイルを作成できません。");
    }
    fs::remove(building / "user" / ".lock", ec);
    AddSettings(building);
    fs::rename(building, target, ec);
    if (ec) fs::remove_all(building, ec);  // another tool was quicker: use its template
    if (!IsTemplate(target)) throw OfficeStartError(u"LibreOffice のプロファイルを作成できません。");
    return target;
}

void CopyProfileTemplate(const fs::path& target) {
    std::error_code ec;
    fs::copy(EnsureProfileTemplate(), target, fs::copy_options::recursive, ec);
    if (ec) throw OfficeStartError(u"LibreOffice のプロファイルをコピーできません。");
}

}  // namespace tabora::calc
