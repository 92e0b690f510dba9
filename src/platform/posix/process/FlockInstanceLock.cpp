#include "platform/posix/process/FlockInstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <utility>

namespace tabora::platform::posix {

namespace {
constexpr char kLockName[] = "tabora.lock";

// A folder only this user can write to: ours, not a link, no write bits for others.
bool IsPrivateFolder(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) return false;
    return S_ISDIR(info.st_mode) && info.st_uid == ::getuid() && (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}
}  // namespace

std::string DefaultInstanceLockFile() {
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && *runtime == '/') {
        const std::string folder = runtime;
        if (IsPrivateFolder(folder)) return folder + "/" + kLockName;
    }
    const std::string folder = "/tmp/tabora-" + std::to_string(::getuid());
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return {};
    return IsPrivateFolder(folder) ? folder + "/" + kLockName : std::string();
}

FlockInstanceLock::FlockInstanceLock(std::string lockFile) : lockFile_(std::move(lockFile)) {}

FlockInstanceLock::~FlockInstanceLock() {
    if (fd_ >= 0) ::close(fd_);
}

bool FlockInstanceLock::IsAnotherInstanceRunning() {
    if (fd_ >= 0 || lockFile_.empty()) return false;
    // Close-on-exec: an office process started by this one must not inherit, and so keep,
    // the lock after this instance ends.
    const int fd = ::open(lockFile_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return false;
    int result;
    do {
        result = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result == 0) {
        fd_ = fd;
        return false;
    }
    const bool heldElsewhere = errno == EWOULDBLOCK;
    ::close(fd);
    return heldElsewhere;
}

}  // namespace tabora::platform::posix
