#include "app/WinePrefixes.h"

#include <algorithm>

namespace rivetbay {

namespace fs = std::filesystem;

namespace {

// Where Steam keeps its library: the native package, the older link, and
// the Flatpak.
const char* const steamRoots[] = {
    ".local/share/Steam",
    ".steam/steam",
    ".var/app/com.valvesoftware.Steam/.local/share/Steam",
};

void addIfDrive(std::vector<WineDrive>& found, const fs::path& prefix, const std::string& label)
{
    std::error_code ec;
    const fs::path drive = prefix / "drive_c";
    if (!fs::is_directory(drive, ec)) return;
    // ~/.steam/steam is usually a link to ~/.local/share/Steam: list it once.
    const fs::path real = fs::weakly_canonical(drive, ec);
    for (const WineDrive& known : found)
        if (fs::weakly_canonical(known.folder, ec) == real) return;
    found.push_back({label, drive});
}

// A folder in the home folder as a shell writes it: "~/.wine".
std::string shortened(const fs::path& folder, const fs::path& home)
{
    const fs::path inside = folder.lexically_relative(home);
    if (home.empty() || inside.empty() || *inside.begin() == "..") return folder.string();
    return inside == "." ? "~" : (fs::path("~") / inside).string();
}

} // namespace

std::vector<WineDrive> wineDrives(const fs::path& home, const fs::path& winePrefix)
{
    std::vector<WineDrive> found;
    if (!winePrefix.empty())
        addIfDrive(found, winePrefix, "Wine (" + shortened(winePrefix, home) + ")");
    if (home.empty()) return found;
    addIfDrive(found, home / ".wine", "Wine (~/.wine)");
    for (const char* root : steamRoots) {
        std::error_code ec;
        const fs::path compat = home / root / "steamapps" / "compatdata";
        std::vector<fs::path> games;
        for (fs::directory_iterator it(compat, ec), end; !ec && it != end; it.increment(ec))
            games.push_back(it->path());
        std::sort(games.begin(), games.end()); // a stable order, whatever the directory's
        for (const fs::path& game : games)
            addIfDrive(found, game / "pfx", "Steam " + game.filename().string());
    }
    return found;
}

} // namespace rivetbay
