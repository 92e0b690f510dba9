#include "platform/calc/ProfileTemplate.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "platform/ScopeExit.h"
#include "platform/calc/CalcError.h"
#include "platform/calc/InstanceDirectory.h"
#include "platform/calc/OfficePaths.h"

namespace tabora::calc {
namespace fs = std::filesystem;
namespace {

// Settings every instance starts with: no recovery or autosave work, no first-start hints, no
// format warnings when saving for Excel users, no question before a paste overwrites cells
// (Excel asks none). The office's own version as the last one set up, or every start would do an
// upgrade's work again (its graphics render tests among it). No UI locale: the office speaks the
// user's language where its language pack is installed.
constexpr char kSettings[] =
    R"(<item oor:path="/org.openoffice.Office.Recovery/AutoSave"><prop oor:name="Enabled" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Recovery/RecoveryInfo"><prop oor:name="Enabled" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Misc"><prop oor:name="ShowTipOfTheDay" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Misc"><prop oor:name="FirstRun" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Save/Document"><prop oor:name="WarnAlienFormat" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Save/Document"><prop oor:name="LoadReadonly" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Calc/Input"><prop oor:name="ReplaceCellsWarning" oor:op="fuse"><value>false</value></prop></item>
)";
// Named after the settings above (a change makes a new template) and the office's build.
constexpr char kTemplatePrefix[] = "calc-profile-4-";

std::string ReadFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The office's version ("7.4"), as its own configuration states it.
std::string OfficeVersion() {
    std::string xcd = ReadFile(fs::path(TABORA_LO_PROGRAM_DIR) / ".." / "share" / "registry" / "main.xcd");
    const std::string prop = "<prop oor:name=\"ooSetupVersion\">";
    auto at = xcd.find(prop);
    auto begin = at == std::string::npos ? at : xcd.find("<value>", at);
    auto end = begin == std::string::npos ? begin : xcd.find("</value>", begin);
    if (end == std::string::npos || end - begin > 40) return {};
    return xcd.substr(begin + 7, end - begin - 7);
}

// What tells one build of the office from another: its build id, and the program itself (a
// distribution's update may keep the build id).
std::string OfficeBuildKey() {
    std::string key = ReadFile(fs::path(TABORA_LO_PROGRAM_DIR) / "versionrc");
    std::error_code ec;
    for (const char* file : {"soffice.bin", "libmergedlo.so"}) {
        fs::path path = fs::path(TABORA_LO_PROGRAM_DIR) / file;
        key += std::to_string(fs::file_size(path, ec));
        key += std::to_string(fs::last_write_time(path, ec).time_since_epoch().count());
    }
    // FNV-1a: stable across runs and builds of the tool, unlike std::hash.
    uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : key) hash = (hash ^ c) * 1099511628211ull;
    static constexpr char kHex[] = "0123456789abcdef";
    std::string hex;
    for (int shift = 60; shift >= 0; shift -= 4) hex += kHex[(hash >> shift) & 15];
    return hex;
}

fs::path TemplateFolder() {
    const char* cache = std::getenv("XDG_CACHE_HOME");
    const char* home = std::getenv("HOME");
    fs::path base = cache != nullptr && cache[0] == '/' ? fs::path(cache)
                    : home != nullptr && home[0] == '/' ? fs::path(home) / ".cache"
                                                        : InstanceRoot();
    return base / "tabora";
}

fs::path TemplatePath() {
    static const std::string name = kTemplatePrefix + OfficeBuildKey();  // the installed office's, for the process's life
    return TemplateFolder() / name;
}

// Templates of other builds of the office, or of older settings: of no use any more.
void RemoveOtherTemplates(const fs::path& current) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(current.parent_path(), ec)) {
        std::string name = entry.path().filename().string();
        if (entry.path() != current && name.rfind("calc-profile-", 0) == 0) fs::remove_all(entry.path(), ec);
    }
}

// Runs the office once on the profile, without a shell, its temporary files in a folder of its
// own that goes with it; its exit status, or -1 on time-out.
int RunOnce(const fs::path& profile, bool terminateAfterInit) {
    const fs::path temp = profile.string() + ".tmp";
    std::error_code ec;
    fs::create_directories(temp, ec);
    const ScopeExit removeTemp([&] { fs::remove_all(temp, ec); });
    std::vector<std::string> env = OfficeEnvironment(temp.string());
    std::vector<char*> envp;
    for (auto& entry : env) envp.push_back(entry.data());
    envp.push_back(nullptr);
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
    int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
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
    // The first start wrote down the language it ran in as the UI language: the user's own
    // session decides instead.
    for (auto at = xml.find(R"(oor:name="ooLocale")"); at != std::string::npos; at = xml.find(R"(oor:name="ooLocale")")) {
        auto begin = xml.rfind("<item", at);
        auto close = xml.find("</item>", at);
        if (begin == std::string::npos || close == std::string::npos) break;
        auto lineEnd = close + 7 < xml.size() && xml[close + 7] == '\n' ? close + 8 : close + 7;
        xml.erase(begin, lineEnd - begin);
    }
    end = xml.rfind("</oor:items>");
    std::string settings = kSettings;
    std::string version = OfficeVersion();
    if (!version.empty())
        settings += R"(<item oor:path="/org.openoffice.Setup/Product"><prop oor:name="ooSetupLastVersion" oor:op="fuse"><value>)" +
                    version + "</value></prop></item>\n";
    xml.insert(end, settings);
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
    RemoveOtherTemplates(target);
    if (!IsTemplate(target)) throw OfficeStartError(u"LibreOffice のプロファイルを作成できません。");
    return target;
}

void DiscardProfileTemplate() {
    std::error_code ec;
    fs::path stale = TemplatePath().parent_path() / ("calc-profile.old-" + RandomToken());
    // Renamed away first, so that a tool copying it meanwhile still gets a whole one.
    if (fs::rename(TemplatePath(), stale, ec); !ec) fs::remove_all(stale, ec);
}

void CopyProfileTemplate(const fs::path& target) {
    std::error_code ec;
    fs::copy(EnsureProfileTemplate(), target, fs::copy_options::recursive, ec);
    if (ec) throw OfficeStartError(u"LibreOffice のプロファイルをコピーできません。");
}

}  // namespace tabora::calc
