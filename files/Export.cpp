#include "files/Export.h"

#include "catalogue/CarCatalogue.h"
#include "files/AsciiCase.h"
#include "files/PlatformFile.h"
#include "files/SafeWrite.h"
#include "files/TextEncoding.h"
#include "files/VariantListing.h"
#include "files/VcfNames.h"
#include "files/VcfWriter.h"

#include <algorithm>
#include <cerrno>
#include <set>

namespace rivetbay {

namespace {

int modelIndex(int model) { return model >= 0 && model < CarCatalogue::modelCount ? model : 0; }

// The number after the model's base and every file of it the scan found.
std::uint8_t numberAfter(const ModelSpec& m, const std::vector<std::string>& files)
{
    return static_cast<std::uint8_t>(m.exportBase + 1 + files.size()); // wraps from 255 to 0
}

ExportResult refused(const char* text)
{
    ExportResult result;
    result.outcome = ExportResult::Outcome::Refused;
    result.refusal = text;
    return result;
}

} // namespace

std::uint8_t nextExportNumber(const std::filesystem::path& directory, int model)
{
    const ModelSpec& m = CarCatalogue::model(modelIndex(model));
    return numberAfter(m, findVehicleFiles(directory, m.variantFileCode));
}

ExportResult exportVariant(const CarConfig& config, const std::filesystem::path& directory,
                           const std::vector<std::string>& nameList)
{
    const ModelSpec& m = CarCatalogue::model(modelIndex(config.model));
    // Judged as the game will read it, up to a NUL: "\0x" is no name at all.
    const std::string name(nameTheGameReads(config));
    const bool listed = std::any_of(nameList.begin(), nameList.end(), [&](const std::string& n) {
        return equalsIgnoringCase1252(n, name);
    });
    if (name.empty() || listed) return refused(exportNotUniqueText);

    ExportResult result;
    if (directory.empty()) { // no vehicle directory to write into
        result.failure = makeFileError(FileErrorKind::NotFound, Stage::Opening, directory, ENOENT);
        return result;
    }

    // Exports into one directory take turns, and each scans it under the
    // lock: one scan gives the number, the files taken and their names, so a
    // name another export or program added since the listing is taken too.
    const platform::DirectoryLock lock(directory);
    if (lock.busy()) return refused(exportBusyText);
    if (!lock.held()) {
        FileError error = makeFileError(FileErrorKind::Unknown, Stage::Opening, directory, lock.error());
        error.reason = "The vehicle folder could not be locked for the export (" +
                       systemReason(lock.error()) + "); nothing was written.";
        error.message = utf8FromPath(directory) + ": " + error.reason;
        result.failure = std::move(error);
        return result;
    }
    const std::vector<std::string> files = findVehicleFiles(directory, m.variantFileCode);
    for (const std::string& taken : readVariantNames(directory, files))
        if (equalsIgnoringCase1252(taken, name)) return refused(exportNotUniqueText);
    std::uint8_t number = numberAfter(m, files);
    // The game finds files whatever their letter case: a name taken in any
    // case is taken.
    std::set<std::string> taken;
    for (const std::string& file : files) taken.insert(asciiLowered(file));
    const std::vector<std::uint8_t> image = buildVcfImage(config);
    for (int attempt = 0; attempt < 256; ++attempt, ++number) {
        const std::string file = VcfNames::exportFileName(m, number);
        if (taken.count(asciiLowered(file)) != 0) continue;
        const std::filesystem::path path = directory / file;
        FileResult written = writeNewFile(path, image);
        if (written) {
            result.outcome = ExportResult::Outcome::Written;
            result.path = path;
            return result;
        }
        if (written.error().systemError == EEXIST) continue; // appeared since the scan
        result.failure = written.error(); // not shown by the window, as the writer's failures
        return result;
    }
    return refused(exportNoNumberText);
}

std::string notWrittenText(const ExportResult& result, const std::filesystem::path& directory)
{
    if (result.failure) return result.failure->message;
    return "No vehicle file could be written in " + utf8FromPath(directory) + ".";
}

} // namespace rivetbay
