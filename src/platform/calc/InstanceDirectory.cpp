#include "platform/calc/InstanceDirectory.h"

#include <signal.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <system_error>
#include <thread>

#include "platform/calc/CalcError.h"
#include "platform/calc/OfficeConnection.h"
#include "platform/calc/OfficeKeeper.h"
#include "platform/calc/OfficePaths.h"
#include "platform/calc/ProcessAlive.h"

namespace tabora::calc {
namespace fs = std::filesystem;
namespace {

// The office's runtime makes the socket of a pipe named N at /tmp/OSL_PIPE_<uid>_N, with the
// mode the umask gives. Our pipes are named "tabora/<token>": their sockets lie in a folder of
// ours that nobody else can enter, so that the office can run with the user's own umask.
constexpr char kPipeFolder[] = "tabora";
constexpr char kOwnersFile[] = "office.pid";
constexpr char kKeeperFile[] = "keeper.pid";
constexpr char kShownFile[] = "shown";

std::string ReadAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

pid_t ReadPid(const fs::path& file) {
    pid_t pid = 0;
    std::ifstream(file) >> pid;
    return pid;
}

bool IsKeeper(pid_t pid) {
    return ProcessAlive(pid) &&
           ReadAll("/proc/" + std::to_string(pid) + "/comm") == std::string(kKeeperProcessName) + "\n";
}

// The pid still is the office of this folder (and not a later process that got its number).
bool IsOfficeOf(pid_t pid, const fs::path& folder) {
    if (!ProcessAlive(pid)) return false;
    std::string cmdline = ReadAll("/proc/" + std::to_string(pid) + "/cmdline");
    return cmdline.find("-env:UserInstallation=" + FileUrl(folder / "profile") + '\0') != std::string::npos;
}

// Ends an office whose keeper is gone: its whole process group, politely first.
void EndOrphanedOffice(pid_t office) {
    bool ownGroup = getpgid(office) == office;
    kill(ownGroup ? -office : office, SIGTERM);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (ProcessAlive(office) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    kill(ownGroup ? -office : office, SIGKILL);
    deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (ProcessAlive(office) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

// Makes the folder (mode 0700) unless it is there; throws unless it is this user's alone.
void MakePrivateFolder(const fs::path& folder) {
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        throw OfficeStartError(u"作業フォルダーを作成できません。");
    struct stat st {};
    // In a shared /tmp, a folder someone else made (or a link) must not be used.
    if (lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != getuid() || (st.st_mode & 077) != 0)
        throw OfficeStartError(u"作業フォルダーが安全ではありません。");
}

// How long an office left without its keeper gets to say whether it holds a document.
constexpr auto kOfficeAnswerTime = std::chrono::seconds(3);

fs::path PipeFolder() {
    return fs::path(InstanceDirectory::PipeDir()) / ("OSL_PIPE_" + std::to_string(getuid()) + "_" + kPipeFolder);
}

std::string PipeNameOf(const fs::path& folder) { return std::string(kPipeFolder) + "/" + folder.filename().string(); }

}  // namespace

std::string InstanceDirectory::IpcPipePrefix() { return "OSL_PIPE_" + std::to_string(getuid()) + "_SingleOfficeIPC_"; }

fs::path InstanceRoot() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    fs::path base = runtime != nullptr && runtime[0] == '/' && access(runtime, W_OK | X_OK) == 0 ? runtime : "/tmp";
    fs::path root = base / ("tabora-calc-" + std::to_string(getuid()));
    MakePrivateFolder(root);
    return root;
}

std::string RandomToken() {
    unsigned char bytes[16];
    size_t got = 0;
    while (got < sizeof bytes) {
        ssize_t n = getrandom(bytes + got, sizeof bytes - got, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) throw OfficeStartError(u"乱数を取得できません。");
        got += static_cast<size_t>(n);
    }
    static constexpr char kHex[] = "0123456789abcdef";
    std::string token;
    for (unsigned char b : bytes) {
        token += kHex[b >> 4];
        token += kHex[b & 15];
    }
    return token;
}

InstanceDirectory InstanceDirectory::Create() {
    InstanceDirectory d;
    d.token = RandomToken();
    d.dir = InstanceRoot() / d.token;
    if (mkdir(d.dir.c_str(), 0700) != 0) throw OfficeStartError(u"作業フォルダーを作成できません。");
    d.profile = d.dir / "profile";
    d.tempDir = d.dir / "tmp";
    if (mkdir(d.tempDir.c_str(), 0700) != 0) throw OfficeStartError(u"作業フォルダーを作成できません。");
    d.documentList = d.dir / "documents";
    MakePrivateFolder(PipeFolder());
    d.pipeName = PipeNameOf(d.dir);
    d.pipePath = PipeFolder() / d.token;
    return d;
}

void InstanceDirectory::RecordOwners(pid_t office, pid_t keeper) const {
    std::ofstream(dir / kKeeperFile) << keeper << '\n';
    std::ofstream(dir / kOwnersFile) << office << '\n';
}

void InstanceDirectory::RecordShown(bool shown) const {
    std::error_code ec;
    if (shown)
        std::ofstream(dir / kShownFile) << "1\n";
    else
        fs::remove(dir / kShownFile, ec);
}

void InstanceDirectory::RecordDocument(const std::string& path) const {
    std::ofstream(documentList, std::ios::app) << path << '\n';
}

void SweepStaleInstances() {
    fs::path root;
    try {
        root = InstanceRoot();
    } catch (const RuntimeError&) {
        return;
    }
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(root, ec)) {
        if (!entry.is_directory(ec)) continue;
        const fs::path& folder = entry.path();
        pid_t office = ReadPid(folder / kOwnersFile);
        if (office == 0) {
            // Never started: stale once it is older than any start could take.
            auto age = fs::file_time_type::clock::now() - fs::last_write_time(folder, ec);
            if (ec || age < std::chrono::minutes(10)) continue;
        } else {
            // A live keeper looks after its office and cleans up itself. A folder without a
            // keeper's pid is of a tool that never told: left alone while its office runs.
            pid_t keeper = ReadPid(folder / kKeeperFile);
            if (keeper == 0 ? ProcessAlive(office) : IsKeeper(keeper)) continue;
            if (IsOfficeOf(office, folder)) {
                // The user's office, unless it says it holds no document: then it has no window
                // either, whatever the folder says (a tool killed in the moment it let go of it).
                if (fs::exists(folder / kShownFile, ec) &&
                    OfficeHoldsDocument(PipeNameOf(folder), kOfficeAnswerTime).value_or(true))
                    continue;
                EndOrphanedOffice(office);
                if (ProcessAlive(office)) continue;
            }
        }
        std::string token = folder.filename().string();
        RemoveOwnLockFiles((folder / "documents").c_str(), token.c_str());
        fs::remove(PipeFolder() / token, ec);
        fs::remove_all(folder, ec);
    }
    RemoveDeadPipes(InstanceDirectory::PipeDir().c_str(), InstanceDirectory::IpcPipePrefix().c_str());
    RemoveDeadPipes(PipeFolder().c_str(), "");
}

}  // namespace tabora::calc
