#pragma once

// The platform's rules for names, paths and command lines, decided here by
// the build so that the layers above decide nothing by platform.

#include <string_view>

namespace rivetbay::platform {

#ifdef _WIN32
// Besides control characters, what a file name may not hold.
inline constexpr std::string_view forbiddenInFileNames = "<>:\"/\\|?*";
// A name's trailing dots and spaces are dropped by the file system.
inline constexpr bool dropsTrailingDotsAndSpaces = true;
// "/" starts a switch on a command line, as "-" does.
inline constexpr bool slashStartsSwitch = true;
inline constexpr std::string_view pathSeparators = "\\/";
// The game runs here itself, not inside a Wine prefix.
inline constexpr bool gameUnderWine = false;
#else
inline constexpr std::string_view forbiddenInFileNames = "/";
inline constexpr bool dropsTrailingDotsAndSpaces = false;
inline constexpr bool slashStartsSwitch = false;
inline constexpr std::string_view pathSeparators = "/";
inline constexpr bool gameUnderWine = true;
#endif

} // namespace rivetbay::platform
