#include "excel/CaseFolding.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace tabora::excel {
namespace {

struct FoldingRun {
    char32_t first;
    char32_t last;
    uint8_t step;  // 1: every code point of the run folds; 2: every other one (upper/lower pairs)
    int32_t offset;
};

constexpr FoldingRun kRuns[] = {
#include "excel/CaseFoldingTable.inc"
};

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The code point at i, advancing i past it; a lone surrogate stands for itself.
char32_t NextCodePoint(std::u16string_view text, size_t& i) {
    const char16_t lead = text[i++];
    if (IsHighSurrogate(lead) && i < text.size() && IsLowSurrogate(text[i]))
        return 0x10000 + ((char32_t{lead} - 0xD800) << 10) + (char32_t{text[i++]} - 0xDC00);
    return lead;
}

void Append(std::u16string& out, char32_t code) {
    if (code < 0x10000) {
        out.push_back(static_cast<char16_t>(code));
        return;
    }
    code -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
}

}  // namespace

char32_t FoldCase(char32_t code) {
    const auto after = std::upper_bound(std::begin(kRuns), std::end(kRuns), code,
                                        [](char32_t c, const FoldingRun& run) { return c < run.first; });
    if (after == std::begin(kRuns)) return code;
    const FoldingRun& run = *std::prev(after);
    if (code > run.last || (code - run.first) % run.step != 0) return code;
    return static_cast<char32_t>(static_cast<int32_t>(code) + run.offset);
}

std::u16string FoldCase(std::u16string_view text) {
    std::u16string folded;
    folded.reserve(text.size());
    for (size_t i = 0; i < text.size();) Append(folded, FoldCase(NextCodePoint(text, i)));
    return folded;
}

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b) {
    // ASCII folds A-Z only: member names and most sheet names never reach the table.
    const auto asciiLower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 0x20) : c; };
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i] < 0x80 && b[j] < 0x80) {
            if (asciiLower(a[i++]) != asciiLower(b[j++])) return false;
        } else if (FoldCase(NextCodePoint(a, i)) != FoldCase(NextCodePoint(b, j))) {
            return false;
        }
    }
    return i == a.size() && j == b.size();
}

}  // namespace tabora::excel
