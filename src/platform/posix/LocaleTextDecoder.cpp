#include "platform/posix/LocaleTextDecoder.h"

#include <langinfo.h>
#include <locale.h>

#include <algorithm>
#include <cctype>

#include "platform/RuntimeError.h"
#include "platform/posix/IconvDecoding.h"
#include "text/Utf8Decoding.h"

namespace tabora::platform::posix {

namespace {

class LocaleHandle {
public:
    explicit LocaleHandle(locale_t handle) : handle_(handle) {}
    ~LocaleHandle() {
        if (handle_ != locale_t{}) freelocale(handle_);
    }
    LocaleHandle(const LocaleHandle&) = delete;
    LocaleHandle& operator=(const LocaleHandle&) = delete;
    locale_t Get() const { return handle_; }

private:
    locale_t handle_;
};

// Upper case without "-" and "_": "utf-8" and "UTF8" name the same set.
std::string Canonical(std::string codeset) {
    std::erase_if(codeset, [](char c) { return c == '-' || c == '_'; });
    std::transform(codeset.begin(), codeset.end(), codeset.begin(),
                   [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); });
    return codeset;
}

bool IsAscii(const std::string& canonical) {
    return canonical == "ANSIX3.41968" || canonical == "ASCII" || canonical == "USASCII" || canonical == "646";
}

bool IsShiftJis(const std::string& canonical) {
    return canonical == "SHIFTJIS" || canonical == "SJIS" || canonical == "CP932" || canonical == "WINDOWS31J";
}

}  // namespace

LocaleTextDecoder::LocaleTextDecoder(std::string codeset) : codeset_(std::move(codeset)) {}

std::string LocaleTextDecoder::UserLocaleCodeset() {
    LocaleHandle user(newlocale(LC_CTYPE_MASK, "", locale_t{}));
    return user.Get() != locale_t{} ? nl_langinfo_l(CODESET, user.Get()) : "UTF-8";
}

std::unique_ptr<TextDecoding> LocaleTextDecoder::StartDecoding() {
    const std::string canonical = Canonical(codeset_);
    // ASCII is what a system without a locale reports (the C locale, or one named but not
    // installed); UTF-8 reads every ASCII file the same and today's files beside them.
    if (canonical == "UTF8" || IsAscii(canonical)) return std::make_unique<text::Utf8Decoding>();
    // Shift_JIS text comes from tools that write Windows code page 932: "\" stays a backslash
    // (plain Shift_JIS reads it as a yen sign) and the vendor rows such as circled digits decode.
    if (IsShiftJis(canonical)) return std::make_unique<IconvDecoding>("CP932");
    return std::make_unique<IconvDecoding>(codeset_);
}

std::unique_ptr<TextDecoding> LocaleTextDecoder::StartFallbackDecoding() {
    if (IsShiftJis(Canonical(codeset_))) return nullptr;
    try {
        return std::make_unique<IconvDecoding>("CP932");
    } catch (const RuntimeError&) {
        return nullptr;  // an iconv without it
    }
}

}  // namespace tabora::platform::posix
