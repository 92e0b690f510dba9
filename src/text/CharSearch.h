#pragma once
// Finding one UTF-16 unit in a long text, eight bytes at a time: loading the records of a large
// text is dominated by this search.

#include <cstdint>
#include <cstring>
#include <string_view>

namespace tabora::text {

// Position of the first c in text at or after from; npos when there is none.
inline size_t FindUnit(std::u16string_view text, char16_t c, size_t from) {
    const char16_t* data = text.data();
    const size_t n = text.size();
    constexpr uint64_t kOnes = 0x0001000100010001ULL;
    constexpr uint64_t kHighs = 0x8000800080008000ULL;
    const uint64_t pattern = kOnes * c;
    auto hasMatch = [&](uint64_t word) {
        const uint64_t x = word ^ pattern;  // a zero unit where c stands
        return ((x - kOnes) & ~x & kHighs) != 0;
    };
    size_t i = from;
    while (i + 16 <= n) {
        uint64_t w[4];
        std::memcpy(w, data + i, sizeof w);
        if (hasMatch(w[0]) || hasMatch(w[1]) || hasMatch(w[2]) || hasMatch(w[3])) break;
        i += 16;
    }
    for (; i < n; ++i)
        if (data[i] == c) return i;
    return std::u16string_view::npos;
}

}  // namespace tabora::text
