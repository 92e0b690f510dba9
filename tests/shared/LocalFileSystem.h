#pragma once
// The file system of this machine, for tests whose workbooks are real files.

#include "platform/FileSystem.h"

namespace tabora::test {

class LocalFileSystem : public platform::FileSystem {
public:
    bool IsOrdinaryFile(const std::u16string& path) override;
    std::unique_ptr<platform::ByteReader> OpenForReading(const std::u16string& path) override;
};

}  // namespace tabora::test
