#include "platform/calc/OfficePaths.h"

#include <string_view>

extern char** environ;

namespace tabora::calc {

std::string OfficeProgram() { return std::string(TABORA_LO_PROGRAM_DIR) + "/soffice.bin"; }

std::string FileUrl(const std::filesystem::path& path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (unsigned char c : path.string()) {
        bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                     c == '/' || c == '-' || c == '_' || c == '.' || c == '~';
        if (plain) {
            url += static_cast<char>(c);
        } else {
            url += '%';
            url += kHex[c >> 4];
            url += kHex[c & 15];
        }
    }
    return url;
}

std::vector<std::string> OfficeEnvironment(const std::string& tempDir) {
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e)
        if (std::string_view(*e).substr(0, 7) != "TMPDIR=") env.emplace_back(*e);
    if (!tempDir.empty()) env.push_back("TMPDIR=" + tempDir);
    return env;
}

}  // namespace tabora::calc
