#include "text/TextFileReading.h"

#include <algorithm>
#include <bit>
#include <initializer_list>
#include <memory>
#include <new>
#include <stdexcept>
#include <vector>

#include "platform/Runtime.h"
#include "platform/RuntimeError.h"
#include "text/CharSearch.h"
#include "text/Utf16Decoding.h"
#include "text/Utf8Decoding.h"

namespace tabora::text {

namespace {

constexpr size_t kChunkBytes = 256 * 1024;
// Room for what a decoder asks beyond the characters themselves, and the last line's CR LF, so
// that a text reserved from the file's size never has to grow while it is read.
constexpr size_t kReserveSlack = 64;

// Puts an LF after every lone CR of the decoded text, in place, so that every line ends with
// CR LF. A CR at the end of what has been decoded waits for the next units.
class LineEnds {
public:
    // Mends text[from, end): the units added since the last call.
    void Mend(std::u16string& text, size_t from) {
        if (from == text.size()) return;
        if (pendingCr_) --from;  // that CR is looked at again, with the unit that follows it
        const std::u16string_view added = std::u16string_view(text).substr(from);
        pendingCr_ = added.back() == u'\r';
        size_t lone = 0;
        ForEachUnit(added, u'\r', [&](size_t cr) {
            if (cr + 1 < added.size() && added[cr + 1] != u'\n') ++lone;
            return true;
        });
        if (lone == 0) return;
        // From the back, each unit moves once, and only those after the first lone CR.
        size_t read = text.size();
        text.resize(text.size() + lone);
        size_t write = text.size();
        bool last = true;
        while (lone > 0) {
            const char16_t unit = text[--read];
            if (unit == u'\r' && !last && text[write] != u'\n') {
                text[--write] = u'\n';
                --lone;
            }
            text[--write] = unit;
            last = false;
        }
    }

    void Finish(std::u16string& text) {
        if (pendingCr_) {
            text.push_back(u'\n');
        } else if (!text.empty() && !text.ends_with(u"\r\n")) {
            text.append(u"\r\n");
        }
        pendingCr_ = false;
    }

private:
    bool pendingCr_ = false;
};

// The CRs that no LF follows, each of which gains one in the text, counted in the file's bytes
// before it is decoded: a text that outgrew its room would double it, and a large file of lone CR
// lines then took six times its size at once. Every code page here keeps CR and LF to themselves
// (no byte of another character is 0D or 0A), so the count is exact.
class LoneCrCount {
public:
    LoneCrCount(size_t unitBytes, std::endian order) : unitBytes_(unitBytes), order_(order) {}

    void Add(std::span<const std::byte> bytes) {
        if (unitBytes_ == 1) {
            AddUnits(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
            return;
        }
        for (std::byte b : bytes) {
            partial_[partialLength_++] = std::to_integer<unsigned char>(b);
            if (partialLength_ < 2) continue;
            partialLength_ = 0;
            const unsigned unit = order_ == std::endian::little ? partial_[0] | partial_[1] << 8
                                                                : partial_[0] << 8 | partial_[1];
            AddUnit(unit);
        }
    }

    // A CR at the end of the file counts too.
    size_t Total() const { return count_ + (pendingCr_ ? 1 : 0); }

private:
    void AddUnit(unsigned unit) {
        if (pendingCr_ && unit != '\n') ++count_;
        pendingCr_ = unit == '\r';
    }

    // Without a branch per byte: this pass reads every file once more.
    void AddUnits(const unsigned char* p, size_t n) {
        if (n == 0) return;
        if (pendingCr_ && p[0] != '\n') ++count_;
        size_t lone = 0;
        for (size_t i = 0; i + 1 < n; ++i) lone += static_cast<size_t>((p[i] == '\r') & (p[i + 1] != '\n'));
        count_ += lone;
        pendingCr_ = p[n - 1] == '\r';
    }

    size_t unitBytes_;
    std::endian order_;
    unsigned char partial_[2] = {};
    size_t partialLength_ = 0;
    bool pendingCr_ = false;
    size_t count_ = 0;
};

void Reserve(std::u16string& text, uint64_t units) {
    try {
        if (units > 0) text.reserve(static_cast<size_t>(units) + kReserveSlack);
    } catch (const std::bad_alloc&) {
        // the text grows as it is read instead
    } catch (const std::length_error&) {
    }
}

// Fills buffer from its start until it holds at least want bytes or the file ends.
size_t ReadAtLeast(platform::ByteReader& reader, std::span<std::byte> buffer, size_t want) {
    size_t got = 0;
    do {
        const size_t more = reader.Read(buffer.subspan(got));
        if (more > buffer.size() - got) throw vb_error::Raise(vb_error::kDeviceIoError);
        if (more == 0) break;
        got += more;
    } while (got < want);
    return got;
}

enum class Encoding { kLegacy, kUtf8, kUtf16Little, kUtf16Big };

// What a byte-order mark at the start of a file says, and its length.
struct ByteOrderMark {
    Encoding encoding = Encoding::kLegacy;
    size_t bytes = 0;
    size_t bytesPerUnit = 1;  // at least, for every character
    std::endian order = std::endian::little;
};

bool StartsWith(std::span<const std::byte> bytes, std::initializer_list<unsigned char> mark) {
    if (bytes.size() < mark.size()) return false;
    size_t i = 0;
    for (unsigned char m : mark)
        if (std::to_integer<unsigned char>(bytes[i++]) != m) return false;
    return true;
}

// A byte-order mark says what the file is, whatever the system's code page; the mark itself is
// no character of the text.
ByteOrderMark MarkOf(std::span<const std::byte> start) {
    if (StartsWith(start, {0xEF, 0xBB, 0xBF})) return {Encoding::kUtf8, 3};
    if (StartsWith(start, {0xFF, 0xFE})) return {Encoding::kUtf16Little, 2, 2, std::endian::little};
    if (StartsWith(start, {0xFE, 0xFF})) return {Encoding::kUtf16Big, 2, 2, std::endian::big};
    return {};
}

std::unique_ptr<platform::TextDecoding> StartDecoding(Encoding encoding) {
    switch (encoding) {
        case Encoding::kUtf8: return std::make_unique<Utf8Decoding>();
        case Encoding::kUtf16Little: return std::make_unique<Utf16Decoding>(std::endian::little);
        case Encoding::kUtf16Big: return std::make_unique<Utf16Decoding>(std::endian::big);
        case Encoding::kLegacy: break;
    }
    return platform::LegacyText().StartDecoding();
}

// The file decoded from its start into text (emptied first), each line ending in CR LF. False,
// as soon as it shows, when bytes were no character in the decoding's code page, and when the
// file can no longer be opened.
bool DecodeFile(const std::u16string& path, const ByteOrderMark& mark, platform::TextDecoding& decoding,
                std::vector<std::byte>& buffer, std::u16string& text) {
    text.clear();
    const auto reader = platform::Files().OpenForReading(path);
    if (!reader) return false;
    LineEnds lines;
    size_t got = ReadAtLeast(*reader, buffer, mark.bytes);
    std::span<const std::byte> bytes = std::span(buffer).first(got).subspan(std::min(got, mark.bytes));
    while (got > 0) {
        const size_t from = text.size();
        decoding.Decode(bytes, text);
        if (decoding.Replaced()) return false;
        lines.Mend(text, from);
        got = ReadAtLeast(*reader, buffer, 1);
        bytes = std::span(buffer).first(got);
    }
    const size_t from = text.size();
    decoding.Finish(text);
    if (decoding.Replaced()) return false;
    lines.Mend(text, from);
    lines.Finish(text);
    return true;
}

}  // namespace

std::optional<std::u16string> ReadTextFile(const std::u16string& path) {
    std::vector<std::byte> buffer(kChunkBytes);
    ByteOrderMark mark;
    uint64_t units = 0;
    {
        // A first pass learns what the text will need: the mark, the size, the lone CRs.
        const auto reader = platform::Files().OpenForReading(path);
        if (!reader) return std::nullopt;
        size_t got = ReadAtLeast(*reader, buffer, 3);
        mark = MarkOf(std::span(buffer).first(got));
        LoneCrCount loneCrs(mark.bytesPerUnit, mark.order);
        loneCrs.Add(std::span(buffer).first(got).subspan(mark.bytes));
        while ((got = ReadAtLeast(*reader, buffer, 1)) > 0) loneCrs.Add(std::span(buffer).first(got));
        // A character takes at least one byte in every code page, and two in UTF-16.
        units = reader->SizeHint() / mark.bytesPerUnit + loneCrs.Total();
    }

    // The decoders write straight into the text.
    std::u16string text;
    Reserve(text, units);
    if (DecodeFile(path, mark, *StartDecoding(mark.encoding), buffer, text)) return text;
    // A file in the legacy code page that is not text in it may be in Japanese Windows' own.
    if (mark.encoding == Encoding::kLegacy) {
        const auto fallback = platform::LegacyText().StartFallbackDecoding();
        if (fallback && DecodeFile(path, mark, *fallback, buffer, text)) return text;
    }
    return std::nullopt;
}

}  // namespace tabora::text
