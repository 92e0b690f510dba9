#include "platform/posix/PosixFileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <span>
#include <string>

#include "platform/RuntimeError.h"
#include "platform/posix/NativePath.h"
#include "platform/posix/UniqueFd.h"
#include "text/Utf8Decoding.h"

namespace tabora::platform::posix {

namespace {

class FdByteReader : public ByteReader {
public:
    FdByteReader(UniqueFd fd, uint64_t size) : fd_(std::move(fd)), size_(size) {}

    size_t Read(std::span<std::byte> buffer) override {
        for (;;) {
            const ssize_t got = ::read(fd_.Get(), buffer.data(), buffer.size());
            if (got >= 0) return static_cast<size_t>(got);
            if (errno != EINTR) throw vb_error::Raise(vb_error::kDeviceIoError);
        }
    }

    uint64_t SizeHint() const override { return size_; }

private:
    UniqueFd fd_;
    uint64_t size_;
};

int32_t LookupErrorNumber(int error) {
    switch (error) {
        case ENAMETOOLONG: return vb_error::kBadFileNameOrNumber;
        case EACCES:
        case ELOOP: return vb_error::kPathNotFound;
        default: return vb_error::kDeviceIoError;
    }
}

}  // namespace

bool PosixFileSystem::IsOrdinaryFile(const std::u16string& path) {
    const auto native = NativePath(path);
    if (!native) return false;
    struct stat info {};
    if (::stat(native->c_str(), &info) == 0) return S_ISREG(info.st_mode);
    if (errno == ENOENT || errno == ENOTDIR) return false;
    throw vb_error::Raise(LookupErrorNumber(errno));
}

std::u16string PosixFileSystem::AbsolutePath(const std::u16string& path) {
    if (path.empty() || path.front() == u'/') return path;
    std::string folder(256, '\0');
    while (::getcwd(folder.data(), folder.size()) == nullptr) {
        if (errno != ERANGE) throw vb_error::Raise(vb_error::kPathNotFound);
        folder.resize(folder.size() * 2);
    }
    folder.resize(folder.find('\0'));
    std::u16string absolute;
    text::Utf8Decoding decoding;
    decoding.Decode(std::as_bytes(std::span(folder.data(), folder.size())), absolute);
    decoding.Finish(absolute);
    if (absolute.back() != u'/') absolute += u'/';
    return absolute + path;
}

std::unique_ptr<ByteReader> PosixFileSystem::OpenForReading(const std::u16string& path) {
    const auto native = NativePath(path);
    if (!native) return nullptr;
    UniqueFd fd;
    do {
        // Without O_NONBLOCK, opening a FIFO would wait for a writer for ever.
        fd = UniqueFd(::open(native->c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    } while (!fd.Valid() && errno == EINTR);
    if (!fd.Valid()) return nullptr;
    // Only an ordinary file has an end: a FIFO may never send one, /dev/zero never does.
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)) return nullptr;
    const int flags = ::fcntl(fd.Get(), F_GETFL);
    if (flags == -1 || ::fcntl(fd.Get(), F_SETFL, flags & ~O_NONBLOCK) == -1) return nullptr;
    return std::make_unique<FdByteReader>(std::move(fd), info.st_size > 0 ? static_cast<uint64_t>(info.st_size) : 0);
}

}  // namespace tabora::platform::posix
