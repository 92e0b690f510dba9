#pragma once
// Where the office is, the file URLs it wants instead of paths, and the environment it runs in.

#include <filesystem>
#include <string>
#include <vector>

namespace tabora::calc {

// soffice.bin itself: the soffice script forks twice, and the process must be our own child.
std::string OfficeProgram();

// A file URL (percent-encoded UTF-8) for an absolute path.
std::string FileUrl(const std::filesystem::path& path);

// The tool's environment with TMPDIR set to the office's own temporary folder: what the office
// leaves there goes with that folder, not into the system's. The variables given ("NAME=value")
// take the place of the tool's own.
std::vector<std::string> OfficeEnvironment(const std::string& tempDir, const std::vector<std::string>& variables = {});

}  // namespace tabora::calc
