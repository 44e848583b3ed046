#pragma once

// The classic sectioned key=value settings file, read and written as
// Windows' profile functions do: names compared without letter case, values
// raw (a backslash is an ordinary character), and a write that changes only
// the one line it must.

#include <filesystem>
#include <string>
#include <string_view>
#include <initializer_list>
#include <utility>

namespace rivetbay {

inline constexpr std::size_t profileValueLimit = 4095;

// The value, trimmed and without enclosing quotes, at most 4095 characters;
// `fallback` when the file, the section or the key is missing.
std::string readProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key, std::string_view fallback);

// The file's whole text; empty when it is missing or cannot be read.
std::string profileText(const std::filesystem::path& file);

// The same as readProfileString, on a file's text.
std::string profileStringIn(std::string_view text, std::string_view section,
                            std::string_view key, std::string_view fallback);

// Replaces the key's line, or adds it at the end of its section, creating the
// section and the file when missing. Returns whether the file was written.
bool writeProfileString(const std::filesystem::path& file, std::string_view section,
                        std::string_view key, std::string_view value);

// Several keys of one section in one read and one write, in the given order.
bool writeProfileStrings(const std::filesystem::path& file, std::string_view section,
                         std::initializer_list<std::pair<std::string_view, std::string_view>> entries);

// The edit itself, on a file's text.
std::string withProfileString(std::string_view text, std::string_view section,
                              std::string_view key, std::string_view value);

} // namespace rivetbay
