#include "text/TextFileReading.h"

#include <algorithm>
#include <new>
#include <stdexcept>
#include <vector>

#include "platform/Runtime.h"
#include "platform/RuntimeError.h"
#include "text/CharSearch.h"

namespace tabora::text {

namespace {

constexpr size_t kChunkBytes = 256 * 1024;
// Reserving beyond this waits for the text to grow: a size hint is no promise.
constexpr uint64_t kMaxReserveUnits = uint64_t{1} << 28;

// Appends decoded characters as they are, but for two things: an LF goes after every lone CR,
// and the last line gets a CR LF if it has none, so that every line ends with CR LF. A CR at the
// end of one chunk waits for the next to see whether an LF follows it.
class LineCollector {
public:
    explicit LineCollector(std::u16string& text) : text_(text) {}

    void Append(std::u16string_view chunk) {
        if (chunk.empty()) return;
        if (pendingCr_ && chunk[0] != u'\n') text_.push_back(u'\n');
        pendingCr_ = false;
        size_t copied = 0;
        ForEachUnit(chunk, u'\r', [&](size_t cr) {
            if (cr + 1 == chunk.size()) {
                pendingCr_ = true;
            } else if (chunk[cr + 1] != u'\n') {
                text_.append(chunk.substr(copied, cr + 1 - copied));
                text_.push_back(u'\n');
                copied = cr + 1;
            }
            return true;
        });
        text_.append(chunk.substr(copied));
    }

    void Finish() {
        if (pendingCr_) {
            text_.push_back(u'\n');
        } else if (!text_.empty() && !text_.ends_with(u"\r\n")) {
            text_.append(u"\r\n");
        }
        pendingCr_ = false;
    }

private:
    std::u16string& text_;
    bool pendingCr_ = false;
};

void Reserve(std::u16string& text, uint64_t sizeHint) {
    try {
        text.reserve(static_cast<size_t>(std::min(sizeHint, kMaxReserveUnits)));
    } catch (const std::bad_alloc&) {
        // the text grows as it is read instead
    } catch (const std::length_error&) {
    }
}

}  // namespace

std::optional<std::u16string> ReadTextFile(const std::u16string& path) {
    const auto reader = platform::Files().OpenForReading(path);
    if (!reader) return std::nullopt;
    const auto decoding = platform::LegacyText().StartDecoding();

    std::u16string text;
    // A character takes at least one byte in every legacy code page.
    Reserve(text, reader->SizeHint() + 2);
    LineCollector lines(text);
    std::vector<std::byte> buffer(kChunkBytes);
    std::u16string decoded;
    for (;;) {
        const size_t got = reader->Read(buffer);
        if (got == 0) break;
        if (got > buffer.size()) throw vb_error::Raise(vb_error::kDeviceIoError);
        decoded.clear();
        decoding->Decode(std::span(buffer).first(got), decoded);
        lines.Append(decoded);
    }
    decoded.clear();
    decoding->Finish(decoded);
    lines.Append(decoded);
    lines.Finish();
    return text;
}

}  // namespace tabora::text
