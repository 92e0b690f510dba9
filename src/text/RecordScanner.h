#pragma once
// The records of one loaded text: the non-empty pieces between CR LF pairs. They are found as
// the cursor moves, so that loading and walking a large text is a single pass with no memory
// per record; the count is taken by one more pass, only when asked for. The text is shared, so
// the record under the cursor stays readable after the reader has loaded another text.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "text/CharSearch.h"

namespace tabora::text {

using SharedText = std::shared_ptr<const std::u16string>;

// A record's place in its text; a record is never empty, so length 0 stands for "none".
struct TextSpan {
    size_t begin = 0;
    size_t length = 0;
    size_t End() const { return begin + length; }
    explicit operator bool() const { return length > 0; }
};

class RecordScanner {
public:
    RecordScanner() = default;
    explicit RecordScanner(SharedText text);

    const SharedText& Text() const { return text_; }
    // Record 0; none when the text has no record.
    TextSpan First() const { return first_; }
    // The record after record; none after the last.
    TextSpan NextAfter(const TextSpan& record) const { return RecordFrom(record.End() + 2); }
    // How many records there are, at most limit.
    int32_t Count(int32_t limit) const;
    std::u16string_view View(const TextSpan& record) const {
        return std::u16string_view(*text_).substr(record.begin, record.length);
    }

private:
    // The first record that begins at or after position from; walking a text runs through here
    // once for every record, hence inline.
    TextSpan RecordFrom(size_t from) const {
        const std::u16string_view text(*text_);
        while (from < text.size()) {
            size_t end = FindUnit(text, u'\r', from);
            while (end != std::u16string_view::npos && (end + 1 == text.size() || text[end + 1] != u'\n'))
                end = FindUnit(text, u'\r', end + 1);
            if (end == std::u16string_view::npos) return {from, text.size() - from};
            if (end > from) return {from, end - from};
            from = end + 2;  // an empty record is no record
        }
        return {};
    }

    SharedText text_;
    TextSpan first_;
};

// One record, with the text it lies in kept alive.
class RecordView {
public:
    // Moving on within the same text costs no reference counting.
    void Assign(const SharedText& text, TextSpan span) {
        if (text_ != text) text_ = text;
        span_ = span;
    }
    std::u16string_view View() const {
        return text_ ? std::u16string_view(*text_).substr(span_.begin, span_.length) : std::u16string_view();
    }

private:
    SharedText text_;
    TextSpan span_;
};

}  // namespace tabora::text
