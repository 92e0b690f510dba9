#pragma once
// The per-user template profile: made once by a first start of the office, then copied for
// every new instance, so that a start skips the office's slow first-start work. Kept per build
// of the office: a profile of another build makes the office upgrade it and restart.

#include <filesystem>

namespace tabora::calc {

// The template folder, made on first use (throws RuntimeError when the office cannot make it).
std::filesystem::path EnsureProfileTemplate();

// Drops the template, so that the next copy makes a new one (an office that wanted to restart
// on a copy of it found it of another build).
void DiscardProfileTemplate();

// Copies the template to target (which must not exist yet).
void CopyProfileTemplate(const std::filesystem::path& target);

}  // namespace tabora::calc
