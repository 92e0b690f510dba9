#include "support/InMemoryFileSystem.h"

#include <algorithm>
#include <cstring>

#include "platform/RuntimeError.h"

namespace tabora::test {

namespace {
class MemoryReader : public platform::ByteReader {
public:
    MemoryReader(std::string bytes, std::optional<size_t> failAfter, size_t chunkSize)
        : bytes_(std::move(bytes)), failAfter_(failAfter), chunkSize_(std::max<size_t>(chunkSize, 1)) {}

    size_t Read(std::span<std::byte> buffer) override {
        if (failAfter_ && position_ >= *failAfter_) throw vb_error::Raise(vb_error::kDeviceIoError);
        size_t count = std::min({buffer.size(), chunkSize_, bytes_.size() - position_});
        if (failAfter_) count = std::min(count, *failAfter_ - position_);
        std::memcpy(buffer.data(), bytes_.data() + position_, count);
        position_ += count;
        return count;
    }

    uint64_t SizeHint() const override { return bytes_.size(); }

private:
    std::string bytes_;
    std::optional<size_t> failAfter_;
    size_t chunkSize_;
    size_t position_ = 0;
};
}  // namespace

std::unique_ptr<platform::ByteReader> InMemoryFileSystem::OpenForReading(const std::u16string& path) {
    const auto it = files_.find(path);
    if (it == files_.end()) return nullptr;
    return std::make_unique<MemoryReader>(it->second.bytes, it->second.failAfter, chunkSize_);
}

}  // namespace tabora::test
