#pragma once
// Decoding of any character set that iconv knows. A byte that does not start a valid sequence
// becomes U+FFFD and decoding goes on with the next byte.

#include <iconv.h>

#include <string>

#include "platform/LegacyTextDecoder.h"

namespace tabora::platform::posix {

class IconvDecoding : public TextDecoding {
public:
    // Throws RuntimeError when iconv cannot convert from codeset.
    explicit IconvDecoding(const std::string& codeset);
    ~IconvDecoding() override;
    IconvDecoding(const IconvDecoding&) = delete;
    IconvDecoding& operator=(const IconvDecoding&) = delete;

    void Decode(std::span<const std::byte> bytes, std::u16string& out) override;
    void Finish(std::u16string& out) override;

private:
    void Convert(char** in, size_t* inLeft, std::u16string& out);

    iconv_t cd_;
    std::string pending_;  // an unfinished sequence from the end of the last chunk
};

}  // namespace tabora::platform::posix
