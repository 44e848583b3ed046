#pragma once

// Exporting a design as a new vehicle file in the game's vehicle directory.

#include "car/CarConfig.h"
#include "files/FileError.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace rivetbay {

inline constexpr const char* exportCaption = "Rivetbay : Can't export to VCF";
inline constexpr const char* exportNotUniqueText =
    "The variant must have a unique model/name combination.";
inline constexpr const char* exportNoNumberText =
    "No free vehicle file number is left for this model.";
inline constexpr const char* exportBusyText = "The vehicle folder is busy; try again.";

// exportBase + 1 + the number of matching entries, wrapping at 256.
std::uint8_t nextExportNumber(const std::filesystem::path& directory, int model);

struct ExportResult {
    enum class Outcome { Written, Refused, NotWritten };
    Outcome outcome = Outcome::NotWritten;
    std::filesystem::path path; // the file written
    std::string refusal;        // the message text when refused
    std::optional<FileError> failure; // why nothing was written, when not refused
};

// Refuses an empty name or one the name list already holds (letter case not
// counting). Never replaces an existing vehicle file: a taken number moves on
// to the next free one. Refused when another process keeps the folder's lock
// too long, since only the lock keeps one name to one file. The caller
// recalculates afterwards in every case.
ExportResult exportVariant(const CarConfig& config, const std::filesystem::path& directory,
                           const std::vector<std::string>& nameList);

// Why an export into `directory` wrote nothing, when it was not refused: the
// file error's own words, or the folder's name.
std::string notWrittenText(const ExportResult& result, const std::filesystem::path& directory);

} // namespace rivetbay
