#include "platform/calc/OfficeKeeper.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstring>

// Only async-signal-safe calls below this line: the parent may have held any lock at the fork.
namespace tabora::calc {
namespace {

constexpr int kPathMax = 4096;
// How long the office gets to end on SIGTERM before it is killed.
constexpr int kTermGraceMs = 1500;
// How long an office asked to terminate gets to end by itself (removing its own temporary and
// lock files) before it is sent SIGTERM.
constexpr long kEndSoonGraceMs = 3000;
// How often the keeper looks whether the office has ended, where the system cannot tell it.
constexpr int kExitPollMs = 50;

long NowMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000L + ts.tv_nsec / 1000000L;
}

void SleepMs(int ms) {
    timespec ts{ms / 1000, (ms % 1000) * 1000000L};
    while (nanosleep(&ts, &ts) != 0 && errno == EINTR) {
    }
}

size_t Length(const char* s) {
    size_t n = 0;
    while (s[n] != '\0') ++n;
    return n;
}

// Appends src to dst (capacity kPathMax); false when it does not fit.
bool Append(char* dst, size_t& used, const char* src, size_t n) {
    if (used + n + 1 > static_cast<size_t>(kPathMax)) return false;
    for (size_t i = 0; i < n; ++i) dst[used + i] = src[i];
    used += n;
    dst[used] = '\0';
    return true;
}

bool Contains(const char* hay, size_t hayLen, const char* needle) {
    size_t n = Length(needle);
    if (n == 0 || n > hayLen) return false;
    for (size_t i = 0; i + n <= hayLen; ++i) {
        size_t j = 0;
        while (j < n && hay[i + j] == needle[j]) ++j;
        if (j == n) return true;
    }
    return false;
}

struct DirEntry {
    ino64_t ino;
    off64_t off;
    unsigned short reclen;
    unsigned char type;
    char name[1];
};

// Calls visit(entry) for every entry of an open folder but "." and "..".
template <class Visit>
void ForEachEntry(int dirFd, Visit visit) {
    alignas(8) char buffer[4096];
    for (;;) {
        long got = syscall(SYS_getdents64, dirFd, buffer, sizeof buffer);
        if (got <= 0) return;
        for (long offset = 0; offset < got;) {
            auto* entry = reinterpret_cast<DirEntry*>(buffer + offset);
            offset += entry->reclen;
            const char* n = entry->name;
            if (n[0] == '.' && (n[1] == '\0' || (n[1] == '.' && n[2] == '\0'))) continue;
            visit(*entry);
        }
    }
}

void CloseAllBut(int keepA, int keepB, int keepC) {
    int keep[3] = {keepA, keepB, keepC};
    // Sort the three so that the gaps between them can be closed with close_range.
    for (int i = 0; i < 3; ++i)
        for (int j = i + 1; j < 3; ++j)
            if (keep[j] < keep[i]) {
                int t = keep[i];
                keep[i] = keep[j];
                keep[j] = t;
            }
    unsigned from = 3;
    for (int k : keep) {
        if (k < static_cast<int>(from)) continue;
        if (static_cast<unsigned>(k) > from) syscall(SYS_close_range, from, static_cast<unsigned>(k) - 1, 0);
        from = static_cast<unsigned>(k) + 1;
    }
    syscall(SYS_close_range, from, ~0U, 0);
}

// Removes one folder's contents and the folder itself, without following links.
void RemoveTree(int parentFd, const char* name, int depth) {
    if (depth > 64) return;
    for (int pass = 0; pass < 8; ++pass) {
        int dirFd = openat(parentFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (dirFd < 0) break;
        ForEachEntry(dirFd, [&](const DirEntry& entry) {
            bool isDir = entry.type == DT_DIR;
            if (entry.type == DT_UNKNOWN) {
                struct stat st;
                isDir = fstatat(dirFd, entry.name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode);
            }
            if (isDir)
                RemoveTree(dirFd, entry.name, depth + 1);
            else
                unlinkat(dirFd, entry.name, 0);
        });
        close(dirFd);
        if (unlinkat(parentFd, name, AT_REMOVEDIR) == 0 || errno != ENOTEMPTY) return;
    }
}

bool StartsWith(const char* text, const char* prefix) {
    while (*prefix != '\0')
        if (*text++ != *prefix++) return false;
    return true;
}

// True when nobody listens on the socket any more.
bool DeadSocket(const char* path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    size_t n = Length(path);
    if (n >= sizeof address.sun_path) return false;
    for (size_t i = 0; i <= n; ++i) address.sun_path[i] = path[i];
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    bool dead = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 && errno == ECONNREFUSED;
    close(fd);
    return dead;
}

}  // namespace

void RemoveOwnLockFiles(const char* documentList, const char* marker) {
    int listFd = open(documentList, O_RDONLY | O_CLOEXEC);
    if (listFd < 0) return;
    static char list[1 << 16];  // the keeper's own memory: no allocation needed
    size_t used = 0;
    for (;;) {
        ssize_t got = read(listFd, list + used, sizeof list - 1 - used);
        if (got <= 0) break;
        used += static_cast<size_t>(got);
    }
    close(listFd);
    list[used] = '\0';
    for (size_t start = 0; start < used;) {
        size_t end = start;
        while (end < used && list[end] != '\n') ++end;
        size_t slash = end;
        while (slash > start && list[slash - 1] != '/') --slash;
        if (slash > start && slash < end) {
            char lock[kPathMax];
            size_t n = 0;
            if (Append(lock, n, list + start, slash - start) && Append(lock, n, ".~lock.", 7) &&
                Append(lock, n, list + slash, end - slash) && Append(lock, n, "#", 1)) {
                int fd = open(lock, O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
                if (fd >= 0) {
                    char content[2048];
                    ssize_t got = read(fd, content, sizeof content);
                    close(fd);
                    if (got > 0 && Contains(content, static_cast<size_t>(got), marker)) unlink(lock);
                }
            }
        }
        start = end + 1;
    }
}

void RemoveDeadPipes(const char* pipeDir, const char* prefix) {
    int dirFd = open(pipeDir, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd < 0) return;
    ForEachEntry(dirFd, [&](const DirEntry& entry) {
        if (!StartsWith(entry.name, prefix)) return;
        char path[kPathMax];
        size_t used = 0;
        if (Append(path, used, pipeDir, Length(pipeDir)) && Append(path, used, "/", 1) &&
            Append(path, used, entry.name, Length(entry.name)) && DeadSocket(path))
            unlink(path);
    });
    close(dirFd);
}

namespace {

void Report(int fd, char tag, int value) {
    KeeperReport report{tag, value};
    ssize_t ignored = write(fd, &report, sizeof report);
    (void)ignored;
}

// Ends the office's whole process group: politely first, then for sure.
int EndOffice(pid_t office) {
    kill(-office, SIGTERM);
    int status = 0;
    for (int waited = 0; waited < kTermGraceMs; waited += 20) {
        if (waitpid(office, &status, WNOHANG) == office) {
            kill(-office, SIGKILL);  // anything it left in its group
            return status;
        }
        SleepMs(20);
    }
    kill(-office, SIGKILL);
    while (waitpid(office, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

// Writes the keeper's name over the command line it inherited from the tool.
void TakeOwnCommandLine(char* memory, size_t length) {
    const size_t name = Length(kKeeperProcessName);
    if (memory == nullptr || length <= name) return;
    for (size_t i = 0; i < length; ++i) memory[i] = i < name ? kKeeperProcessName[i] : '\0';
}

// Waits for the office to end, or for a command while the tool is there, or until the time
// given (-1: no limit); true when the tool sent something (or went).
bool WaitForOfficeOrTool(int controlFd, int exitFd, int timeoutMs) {
    pollfd fds[2];
    nfds_t count = 0;
    if (controlFd >= 0) fds[count++] = {controlFd, POLLIN, 0};
    // Without a descriptor for the office's end, look for it now and then.
    if (exitFd >= 0)
        fds[count++] = {exitFd, POLLIN, 0};
    else if (timeoutMs < 0 || timeoutMs > kExitPollMs)
        timeoutMs = kExitPollMs;
    return poll(fds, count, timeoutMs) > 0 && controlFd >= 0 && fds[0].revents != 0;
}

[[noreturn]] void RunKeeper(const KeeperPlan& plan) {
    prctl(PR_SET_NAME, kKeeperProcessName, 0, 0, 0);
    TakeOwnCommandLine(plan.commandLine, plan.commandLineLength);
    signal(SIGPIPE, SIG_IGN);
    signal(SIGHUP, SIG_IGN);
    signal(SIGINT, SIG_IGN);
    dup2(plan.devNullFd, 0);
    dup2(plan.devNullFd, 1);
    dup2(plan.devNullFd, 2);
    CloseAllBut(plan.controlFd, plan.statusFd, plan.devNullFd);

    pid_t office = fork();
    if (office < 0) _exit(1);
    if (office == 0) {
        setpgid(0, 0);
        close(plan.controlFd);
        close(plan.statusFd);
        signal(SIGPIPE, SIG_DFL);
        signal(SIGHUP, SIG_DFL);
        signal(SIGINT, SIG_DFL);
        execve(plan.program, plan.argv, plan.envp);
        _exit(127);
    }
    setpgid(office, office);
    Report(plan.statusFd, kReportKeeper, getpid());
    Report(plan.statusFd, kReportStarted, office);

    // Readable once the office has ended: the keeper sleeps until something happens.
    const int exitFd = static_cast<int>(syscall(SYS_pidfd_open, office, 0));
    bool detached = false;
    bool toolGone = false;
    long endBy = -1;  // once the office was asked to end: when its grace period is over
    int status = 0;
    for (;;) {
        if (waitpid(office, &status, WNOHANG) == office) break;
        const long now = NowMs();
        if (endBy >= 0 && now >= endBy) {
            status = EndOffice(office);
            break;
        }
        if (toolGone && endBy < 0) {
            // The user's office, with nobody left to send a command: its end is all that comes.
            while (waitpid(office, &status, 0) < 0 && errno == EINTR) {
            }
            break;
        }
        const int timeout = endBy >= 0 ? static_cast<int>(endBy - now) : -1;
        if (!WaitForOfficeOrTool(toolGone ? -1 : plan.controlFd, exitFd, timeout)) continue;
        char command = 0;
        ssize_t got = read(plan.controlFd, &command, 1);
        if (got == 1 && command == kKeeperDetach) {
            detached = true;
        } else if (got == 1 && command == kKeeperAttach) {
            detached = false;
        } else if (got == 1 && command == kKeeperEndSoon) {
            detached = false;
            endBy = NowMs() + kEndSoonGraceMs;
        } else if (got == 1 && command == kKeeperKill) {
            status = EndOffice(office);
            break;
        } else if (got == 0 || (got < 0 && errno != EINTR)) {
            toolGone = true;  // released or crashed: the same to us
            if (!detached && endBy < 0) {
                status = EndOffice(office);
                break;
            }
        }
    }
    if (exitFd >= 0) close(exitFd);
    RemoveOwnLockFiles(plan.documentList, plan.lockMarker);
    unlink(plan.pipePath);
    RemoveDeadPipes(plan.pipeDir, plan.ipcPipePrefix);
    RemoveTree(AT_FDCWD, plan.instanceDir, 0);
    Report(plan.statusFd, kReportExited, status);
    _exit(0);
}

}  // namespace

pid_t ForkKeeper(const KeeperPlan& plan) {
    pid_t intermediate = fork();
    if (intermediate != 0) return intermediate;
    // The intermediate child: a session of its own, so that the terminal's signals for the tool
    // do not reach the keeper or the office; then the keeper itself, orphaned at once.
    setsid();
    pid_t keeper = fork();
    if (keeper == 0) RunKeeper(plan);
    _exit(keeper < 0 ? 1 : 0);
}

}  // namespace tabora::calc
