#pragma once
// A folder of its own for one test: made empty and unique, removed with its contents at the end.

#include <filesystem>
#include <string>
#include <string_view>

namespace tabora::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // The full path of name inside the folder (nothing is created).
    std::u16string File(std::u16string_view name) const;
    // Writes bytes to a file in the folder and returns its path.
    std::filesystem::path Write(const std::string& name, std::string_view bytes) const;

private:
    std::filesystem::path path_;
};

}  // namespace tabora::test
