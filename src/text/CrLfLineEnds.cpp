#include "text/CrLfLineEnds.h"

namespace tabora::text {

namespace {
constexpr char16_t kLineSeparator = 0x2028;
constexpr char16_t kParagraphSeparator = 0x2029;
}  // namespace

std::u16string WithCrLfLineEnds(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size() + 2);
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r' || c == u'\n' || c == kLineSeparator || c == kParagraphSeparator) {
            out.append(u"\r\n");
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        } else {
            out.push_back(c);
        }
    }
    return out;
}

}  // namespace tabora::text
