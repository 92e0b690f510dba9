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

std::vector<std::string> OfficeEnvironment(const std::string& tempDir, const std::vector<std::string>& variables) {
    std::vector<std::string> overrides = variables;
    if (!tempDir.empty()) overrides.push_back("TMPDIR=" + tempDir);
    auto overridden = [&](std::string_view entry) {
        std::string_view name = entry.substr(0, entry.find('=') + 1);
        for (const std::string& o : overrides)
            if (std::string_view(o).substr(0, o.find('=') + 1) == name) return true;
        return false;
    };
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e)
        if (!overridden(*e)) env.emplace_back(*e);
    env.insert(env.end(), overrides.begin(), overrides.end());
    return env;
}

}  // namespace tabora::calc
