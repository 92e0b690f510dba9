#pragma once
// Where the office is, and the file URLs it wants instead of paths.

#include <filesystem>
#include <string>

namespace tabora::calc {

// soffice.bin itself: the soffice script forks twice, and the process must be our own child.
std::string OfficeProgram();

// A file URL (percent-encoded UTF-8) for an absolute path.
std::string FileUrl(const std::filesystem::path& path);

}  // namespace tabora::calc
