#pragma once
// File names cross to the system as UTF-8 bytes.

#include <optional>
#include <string>
#include <string_view>

namespace tabora::platform::posix {

// The UTF-8 form of path; nothing when it cannot name a file (empty, a NUL character inside, a
// lone surrogate), so that such a path is never cut short or altered into another file's name.
std::optional<std::string> NativePath(std::u16string_view path);

}  // namespace tabora::platform::posix
