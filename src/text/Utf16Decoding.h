#pragma once
// UTF-16 decoding, for files that begin with a byte-order mark FF FE or FE FF. The units are
// taken as they stand, so a text reads back exactly; an odd byte at the end becomes U+FFFD.

#include <bit>

#include "platform/LegacyTextDecoder.h"

namespace tabora::text {

class Utf16Decoding : public platform::TextDecoding {
public:
    explicit Utf16Decoding(std::endian order) : order_(order) {}

    void Decode(std::span<const std::byte> bytes, std::u16string& out) override;
    void Finish(std::u16string& out) override;

private:
    std::endian order_;
    std::byte pending_{};
    bool hasPending_ = false;
};

}  // namespace tabora::text
