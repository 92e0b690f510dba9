#pragma once
// The per-user template profile: made once by a first start of the office, then copied for
// every new instance, so that a start skips the office's slow first-start work.

#include <filesystem>

namespace tabora::calc {

// The template folder, made on first use (throws RuntimeError when the office cannot make it).
std::filesystem::path EnsureProfileTemplate();

// Copies the template to target (which must not exist yet).
void CopyProfileTemplate(const std::filesystem::path& target);

}  // namespace tabora::calc
