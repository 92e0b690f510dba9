#pragma once
// The single-instance test on POSIX: an advisory lock (flock) on a file in the user's runtime
// folder. The system releases the lock with the last descriptor of the process that holds it,
// crash or SIGKILL included, so no stale lock outlives an instance.

#include <string>

#include "platform/ProcessServices.h"

namespace tabora::platform::posix {

class FlockInstanceLock : public InstanceLock {
public:
    // lockFile: the file whose lock marks a running instance.
    explicit FlockInstanceLock(std::string lockFile);
    ~FlockInstanceLock() override;
    FlockInstanceLock(const FlockInstanceLock&) = delete;
    FlockInstanceLock& operator=(const FlockInstanceLock&) = delete;

    // Takes the lock on the first call; true only when another process holds it. When the lock
    // cannot be taken at all (no usable folder), the program runs: false.
    bool IsAnotherInstanceRunning() override;

private:
    std::string lockFile_;
    int fd_ = -1;  // open while this instance holds the lock
};

// The lock file of this program for the current user: in $XDG_RUNTIME_DIR, or else in
// /tmp/tabora-<uid>, a folder made for the user alone (and refused when someone else owns it).
// Empty when there is no such folder.
std::string DefaultInstanceLockFile();

}  // namespace tabora::platform::posix
