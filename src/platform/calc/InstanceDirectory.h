#pragma once
// Private folders of the office instances: one per instance, under a folder of this user's that
// nobody else can enter. Each holds the instance's profile and the list of documents it opened.

#include <sys/types.h>

#include <filesystem>
#include <string>

namespace tabora::calc {

// The per-user folder that holds every instance folder; made (mode 0700) on first use.
// Throws RuntimeError when it exists but is not this user's private folder.
std::filesystem::path InstanceRoot();

// 32 hex digits from the system's random source.
std::string RandomToken();

struct InstanceDirectory {
    std::string token;              // also names the office's pipe
    std::filesystem::path dir;      // InstanceRoot()/token
    std::filesystem::path profile;  // dir/profile, the office's user installation
    std::filesystem::path documentList;
    std::string pipeName;
    std::filesystem::path pipePath;  // the socket the office makes for pipeName
    // Where the office makes its pipes, and how its single-instance pipe's name begins.
    static std::string PipeDir() { return "/tmp"; }
    static std::string IpcPipePrefix();

    // A new, empty instance folder.
    static InstanceDirectory Create();
    // Notes the processes that own this folder, so that a later sweep knows when it is stale.
    void RecordOwners(pid_t office) const;
    // Adds a document path, whose lock file is removed when the office ends without doing so.
    void RecordDocument(const std::string& path) const;
};

// Removes instance folders and pipe sockets whose office has ended (left by a keeper that was
// killed itself). Never touches a folder whose office still runs.
void SweepStaleInstances();

}  // namespace tabora::calc
