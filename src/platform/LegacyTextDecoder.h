#pragma once
// Text files are written in the system's legacy code page: the ANSI code page on Windows, the
// character set of the user's locale elsewhere. This service turns their bytes into UTF-16.

#include <cstddef>
#include <memory>
#include <span>
#include <string>

namespace tabora::platform {

// The decoding of one byte stream, fed in chunks of any size.
class TextDecoding {
public:
    virtual ~TextDecoding() = default;
    // Appends the characters of bytes to out. A sequence cut off at the end of bytes is finished
    // by the next call. Invalid sequences become U+FFFD and decoding goes on after them.
    virtual void Decode(std::span<const std::byte> bytes, std::u16string& out) = 0;
    // The end of the stream: a sequence left unfinished becomes U+FFFD.
    virtual void Finish(std::u16string& out) = 0;
};

class LegacyTextDecoder {
public:
    virtual ~LegacyTextDecoder() = default;
    // A fresh decoding; throws RuntimeError when the code page cannot be decoded here.
    virtual std::unique_ptr<TextDecoding> StartDecoding() = 0;
};

}  // namespace tabora::platform
