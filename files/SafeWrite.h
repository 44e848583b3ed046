#pragma once

// Writing files without ever destroying what was there: a replacement goes
// to a temporary file beside the target, reaches the disk, and only then
// takes the target's place; a new file is created so that it cannot replace
// one that appeared meanwhile.

#include "files/FileError.h"

#include <cstdint>
#include <filesystem>
#include <span>

namespace rivetbay {

std::filesystem::path temporaryPathFor(const std::filesystem::path& target);

// On failure the old file is left exactly as it was and no temporary file
// remains.
FileResult writeFileReplacing(const std::filesystem::path& target,
                              std::span<const std::uint8_t> bytes);

enum class CreateOutcome { Created, AlreadyExists, Failed };

CreateOutcome writeNewFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

} // namespace rivetbay
