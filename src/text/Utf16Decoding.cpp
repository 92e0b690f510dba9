#include "text/Utf16Decoding.h"

namespace tabora::text {

void Utf16Decoding::Decode(std::span<const std::byte> bytes, std::u16string& out) {
    if (bytes.empty()) return;
    const size_t start = out.size();
    out.resize(start + (bytes.size() + (hasPending_ ? 1 : 0)) / 2);
    char16_t* o = out.data() + start;
    // a and b in the order of the file
    auto unit = [little = order_ == std::endian::little](std::byte a, std::byte b) {
        const unsigned x = std::to_integer<unsigned>(a), y = std::to_integer<unsigned>(b);
        return static_cast<char16_t>(little ? x | y << 8 : x << 8 | y);
    };
    size_t i = 0;
    if (hasPending_) {
        *o++ = unit(pending_, bytes[0]);
        hasPending_ = false;
        i = 1;
    }
    for (; i + 1 < bytes.size(); i += 2) *o++ = unit(bytes[i], bytes[i + 1]);
    if (i < bytes.size()) {
        pending_ = bytes[i];
        hasPending_ = true;
    }
}

void Utf16Decoding::Finish(std::u16string& out) {
    if (hasPending_) {
        out.push_back(0xFFFD);
        NoteReplaced();
    }
    hasPending_ = false;
}

}  // namespace tabora::text
