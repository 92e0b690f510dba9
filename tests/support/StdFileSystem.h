#pragma once
// A file system over std::filesystem, the same on every platform the tests run on.

#include "platform/FileSystem.h"

namespace tabora::test {

class StdFileSystem : public platform::FileSystem {
public:
    bool IsOrdinaryFile(const std::u16string& path) override;
    std::u16string AbsolutePath(const std::u16string& path) override;
    std::unique_ptr<platform::ByteReader> OpenForReading(const std::u16string& path) override;
};

}  // namespace tabora::test
