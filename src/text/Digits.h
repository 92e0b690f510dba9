#pragma once
// The digits the system reads and writes in numbers: ASCII 0 to 9 only (a full-width digit is
// another character).

namespace tabora::text {

constexpr bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

}  // namespace tabora::text
