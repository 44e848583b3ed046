#pragma once

// Players on Linux run the game under Wine, so it usually sits inside a Wine
// prefix: $WINEPREFIX, ~/.wine, or one of Steam's Proton prefixes. These are
// hidden folders a file dialog does not show by itself.

#include <filesystem>
#include <vector>

namespace rivetbay {

// The "drive_c" folder of every existing prefix, $WINEPREFIX's first, each
// once. `winePrefix` may be empty; `home` is the user's home folder.
std::vector<std::filesystem::path> wineDriveFolders(const std::filesystem::path& home,
                                                    const std::filesystem::path& winePrefix);

} // namespace rivetbay
