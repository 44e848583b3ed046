#pragma once

// Writing files without ever destroying what was there. A regular file is
// replaced by a fresh temporary file beside it that reaches the disk first;
// a FIFO or device is written in place, as a direct write would; anything
// else is refused. A new export file is created so that it cannot replace
// one that appeared meanwhile.

#include "files/FileError.h"

#include <cstdint>
#include <filesystem>
#include <span>

namespace rivetbay {

// On failure the old file is left exactly as it was and no temporary file
// remains. Links are followed to the file they name, which is replaced; a
// dangling link creates the file it points to.
FileResult writeFileReplacing(const std::filesystem::path& target,
                              std::span<const std::uint8_t> bytes);

// Creates `path`, which must not exist, and has it on disk before it
// succeeds. An existing name fails with the system error EEXIST.
FileResult writeNewFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

} // namespace rivetbay
