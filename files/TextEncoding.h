#pragma once

// Text encodings. The game's 8-bit text is Windows-1252: names stay in it
// inside the core and are decoded only where they meet a window or a
// terminal. Settings files may be UTF-8 or UTF-16.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace rivetbay {

std::u16string utf16FromWindows1252(std::string_view text);
std::string utf8FromWindows1252(std::string_view text);

// A character that Windows-1252 cannot hold becomes '?'.
std::string windows1252FromUtf16(std::u16string_view text);
// Whether Windows-1252 has a place for the character.
bool inWindows1252(char32_t cp);
// The same from UTF-8; a byte that is no UTF-8 becomes '?' too.
std::string windows1252FromUtf8(std::string_view text);

// Half a surrogate pair becomes U+FFFD.
std::string utf8FromUtf16(std::u16string_view text);
// Nothing when `text` is not valid UTF-8.
std::optional<std::u16string> utf16FromUtf8(std::string_view text);

// File names and paths as UTF-8 text, and back. On Windows a narrow string
// would otherwise pass through the ANSI code page, which cannot hold every
// name; elsewhere paths are bytes and pass unchanged.
std::filesystem::path pathFromUtf8(std::string_view text);
std::string utf8FromPath(const std::filesystem::path& path);

// UTF-8 text from a file as a terminal or a window may show it: control
// characters (C0, DEL and C1) as \n, \t, \x1b and so on.
std::string printable(std::string_view text);

// Letter-case folding as the game's platform compares names.
char foldCase1252(char c);
bool equalsIgnoringCase1252(std::string_view a, std::string_view b);

// A UTF-8 file name with its letters folded as a file system that ignores
// case folds them (Latin, Greek and Cyrillic), so that "É.rbc" and "é.rbc"
// are one name. Text that is not UTF-8 folds its ASCII letters only.
std::string fileNameFolded(std::string_view utf8);

} // namespace rivetbay
