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

// A design opened whole, as the editor and the command line open one: every
// selection inside its table, with what was outside it as stored, what of a
// vehicle file did not map, and which kind of file it was.
struct OpenedDesign {
    CarConfig config = {}; // what a file does not hold is kept from the caller's
    DesignKind kind = DesignKind::CarFile;
    std::vector<SelectionProblem> outOfRange = {};
    std::vector<std::string> warnings = {};
};
FileResult openDesign(const std::filesystem::path& path, OpenedDesign& design);
FileResult openDesignBytes(std::span<const std::uint8_t> bytes, const std::filesystem::path& shown,
                           OpenedDesign& design);

// Which of the two an existing file holds, damaged or not; nothing for a
// file that is neither, or cannot be read.
std::optional<DesignKind> designKindOf(const std::filesystem::path& path);

} // namespace rivetbay
