#include "shared/LocalFileSystem.h"

#include <codecvt>
#include <filesystem>
#include <fstream>
#include <locale>

namespace tabora::test {
namespace {

std::filesystem::path ToPath(const std::u16string& path) {
    std::wstring_convert<std::codecvt_utf8_utf16<char16_t>, char16_t> convert;
    return std::filesystem::path(convert.to_bytes(path));
}

class StreamReader : public platform::ByteReader {
public:
    explicit StreamReader(std::ifstream stream) : stream_(std::move(stream)) {}
    size_t Read(std::span<std::byte> buffer) override {
        stream_.read(reinterpret_cast<char*>(buffer.data()), static_cast<std::streamsize>(buffer.size()));
        return static_cast<size_t>(stream_.gcount());
    }

private:
    std::ifstream stream_;
};

}  // namespace

bool LocalFileSystem::IsOrdinaryFile(const std::u16string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(ToPath(path), ec);
}

std::unique_ptr<platform::ByteReader> LocalFileSystem::OpenForReading(const std::u16string& path) {
    std::ifstream stream(ToPath(path), std::ios::binary);
    if (!stream) return nullptr;
    return std::make_unique<StreamReader>(std::move(stream));
}

}  // namespace tabora::test
