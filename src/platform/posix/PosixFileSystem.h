#pragma once
// The file system of a POSIX system.

#include "platform/FileSystem.h"

namespace tabora::platform::posix {

class PosixFileSystem : public FileSystem {
public:
    // stat() of the exact path: True for an ordinary file (a link to one included). A missing
    // file or folder on the way gives False; any other failure of the look-up throws.
    bool IsOrdinaryFile(const std::u16string& path) override;
    // Against getcwd(); no "." or ".." is folded, as the system would not fold them either.
    std::u16string AbsolutePath(const std::u16string& path) override;
    // nullptr when the path cannot be opened, or names anything but an ordinary file (a folder,
    // a FIFO, a device).
    std::unique_ptr<ByteReader> OpenForReading(const std::u16string& path) override;
};

}  // namespace tabora::platform::posix
