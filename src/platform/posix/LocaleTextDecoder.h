#pragma once
// The legacy code page of a POSIX system: the character set of the user's locale (LC_CTYPE).
// ASCII, the set of a system without a locale, reads as UTF-8.

#include <string>

#include "platform/LegacyTextDecoder.h"

namespace tabora::platform::posix {

class LocaleTextDecoder : public LegacyTextDecoder {
public:
    explicit LocaleTextDecoder(std::string codeset);
    // The character set of the locale that the environment (LC_ALL, LC_CTYPE, LANG) selects,
    // without changing the program's own locale; UTF-8 when the environment names a locale that
    // is not installed.
    static std::string UserLocaleCodeset();

    const std::string& Codeset() const { return codeset_; }
    std::unique_ptr<TextDecoding> StartDecoding() override;
    std::unique_ptr<TextDecoding> StartFallbackDecoding() override;

private:
    std::string codeset_;
};

}  // namespace tabora::platform::posix
