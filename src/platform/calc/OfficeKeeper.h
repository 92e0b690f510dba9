#pragma once
// The keeper: a small process between the tool and the office it starts.
//
// It exists so that an office the user never saw ends with the tool, even when the tool is killed,
// while an office the user was shown outlives it. It starts the office, ends it when the tool goes
// away (unless told the office belongs to the user now), and cleans up after the office: the lock
// files it left beside documents, and the instance folder with the private profile.
//
// It runs in a forked child of a process that may have many threads, so it uses system calls only.

#include <sys/types.h>

#include <cstddef>

namespace tabora::calc {

// Commands from the tool, one byte each, on the control pipe.
inline constexpr char kKeeperDetach = 'D';  // the office is the user's now: keep it when the tool ends
inline constexpr char kKeeperAttach = 'A';  // the office is hidden again: end it with the tool
inline constexpr char kKeeperKill = 'K';    // end the office now
inline constexpr char kKeeperEndSoon = 'T'; // the office was asked to end: end it after a grace period

// The keeper's own process name and command line: not the tool's, so that ending the tool by
// name or by command line spares it.
inline constexpr char kKeeperProcessName[] = "tabora-keeper";

// Reports to the tool on the status pipe, each a KeeperReport.
inline constexpr char kReportKeeper = 'K';   // value: the keeper's process id
inline constexpr char kReportStarted = 'P';  // value: the office's process id
inline constexpr char kReportExited = 'X';   // value: the office's wait status
struct KeeperReport {
    char tag = 0;
    int value = 0;
};

// Everything the keeper needs, made before the fork: after it nothing may allocate.
struct KeeperPlan {
    const char* program = nullptr;
    char* const* argv = nullptr;
    char* const* envp = nullptr;
    const char* instanceDir = nullptr;    // removed once the office has ended
    const char* documentList = nullptr;   // paths of documents the office had open, one a line
    const char* lockMarker = nullptr;     // text that only this office's lock files contain
    const char* pipePath = nullptr;       // the office's pipe socket, left behind when it is killed
    const char* pipeDir = nullptr;        // where the office makes its pipes ("/tmp")
    const char* ipcPipePrefix = nullptr;  // its single-instance pipe: "OSL_PIPE_<uid>_SingleOfficeIPC_"
    // Where the kernel reads this process's command line from (the argument strings, and the
    // environment strings after them): the keeper writes its own name there.
    char* commandLine = nullptr;
    size_t commandLineLength = 0;
    int controlFd = -1;                   // read end of the tool's commands
    int statusFd = -1;                    // write end of the reports
    int devNullFd = -1;
};

// Removes the lock files ("dir/.~lock.name#") beside the documents listed in documentList (paths,
// one a line) whose owner line contains marker. Safe to call after a fork.
void RemoveOwnLockFiles(const char* documentList, const char* marker);

// Removes the sockets in pipeDir whose names begin with prefix and on which nobody listens. The
// office's single-instance pipe is named after a hash of its profile, and a killed office leaves
// it behind. Safe to call after a fork.
void RemoveDeadPipes(const char* pipeDir, const char* prefix);

// Forks the keeper (detached from the tool's session, reparented to init) and returns its
// intermediate child's id, which the caller reaps at once. Returns -1 when fork fails.
pid_t ForkKeeper(const KeeperPlan& plan);

}  // namespace tabora::calc
