#pragma once
// UTF-8 decoding of its own, for files marked as UTF-8 on any system and for the locales whose
// code set it is, with a fast path for ASCII runs. An invalid sequence becomes one U+FFFD for its longest valid beginning (or for a
// single byte), as the WHATWG encoding standard does it.

#include "platform/LegacyTextDecoder.h"

namespace tabora::text {

class Utf8Decoding : public platform::TextDecoding {
public:
    void Decode(std::span<const std::byte> bytes, std::u16string& out) override;
    void Finish(std::u16string& out) override;

private:
    unsigned char pending_[4] = {};
    size_t pendingLength_ = 0;
};

}  // namespace tabora::text
