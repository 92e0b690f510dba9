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

    // True once bytes that are no character in this code page became U+FFFD: the stream is not
    // text in it.
    bool Replaced() const { return replaced_; }

protected:
    void NoteReplaced() { replaced_ = true; }

private:
    bool replaced_ = false;
};

class LegacyTextDecoder {
public:
    virtual ~LegacyTextDecoder() = default;
    // A fresh decoding; throws RuntimeError when the code page cannot be decoded here.
    virtual std::unique_ptr<TextDecoding> StartDecoding() = 0;
    // A decoding of code page 932, Windows' Japanese code page, for files that are no text in the
    // legacy code page: the users' files that are not come from Japanese Windows. Nothing when
    // the legacy code page is 932 itself, or 932 cannot be decoded here.
    virtual std::unique_ptr<TextDecoding> StartFallbackDecoding() = 0;
};

}  // namespace tabora::platform
