#pragma once
// Line ends as the reader cuts them: text pasted from elsewhere may end its lines with a bare LF
// or a bare CR, or with Unicode's line and paragraph separators (a Qt box makes U+2028 of
// Shift+Enter).

#include <string>
#include <string_view>

namespace tabora::text {

// text with every CR or LF that is not part of a CR LF pair, and every U+2028 and U+2029, made
// one.
std::u16string WithCrLfLineEnds(std::u16string_view text);

}  // namespace tabora::text
