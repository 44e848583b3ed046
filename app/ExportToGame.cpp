#include "app/ExportToGame.h"

#include "app/Settings.h"
#include "car/Recalculate.h"
#include "files/DesignFile.h"
#include "files/Export.h"
#include "files/TextEncoding.h"
#include "files/VariantListing.h"

namespace rivetbay {

namespace fs = std::filesystem;

std::string gameFolderGoneText(const fs::path& folder)
{
    return "The game folder in Rivetbay's settings, " + utf8FromPath(folder) +
           ", is gone: start Rivetbay and show it where the game is now.";
}

std::string gameFolderIsAFileText(const fs::path& folder)
{
    return "The game folder in Rivetbay's settings, " + utf8FromPath(folder) +
           ", is a file, not a folder: start Rivetbay and show it where the game is.";
}

int exportToGame(const fs::path& carFile, const fs::path& settingsFolder, UiServices& services,
                 const std::string& applicationName)
{
    const auto say = [&](MessageIcon icon, const std::string& caption, const std::string& text) {
        services.showMessage(icon, caption, text);
        return icon == MessageIcon::Stop ? 1 : 0;
    };
    if (carFile.empty()) return say(MessageIcon::Stop, applicationName, noCarToExportText);
    // Read only: a start from the file manager makes no settings of its own.
    const PathSettings paths = readPathSettings(settingsFileIn(settingsFolder), settingsFolder);
    fs::path game = paths.vcfPath;
    if (!game.empty() && game.is_relative()) game = settingsFolder / game; // as the editor, started there
    if (game.empty()) return say(MessageIcon::Stop, applicationName, gameFolderUnknownText);
    if (!folderExists(game)) {
        std::error_code ec;
        return say(MessageIcon::Stop, applicationName,
                   fs::exists(game, ec) ? gameFolderIsAFileText(game) : gameFolderGoneText(game));
    }

    OpenedDesign design;
    if (const FileResult read = openDesign(carFile, design); !read)
        return say(MessageIcon::Stop, applicationName,
                   "Could not read " + utf8FromPath(carFile) + ":\n" + read.error().message);
    const RecalcResult pass = recalculateWithListing(design.config, game);
    ExportResult result;
    {
        WaitCursor wait(services);
        result = exportVariant(design.config, game, pass.variantNames);
    }
    switch (result.outcome) {
    case ExportResult::Outcome::Written:
        return say(MessageIcon::Information, applicationName,
                   "\"" + printable(utf8FromWindows1252(design.config.name)) + "\" is in the game now, as " +
                       utf8FromPath(result.path.filename()) + " in " + utf8FromPath(game) + ".");
    case ExportResult::Outcome::Refused:
        return say(MessageIcon::Stop, exportCaption, result.refusal);
    case ExportResult::Outcome::NotWritten:
        break;
    }
    return say(MessageIcon::Stop, applicationName, notWrittenText(result, game));
}

} // namespace rivetbay
