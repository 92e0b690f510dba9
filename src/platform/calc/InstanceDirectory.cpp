#include "platform/calc/InstanceDirectory.h"

#include <signal.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <system_error>

#include "platform/calc/CalcError.h"
#include "platform/calc/OfficeKeeper.h"

namespace tabora::calc {
namespace fs = std::filesystem;
namespace {

constexpr char kPipePrefix[] = "tabora-";
constexpr char kOwnersFile[] = "office.pid";

bool ProcessAlive(pid_t pid) { return pid > 0 && (kill(pid, 0) == 0 || errno == EPERM); }

fs::path OslPipePath(const std::string& name) {
    return fs::path(InstanceDirectory::PipeDir()) / ("OSL_PIPE_" + std::to_string(getuid()) + "_" + name);
}

}  // namespace

std::string InstanceDirectory::IpcPipePrefix() { return "OSL_PIPE_" + std::to_string(getuid()) + "_SingleOfficeIPC_"; }

fs::path InstanceRoot() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    fs::path base = runtime != nullptr && runtime[0] == '/' && access(runtime, W_OK | X_OK) == 0 ? runtime : "/tmp";
    fs::path root = base / ("tabora-calc-" + std::to_string(getuid()));
    if (mkdir(root.c_str(), 0700) != 0 && errno != EEXIST)
        throw OfficeStartError(u"作業フォルダーを作成できません。");
    struct stat st {};
    // In a shared /tmp, a folder someone else made (or a link) must not be used.
    if (lstat(root.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != getuid() ||
        (st.st_mode & 077) != 0)
        throw OfficeStartError(u"作業フォルダーが安全ではありません。");
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
    d.documentList = d.dir / "documents";
    d.pipeName = kPipePrefix + d.token;
    d.pipePath = OslPipePath(d.pipeName);
    return d;
}

void InstanceDirectory::RecordOwners(pid_t office) const {
    std::ofstream(dir / kOwnersFile) << office << '\n';
}

void InstanceDirectory::RecordDocument(const std::string& path) const {
    std::ofstream(documentList, std::ios::app) << path << '\n';
}

void SweepStaleInstances() {
    std::string pipeDir = InstanceDirectory::PipeDir();
    RemoveDeadPipes(pipeDir.c_str(), InstanceDirectory::IpcPipePrefix().c_str());
    std::string ownPrefix = "OSL_PIPE_" + std::to_string(getuid()) + "_" + kPipePrefix;
    RemoveDeadPipes(pipeDir.c_str(), ownPrefix.c_str());
    std::error_code ec;
    fs::path root;
    try {
        root = InstanceRoot();
    } catch (const RuntimeError&) {
        return;
    }
    for (const auto& entry : fs::directory_iterator(root, ec)) {
        if (!entry.is_directory(ec)) continue;
        pid_t office = 0;
        std::ifstream(entry.path() / kOwnersFile) >> office;
        if (office == 0) {
            // Never started: stale once it is older than any start could take.
            auto age = fs::file_time_type::clock::now() - fs::last_write_time(entry.path(), ec);
            if (ec || age < std::chrono::minutes(10)) continue;
        } else if (ProcessAlive(office)) {
            continue;
        }
        fs::remove_all(entry.path(), ec);
        fs::remove(OslPipePath(kPipePrefix + entry.path().filename().string()), ec);
    }
}

}  // namespace tabora::calc
