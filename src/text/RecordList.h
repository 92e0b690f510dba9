#pragma once
// The records of one loaded text, kept as positions into that text: loading a large text then
// costs one pass and no copy per record. The text is shared, so the record under the cursor stays
// readable after the reader has loaded another text.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tabora::text {

using SharedText = std::shared_ptr<const std::u16string>;

struct TextSpan {
    size_t begin = 0;
    size_t length = 0;
};

class RecordList {
public:
    RecordList() = default;
    explicit RecordList(SharedText text) : text_(std::move(text)) {}

    const SharedText& Text() const { return text_; }
    size_t Size() const { return spans_.size(); }
    std::u16string_view operator[](size_t index) const {
        const TextSpan span = spans_[index];
        return std::u16string_view(*text_).substr(span.begin, span.length);
    }
    TextSpan SpanAt(size_t index) const { return spans_[index]; }
    // May throw std::bad_alloc; the list is then as it was.
    void Append(TextSpan span) { spans_.push_back(span); }

private:
    SharedText text_;
    std::vector<TextSpan> spans_;
};

// One record, with the text it lies in kept alive.
class RecordView {
public:
    RecordView() = default;
    RecordView(SharedText text, TextSpan span) : text_(std::move(text)), span_(span) {}
    std::u16string_view View() const {
        return text_ ? std::u16string_view(*text_).substr(span_.begin, span_.length) : std::u16string_view();
    }

private:
    SharedText text_;
    TextSpan span_;
};

}  // namespace tabora::text
