#pragma once
// The file system as the core sees it: an exact look-up of an ordinary file, and reading a
// text file as raw bytes in chunks.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace tabora::platform {

// A file opened for reading. Read fills as much of the buffer as it can and returns the count;
// 0 means the end of the file. A failure of the device throws RuntimeError (57).
class ByteReader {
public:
    virtual ~ByteReader() = default;
    virtual size_t Read(std::span<std::byte> buffer) = 0;
    // The file's size when it was opened, if known (0 otherwise); a hint for reserving memory.
    virtual uint64_t SizeHint() const { return 0; }
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // True when path names an existing ordinary file (not a folder). No wildcard expansion.
    // A path that cannot be looked up at all (an unreadable folder on the way, a name too long)
    // throws RuntimeError.
    virtual bool IsOrdinaryFile(const std::u16string& path) = 0;

    // path made absolute against this program's working folder, so that a look-up here and a
    // server that resolves names against its own folder mean the same file. An absolute or empty
    // path comes back as it is; nothing is looked up. A working folder that cannot be read throws
    // RuntimeError.
    virtual std::u16string AbsolutePath(const std::u16string& path) = 0;

    // Opens an ordinary file for reading; nullptr when it cannot be opened (missing, locked, bad
    // path) or is no ordinary file (a folder, a pipe, a device), which might never end.
    virtual std::unique_ptr<ByteReader> OpenForReading(const std::u16string& path) = 0;
};

}  // namespace tabora::platform
