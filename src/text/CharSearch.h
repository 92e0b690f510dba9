#pragma once
// Finding UTF-16 units in long texts four at a time (one 64-bit word): loading the records of a
// large text is dominated by this search.

#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace tabora::text {

namespace detail {
constexpr uint64_t kLow15 = 0x7FFF7FFF7FFF7FFFULL;
constexpr uint64_t kHigh = 0x8000800080008000ULL;

// The high bit of every 16-bit lane of word that equals the lane of pattern; exact, as no lane
// borrows from its neighbour.
inline uint64_t MatchingLanes(uint64_t word, uint64_t pattern) {
    const uint64_t x = word ^ pattern;
    return ~(((x & kLow15) + kLow15) | x) & kHigh;
}

inline uint64_t Load(const char16_t* at) {
    uint64_t word;
    std::memcpy(&word, at, sizeof word);
    return word;
}
}  // namespace detail

// Position of the first c in text at or after from; npos when there is none.
inline size_t FindUnit(std::u16string_view text, char16_t c, size_t from) {
    const char16_t* data = text.data();
    const size_t n = text.size();
    size_t i = from;
    if constexpr (std::endian::native == std::endian::little) {
        const uint64_t pattern = 0x0001000100010001ULL * c;
        for (; i + 8 <= n; i += 8) {
            const uint64_t low = detail::MatchingLanes(detail::Load(data + i), pattern);
            const uint64_t high = detail::MatchingLanes(detail::Load(data + i + 4), pattern);
            if ((low | high) == 0) continue;
            return low != 0 ? i + static_cast<size_t>(std::countr_zero(low)) / 16
                            : i + 4 + static_cast<size_t>(std::countr_zero(high)) / 16;
        }
    }
    for (; i < n; ++i)
        if (data[i] == c) return i;
    return std::u16string_view::npos;
}

// Calls onMatch(position) for every c in text, in order, until it returns false.
template <class OnMatch>
void ForEachUnit(std::u16string_view text, char16_t c, OnMatch&& onMatch) {
    const char16_t* data = text.data();
    const size_t n = text.size();
    size_t i = 0;
    if constexpr (std::endian::native == std::endian::little) {
        const uint64_t pattern = 0x0001000100010001ULL * c;
        for (; i + 16 <= n; i += 16) {
            uint64_t lanes[4];
            for (size_t w = 0; w < 4; ++w) lanes[w] = detail::MatchingLanes(detail::Load(data + i + 4 * w), pattern);
            if ((lanes[0] | lanes[1] | lanes[2] | lanes[3]) == 0) continue;
            for (size_t w = 0; w < 4; ++w) {
                for (uint64_t hits = lanes[w]; hits != 0; hits &= hits - 1)
                    if (!onMatch(i + 4 * w + static_cast<size_t>(std::countr_zero(hits)) / 16)) return;
            }
        }
    }
    for (; i < n; ++i)
        if (data[i] == c && !onMatch(i)) return;
}

}  // namespace tabora::text
