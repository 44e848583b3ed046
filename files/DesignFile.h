#pragma once

// Opening a design: a car file, or a vehicle file of the game, told apart by
// content rather than by name.

#include "car/CarConfig.h"
#include "files/FileError.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace rivetbay {

enum class DesignKind { CarFile, VehicleFile };

// A car file's selections are left exactly as stored (the caller reports or
// normalises them); a vehicle file is imported, with `warnings` naming what
// did not map. `config` changes only when the whole file was read; `kind`,
// when given, tells which of the two the file was.
FileResult readDesignFile(const std::filesystem::path& path, CarConfig& config,
                          std::vector<std::string>& warnings, DesignKind* kind = nullptr);
FileResult readDesignBytes(std::span<const std::uint8_t> bytes, const std::filesystem::path& shown,
                           CarConfig& config, std::vector<std::string>& warnings);

// Which of the two an existing file holds, damaged or not; nothing for a
// file that is neither, or cannot be read.
std::optional<DesignKind> designKindOf(const std::filesystem::path& path);

} // namespace rivetbay
