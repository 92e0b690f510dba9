#include "support/StdFileSystem.h"

#include <filesystem>
#include <fstream>

#include "platform/RuntimeError.h"

namespace tabora::test {

namespace {
class StreamReader : public platform::ByteReader {
public:
    explicit StreamReader(std::ifstream stream) : stream_(std::move(stream)) {}
    size_t Read(std::span<std::byte> buffer) override {
        stream_.read(reinterpret_cast<char*>(buffer.data()), static_cast<std::streamsize>(buffer.size()));
        if (stream_.bad()) throw vb_error::Raise(vb_error::kDeviceIoError);
        return static_cast<size_t>(stream_.gcount());
    }

private:
    std::ifstream stream_;
};
}  // namespace

bool StdFileSystem::IsOrdinaryFile(const std::u16string& path) {
    if (path.empty()) return false;
    // Both systems refuse a name of more than 255 characters, but their standard libraries do not
    // all say so alike (MinGW's calls it missing): this disk says it the one way.
    for (const auto& part : std::filesystem::path(path)) {
        if (part.u16string().size() > 255) throw vb_error::Raise(vb_error::kBadFileNameOrNumber);
    }
    std::error_code error;
    const auto status = std::filesystem::status(std::filesystem::path(path), error);
    if (error && error != std::errc::no_such_file_or_directory && error != std::errc::not_a_directory) {
        throw vb_error::Raise(vb_error::kBadFileNameOrNumber);
    }
    return std::filesystem::is_regular_file(status);
}

std::u16string StdFileSystem::AbsolutePath(const std::u16string& path) {
    if (path.empty()) return path;
    std::error_code error;
    const auto absolute = std::filesystem::absolute(std::filesystem::path(path), error);
    if (error) throw vb_error::Raise(vb_error::kPathNotFound);
    return absolute.u16string();
}

std::unique_ptr<platform::ByteReader> StdFileSystem::OpenForReading(const std::u16string& path) {
    std::ifstream stream(std::filesystem::path(path), std::ios::binary);
    if (!stream) return nullptr;
    return std::make_unique<StreamReader>(std::move(stream));
}

}  // namespace tabora::test
