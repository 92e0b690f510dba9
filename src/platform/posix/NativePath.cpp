#include "platform/posix/NativePath.h"

namespace tabora::platform::posix {

namespace {
void AppendUtf8(std::string& out, char32_t cp) {
    auto byte = [&out](unsigned value) { out.push_back(static_cast<char>(value)); };
    if (cp < 0x80) {
        byte(cp);
    } else if (cp < 0x800) {
        byte(0xC0 | (cp >> 6));
        byte(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        byte(0xE0 | (cp >> 12));
        byte(0x80 | ((cp >> 6) & 0x3F));
        byte(0x80 | (cp & 0x3F));
    } else {
        byte(0xF0 | (cp >> 18));
        byte(0x80 | ((cp >> 12) & 0x3F));
        byte(0x80 | ((cp >> 6) & 0x3F));
        byte(0x80 | (cp & 0x3F));
    }
}

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
}  // namespace

std::optional<std::string> NativePath(std::u16string_view path) {
    if (path.empty()) return std::nullopt;
    std::string out;
    out.reserve(path.size());
    for (size_t i = 0; i < path.size(); ++i) {
        const char16_t c = path[i];
        if (c == 0 || IsLowSurrogate(c)) return std::nullopt;
        if (IsHighSurrogate(c)) {
            if (i + 1 == path.size() || !IsLowSurrogate(path[i + 1])) return std::nullopt;
            const char32_t cp = 0x10000 + ((char32_t{c} - 0xD800) << 10) + (char32_t{path[i + 1]} - 0xDC00);
            AppendUtf8(out, cp);
            ++i;
        } else {
            AppendUtf8(out, c);
        }
    }
    return out;
}

}  // namespace tabora::platform::posix
