#pragma once
// Reading a text file in the legacy code page as lines, through the installed file system and
// decoder.

#include <optional>
#include <string>

namespace tabora::text {

// The file's lines, each followed by CR LF. The file is in the legacy code page, or else in code
// page 932, unless it begins with a byte-order mark: EF BB BF reads as UTF-8, FF FE and FE FF as
// UTF-16; the mark is dropped. A line ends at CR LF or at a lone CR; a lone LF stays in the line;
// a last line without an end counts. Nothing when the file cannot be opened, or holds bytes that
// are no character in its encoding (never a text with U+FFFD in their place). A read error after
// opening throws RuntimeError: the text would be cut short.
std::optional<std::u16string> ReadTextFile(const std::u16string& path);

}  // namespace tabora::text
