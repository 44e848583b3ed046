#pragma once

// The settings file: its name, each of its keys declared once with its
// section, what it holds and its default, and the folders it remembers.

#include <filesystem>
#include <string_view>

namespace rivetbay {

inline constexpr const char* settingsFileName = "Rivetbay.ini";

struct PathSettings {
    std::filesystem::path vcfPath; // the game's vehicle directory
    std::filesystem::path rbcPath; // the last car-file directory
};

std::filesystem::path settingsFileIn(const std::filesystem::path& startDirectory);

// A file that could not be read gives the defaults; the writes then leave it alone.
PathSettings readPathSettings(const std::filesystem::path& settingsFile,
                              const std::filesystem::path& startDirectory);

// Every key in one write. Returns whether it succeeded.
bool writePathSettings(const std::filesystem::path& settingsFile, const PathSettings& settings);

// Whether `path` names a folder (through links); an empty path never does.
bool folderExists(const std::filesystem::path& path);

} // namespace rivetbay
