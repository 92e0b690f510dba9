#pragma once
// UTF-8 decoding without iconv: the common code set of today's locales gets a fast path for
// ASCII runs. An invalid sequence becomes one U+FFFD for its longest valid beginning (or for a
// single byte), as the WHATWG encoding standard does it.

#include "platform/LegacyTextDecoder.h"

namespace tabora::platform::posix {

class Utf8Decoding : public TextDecoding {
public:
    void Decode(std::span<const std::byte> bytes, std::u16string& out) override;
    void Finish(std::u16string& out) override;

private:
    unsigned char pending_[4] = {};
    size_t pendingLength_ = 0;
};

}  // namespace tabora::platform::posix
