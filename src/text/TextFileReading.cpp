#include "text/TextFileReading.h"

#include <vector>

#include "platform/Runtime.h"
#include "platform/RuntimeError.h"
#include "text/CharSearch.h"

namespace tabora::text {

namespace {

constexpr size_t kChunkBytes = 256 * 1024;
constexpr std::u16string_view kCrLf = u"\r\n";

// Appends decoded characters to the text line by line, each line closed by CR LF. A CR at the
// end of one chunk waits for the next to see whether an LF belongs to it.
class LineCollector {
public:
    explicit LineCollector(std::u16string& text) : text_(text) {}

    void Append(std::u16string_view chunk) {
        size_t i = 0;
        if (pendingCr_ && !chunk.empty()) {
            pendingCr_ = false;
            EndLine();
            if (chunk[0] == u'\n') i = 1;
        }
        while (i < chunk.size()) {
            const size_t cr = FindUnit(chunk, u'\r', i);
            if (cr == std::u16string_view::npos) {
                text_.append(chunk.substr(i));
                lineOpen_ = true;
                return;
            }
            text_.append(chunk.substr(i, cr - i));
            if (cr + 1 == chunk.size()) {
                pendingCr_ = true;
                return;
            }
            EndLine();
            i = cr + (chunk[cr + 1] == u'\n' ? 2 : 1);
        }
    }

    void Finish() {
        if (pendingCr_ || lineOpen_) EndLine();
        pendingCr_ = false;
    }

private:
    void EndLine() {
        text_.append(kCrLf);
        lineOpen_ = false;
    }

    std::u16string& text_;
    bool pendingCr_ = false;
    bool lineOpen_ = false;
};

}  // namespace

std::optional<std::u16string> ReadTextFile(const std::u16string& path) {
    const auto reader = platform::Files().OpenForReading(path);
    if (!reader) return std::nullopt;
    const auto decoding = platform::LegacyText().StartDecoding();

    std::u16string text;
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
