#pragma once
// One office process of our own, seen from the tool: started through its keeper, ended with the
// last reference unless handed to the user.

#include <sys/types.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "platform/posix/UniqueFd.h"

namespace tabora::calc {

using platform::posix::UniqueFd;

struct OfficeCommand {
    std::string program;
    std::vector<std::string> args;     // without the program itself
    std::string instanceDir;           // the keeper removes it after the office ends
    std::string documentList;          // paths of documents opened, for lock-file clean-up
    std::string lockMarker;            // text that this office's lock files contain
    std::string pipePath;              // the office's pipe socket
    std::string pipeDir;               // where the office makes its pipes
    std::string ipcPipePrefix;         // the start of its single-instance pipe's name
    std::string tempDir;               // the office's TMPDIR, inside the instance folder
    std::vector<std::string> environment;  // "NAME=value" over the tool's own
};

class OfficeProcess {
public:
    // Starts the office; throws RuntimeError when it cannot be started at all.
    static std::unique_ptr<OfficeProcess> Start(const OfficeCommand& command);

    // Ends the office unless it was handed to the user; waits until it has ended and been cleaned up.
    ~OfficeProcess();
    OfficeProcess(const OfficeProcess&) = delete;
    OfficeProcess& operator=(const OfficeProcess&) = delete;

    pid_t Pid() const { return pid_; }
    pid_t KeeperPid() const { return keeperPid_; }
    // False once the office has ended (for whatever reason).
    bool Running();
    // The office's exit code once it has ended by itself and been reported so; -1 otherwise.
    int ExitCode() const { return exitCode_; }

    // The office is the user's now: it keeps running after the tool ends, crash included.
    void HandToUser();
    // Hidden again: it ends with the tool.
    void TakeBack();
    // Ends the office now and waits (bounded) until the keeper has cleaned up after it.
    void Terminate();
    // The office was asked to end: the keeper gives it a grace period to do so by itself, ends it
    // afterwards and cleans up. Returns at once; the process is no longer ours to watch.
    void LetEnd();

private:
    OfficeProcess(pid_t pid, pid_t keeperPid, UniqueFd control, UniqueFd status) noexcept
        : pid_(pid), keeperPid_(keeperPid), control_(std::move(control)), status_(std::move(status)) {}
    void Send(char command);
    // Reads the keeper's reports until its exit report (sent once it has cleaned up), or until it
    // has gone; waits at most the time given for each.
    void TakeExitReport(std::chrono::milliseconds timeout);

    pid_t pid_;
    pid_t keeperPid_;
    UniqueFd control_;
    UniqueFd status_;
    bool handedToUser_ = false;
    bool ended_ = false;
    int exitCode_ = -1;
};

}  // namespace tabora::calc
