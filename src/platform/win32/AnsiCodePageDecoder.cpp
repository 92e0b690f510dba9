#include "platform/win32/Win32Services.h"

#include <vector>

#include "platform/RuntimeError.h"

namespace tabora::platform::win32 {

namespace {
constexpr char16_t kReplacement = u'\uFFFD';

// Decodes a code page in chunks, never splitting a character: bytes of a character cut off at
// the end of a chunk wait for the next one.
class CodePageDecoding : public TextDecoding {
public:
    explicit CodePageDecoding(UINT codePage) : codePage_(codePage) {
        CPINFO info{};
        if (!GetCPInfo(codePage, &info)) throw vb_error::Raise(vb_error::kInvalidProcedureCall);
        maxCharSize_ = info.MaxCharSize;
    }

    void Decode(std::span<const std::byte> bytes, std::u16string& out) override {
        pending_.insert(pending_.end(), reinterpret_cast<const char*>(bytes.data()),
                        reinterpret_cast<const char*>(bytes.data()) + bytes.size());
        const size_t complete = CompleteLength();
        DecodeUnits(pending_.data(), complete, out);
        pending_.erase(pending_.begin(), pending_.begin() + static_cast<ptrdiff_t>(complete));
    }

    void Finish(std::u16string& out) override {
        if (!pending_.empty()) {
            out.push_back(kReplacement);
            NoteReplaced();
        }
        pending_.clear();
    }

private:
    // The length of the leading part of pending_ that holds whole characters only.
    size_t CompleteLength() const {
        if (maxCharSize_ <= 1) return pending_.size();
        size_t i = 0;
        while (i < pending_.size()) {
            const size_t unit = UnitLength(static_cast<unsigned char>(pending_[i]));
            if (i + unit > pending_.size()) return i;
            i += unit;
        }
        return i;
    }

    // The bytes of the character that begins with lead.
    size_t UnitLength(unsigned char lead) const {
        if (codePage_ == CP_UTF8) {
            if (lead >= 0xF0 && lead <= 0xF4) return 4;
            if (lead >= 0xE0 && lead <= 0xEF) return 3;
            if (lead >= 0xC2 && lead <= 0xDF) return 2;
            return 1;
        }
        return IsDBCSLeadByteEx(codePage_, lead) ? 2 : 1;
    }

    // Whole characters to UTF-16; a sequence that is no character becomes U+FFFD.
    void DecodeUnits(const char* bytes, size_t length, std::u16string& out) {
        if (length == 0) return;
        if (Convert(bytes, length, out)) return;
        for (size_t i = 0; i < length;) {
            const size_t unit = std::min(UnitLength(static_cast<unsigned char>(bytes[i])), length - i);
            if (Convert(bytes + i, unit, out)) {
                i += unit;
            } else {
                // The lead byte goes; what followed it may begin a character of its own.
                out.push_back(kReplacement);
                NoteReplaced();
                i += 1;
            }
        }
    }

    bool Convert(const char* bytes, size_t length, std::u16string& out) const {
        const int size = static_cast<int>(length);
        const int wide = MultiByteToWideChar(codePage_, MB_ERR_INVALID_CHARS, bytes, size, nullptr, 0);
        if (wide <= 0) return false;
        std::vector<wchar_t> buffer(static_cast<size_t>(wide));
        MultiByteToWideChar(codePage_, MB_ERR_INVALID_CHARS, bytes, size, buffer.data(), wide);
        out.append(reinterpret_cast<const char16_t*>(buffer.data()), buffer.size());
        return true;
    }

    UINT codePage_;
    UINT maxCharSize_ = 1;
    std::vector<char> pending_;
};
}  // namespace

std::unique_ptr<TextDecoding> StartCodePageDecoding(unsigned codePage) {
    return std::make_unique<CodePageDecoding>(codePage);
}

std::unique_ptr<TextDecoding> AnsiCodePageDecoder::StartDecoding() { return StartCodePageDecoding(GetACP()); }

std::unique_ptr<TextDecoding> AnsiCodePageDecoder::StartFallbackDecoding() {
    constexpr unsigned kJapanese = 932;
    if (GetACP() == kJapanese) return nullptr;
    try {
        return StartCodePageDecoding(kJapanese);
    } catch (const RuntimeError&) {
        return nullptr;  // not installed
    }
}

}  // namespace tabora::platform::win32
