#include "text/Utf8Decoding.h"

#include <cstdint>
#include <cstring>

namespace tabora::text {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

struct Step {
    enum Kind { kChar, kInvalid, kIncomplete } kind;
    char32_t codePoint;
    size_t length;  // bytes used; for kInvalid the bytes that one U+FFFD stands for
};

// One sequence at the front of p[0, n), n > 0.
Step DecodeOne(const unsigned char* p, size_t n) {
    const unsigned lead = p[0];
    if (lead < 0x80) return {Step::kChar, lead, 1};
    size_t length = 0;
    unsigned low = 0x80, high = 0xBF;  // range of the second byte
    char32_t cp = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        cp = lead & 0x0F;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        cp = lead & 0x07;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;  // nothing past U+10FFFF
    } else {
        return {Step::kInvalid, 0, 1};
    }
    for (size_t i = 1; i < length; ++i) {
        if (i == n) return {Step::kIncomplete, 0, i};
        const unsigned byte = p[i];
        if (byte < low || byte > high) return {Step::kInvalid, 0, i};
        low = 0x80;
        high = 0xBF;
        cp = (cp << 6) | (byte & 0x3F);
    }
    return {Step::kChar, cp, length};
}

char16_t* Put(char16_t* out, char32_t cp) {
    if (cp < 0x10000) {
        *out++ = static_cast<char16_t>(cp);
    } else {
        cp -= 0x10000;
        *out++ = static_cast<char16_t>(0xD800 + (cp >> 10));
        *out++ = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    }
    return out;
}

bool AllAscii(const unsigned char* p) {
    uint64_t a, b;
    std::memcpy(&a, p, 8);
    std::memcpy(&b, p + 8, 8);
    return ((a | b) & 0x8080808080808080ULL) == 0;
}

}  // namespace

void Utf8Decoding::Decode(std::span<const std::byte> bytes, std::u16string& out) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    size_t n = bytes.size();
    const size_t start = out.size();
    // Every byte gives at most one unit; a finished sequence from the last call adds at most two.
    out.resize(start + n + 2);
    char16_t* o = out.data() + start;

    // pending_ holds at most three bytes here: a fourth always ends the sequence.
    while (pendingLength_ > 0 && pendingLength_ < sizeof pending_ && n > 0) {
        pending_[pendingLength_++] = *p++;
        --n;
        const Step step = DecodeOne(pending_, pendingLength_);
        if (step.kind == Step::kIncomplete) continue;
        if (step.kind == Step::kChar) {
            o = Put(o, step.codePoint);
        } else {
            *o++ = kReplacement;
            NoteReplaced();
            // The bytes after the invalid beginning are read again as new input.
            const size_t back = pendingLength_ - step.length;
            p -= back;
            n += back;
        }
        pendingLength_ = 0;
    }

    size_t i = 0;
    while (i < n) {
        while (i + 16 <= n && AllAscii(p + i)) {
            for (size_t k = 0; k < 16; ++k) o[k] = p[i + k];
            o += 16;
            i += 16;
        }
        if (i == n) break;
        if (p[i] < 0x80) {
            *o++ = p[i++];
            continue;
        }
        const Step step = DecodeOne(p + i, n - i);
        if (step.kind == Step::kIncomplete) {
            std::memcpy(pending_, p + i, n - i);
            pendingLength_ = n - i;
            break;
        }
        if (step.kind == Step::kChar) {
            o = Put(o, step.codePoint);
        } else {
            *o++ = kReplacement;
            NoteReplaced();
        }
        i += step.length;
    }
    out.resize(static_cast<size_t>(o - out.data()));
}

void Utf8Decoding::Finish(std::u16string& out) {
    if (pendingLength_ > 0) {
        out.push_back(kReplacement);
        NoteReplaced();
    }
    pendingLength_ = 0;
}

}  // namespace tabora::text
