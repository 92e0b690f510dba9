#include "text/RecordScanner.h"

namespace tabora::text {

RecordScanner::RecordScanner(SharedText text) : text_(std::move(text)), first_(RecordFrom(0)) {}

int32_t RecordScanner::Count(int32_t limit) const {
    if (!text_) return 0;
    const std::u16string_view text(*text_);
    int32_t count = 0;
    size_t start = 0;
    ForEachUnit(text, u'\r', [&](size_t cr) {
        if (cr + 1 == text.size() || text[cr + 1] != u'\n') return true;
        if (cr > start) ++count;
        start = cr + 2;
        return count < limit;
    });
    if (count < limit && start < text.size()) ++count;
    return count;
}

}  // namespace tabora::text
