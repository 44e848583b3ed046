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

// A file name as the file system will store it: "y.vcf. " is "y.vcf" where
// trailing dots and spaces are dropped.
constexpr std::string_view nameAsStored(std::string_view name)
{
    while (dropsTrailingDotsAndSpaces && !name.empty() && (name.back() == '.' || name.back() == ' '))
        name.remove_suffix(1);
    return name;
}

} // namespace rivetbay::platform
