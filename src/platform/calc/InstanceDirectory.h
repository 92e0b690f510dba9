#pragma once
// Private folders of the office instances: one per instance, under a folder of this user's that
// nobody else can enter. Each holds the instance's profile, its temporary folder, the list of
// documents it opened, and who owns it (office, keeper, shown or not). The offices' pipes lie in
// another private folder, where the office's runtime makes them, so that no other user can
// connect to them.

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
    std::filesystem::path tempDir;  // dir/tmp, the office's TMPDIR
    std::filesystem::path documentList;
    std::string pipeName;
    std::filesystem::path pipePath;  // the socket the office makes for pipeName
    // Where the office's runtime makes pipes, and how the single-instance pipe's name begins.
    static std::string PipeDir() { return "/tmp"; }
    static std::string IpcPipePrefix();

    // A new, empty instance folder.
    static InstanceDirectory Create();
    // Notes the processes that own this folder, so that a later sweep knows when it is stale.
    void RecordOwners(pid_t office, pid_t keeper) const;
    // Notes whether the user was shown the office: a shown office outlives its keeper.
    void RecordShown(bool shown) const;
    // Adds a document path, whose lock file is removed when the office ends without doing so.
    void RecordDocument(const std::string& path) const;
};

// Cleans up after instances whose keeper was killed: a hidden office whose keeper is gone is
// ended; a folder whose office has ended is removed with its pipes and the lock files the office
// left beside its documents. A shown office, or one whose keeper still runs, is left alone.
void SweepStaleInstances();

}  // namespace tabora::calc
