#pragma once
// A file system of byte strings held in memory. Reading hands out the bytes in chunks of a chosen
// size, and a file can be set to fail with a device error after some of its bytes.

#include <cstddef>
#include <map>
#include <optional>
#include <string>

#include "platform/FileSystem.h"

namespace tabora::test {

class InMemoryFileSystem : public platform::FileSystem {
public:
    void AddFile(const std::u16string& path, std::string bytes) { files_[path] = {std::move(bytes), std::nullopt}; }
    // Reading path throws RuntimeError 57 once it has handed out this many bytes.
    void FailAfter(const std::u16string& path, size_t bytes) { files_.at(path).failAfter = bytes; }
    // The most bytes one Read hands out (at least 1).
    void SetChunkSize(size_t bytes) { chunkSize_ = bytes; }

    // Relative paths are taken against this folder (it ends in a slash).
    void SetWorkingFolder(std::u16string folder) { workingFolder_ = std::move(folder); }

    bool IsOrdinaryFile(const std::u16string& path) override { return files_.contains(path); }
    std::u16string AbsolutePath(const std::u16string& path) override {
        return path.empty() || path.front() == u'/' ? path : workingFolder_ + path;
    }
    std::unique_ptr<platform::ByteReader> OpenForReading(const std::u16string& path) override;

private:
    struct File {
        std::string bytes;
        std::optional<size_t> failAfter;
    };
    std::map<std::u16string, File> files_;
    size_t chunkSize_ = 4096;
    std::u16string workingFolder_ = u"/work/";
};

}  // namespace tabora::test
