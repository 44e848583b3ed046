#pragma once

// The classic sectioned key=value settings file, read and written as
// Windows' profile functions do: names compared without letter case, values
// raw (a backslash is an ordinary character), and a write that changes only
// the one line it must.

#include <filesystem>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace rivetbay {

inline constexpr std::size_t profileValueLimit = 4095;
// A settings file larger than this is not one of ours: it is left alone.
inline constexpr std::size_t profileFileLimit = 1 << 20;

enum class ProfileEncoding { Bytes, Utf8Mark, Utf16LittleEndian, Utf16BigEndian };

struct ProfileFile {
    enum class State { Missing, Read, Unreadable };
    State state = State::Missing;
    // The text without its byte-order mark: raw bytes, or UTF-8 for a file
    // written with a mark.
    std::string text;
    ProfileEncoding encoding = ProfileEncoding::Bytes;
};

// Reads at most profileFileLimit bytes, never waits, and takes only a
// regular file: a FIFO, a device, a directory or a file it may not read is
// Unreadable. Only a file that does not exist is Missing.
ProfileFile readProfileFile(const std::filesystem::path& file);

// The value, trimmed and without enclosing quotes, at most 4095 characters;
// `fallback` when the section or the key is missing.
std::string profileStringIn(std::string_view text, std::string_view section, std::string_view key,
                            std::string_view fallback);

// Several keys of one section in one read and one write, in the given order,
// in the file's own encoding and line breaks, everything else kept. Creates
// a missing file; never touches one it could not read. Refuses a value that
// would break the file's lines or that its encoding cannot hold. Returns
// whether the file now holds the values.
using ProfileEntry = std::pair<std::string_view, std::string_view>; // key, value
bool writeProfileStrings(const std::filesystem::path& file, std::string_view section,
                         std::span<const ProfileEntry> entries);
inline bool writeProfileStrings(const std::filesystem::path& file, std::string_view section,
                                std::initializer_list<ProfileEntry> entries)
{
    return writeProfileStrings(file, section, std::span(entries.begin(), entries.size()));
}

// The edit itself, on a file's text: replaces the key's line, or adds it at
// the end of its section, creating the section when missing.
std::string withProfileString(std::string_view text, std::string_view section, std::string_view key,
                              std::string_view value);

} // namespace rivetbay
