#include "platform/win32/Win32Services.h"

#include "platform/RuntimeError.h"
#include "platform/win32/WideText.h"

namespace tabora::platform::win32 {

namespace {
struct HandleCloser {
    void operator()(HANDLE handle) const {
        if (handle != INVALID_HANDLE_VALUE && handle != nullptr) CloseHandle(handle);
    }
};
using FileHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

class FileByteReader : public ByteReader {
public:
    FileByteReader(FileHandle file, uint64_t size) : file_(std::move(file)), size_(size) {}

    size_t Read(std::span<std::byte> buffer) override {
        DWORD got = 0;
        const auto wanted = static_cast<DWORD>(std::min<size_t>(buffer.size(), 1u << 30));
        if (!ReadFile(file_.get(), buffer.data(), wanted, &got, nullptr)) throw vb_error::Raise(vb_error::kDeviceIoError);
        return got;
    }

    uint64_t SizeHint() const override { return size_; }

private:
    FileHandle file_;
    uint64_t size_;
};

bool HasWildcard(const std::u16string& path) { return path.find_first_of(u"*?") != std::u16string::npos; }

int32_t LookupErrorNumber(DWORD error) {
    switch (error) {
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_FILENAME_EXCED_RANGE: return vb_error::kBadFileNameOrNumber;
        case ERROR_ACCESS_DENIED:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME: return vb_error::kPathNotFound;
        default: return vb_error::kDeviceIoError;
    }
}
}  // namespace

bool Win32FileSystem::IsOrdinaryFile(const std::u16string& path) {
    if (path.empty() || HasWildcard(path) || path.find(u'\0') != std::u16string::npos) return false;
    const DWORD attributes = GetFileAttributesW(Wide(path));
    if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return false;
    throw vb_error::Raise(LookupErrorNumber(error));
}

std::u16string Win32FileSystem::AbsolutePath(const std::u16string& path) {
    if (path.empty() || path.find(u'\0') != std::u16string::npos) return path;
    std::u16string absolute(MAX_PATH, u'\0');
    for (;;) {
        const DWORD length = GetFullPathNameW(Wide(path), static_cast<DWORD>(absolute.size()),
                                              reinterpret_cast<wchar_t*>(absolute.data()), nullptr);
        if (length == 0) throw vb_error::Raise(LookupErrorNumber(GetLastError()));
        if (length < absolute.size()) {
            absolute.resize(length);
            return absolute;
        }
        absolute.resize(length);  // the size asked for, terminator included
    }
}

std::unique_ptr<ByteReader> Win32FileSystem::OpenForReading(const std::u16string& path) {
    if (path.empty() || HasWildcard(path) || path.find(u'\0') != std::u16string::npos) return nullptr;
    FileHandle file(CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) return nullptr;
    // Only a file on a disk has an end: a pipe or a device might never send one.
    if (GetFileType(file.get()) != FILE_TYPE_DISK) return nullptr;
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file.get(), &info) || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return nullptr;
    }
    return std::make_unique<FileByteReader>(std::move(file), uint64_t{info.nFileSizeHigh} << 32 | info.nFileSizeLow);
}

}  // namespace tabora::platform::win32
