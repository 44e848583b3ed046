#include "files/DesignFile.h"

#include "files/CarFile.h"
#include "files/TextEncoding.h"
#include "files/VcfReader.h"

namespace rivetbay {

namespace {

FileResult takeImport(FileResult read, VcfImport& imported, CarConfig& config,
                      std::vector<std::string>& warnings)
{
    if (!read) return read;
    config = std::move(imported.config);
    warnings = std::move(imported.warnings);
    return read;
}

// A car file whose selections are nearly all outside their tables is no car
// file: bytes of something else, which would show as a blank design.
// `read` is what the car reader made of the file; `config` is taken over
// only when it is a plausible design.
FileResult plausible(FileResult read, const std::filesystem::path& shown, const CarConfig& made,
                     CarConfig& config)
{
    if (!read) return read;
    constexpr std::size_t implausible = 10; // of the 19 selections and the turret
    if (selectionsOutsideTables(made).size() >= implausible) {
        constexpr const char* what = "is neither a Rivetbay car file nor a vehicle file of the game.";
        FileError error = makeFileError(FileErrorKind::Unknown, Stage::Reading, shown);
        error.message = utf8FromPath(shown) + " " + what;
        error.reason = std::string("It ") + what;
        return error;
    }
    config = made;
    return read;
}

} // namespace

FileResult readDesignFile(const std::filesystem::path& path, CarConfig& config,
                          std::vector<std::string>& warnings, DesignKind* kind)
{
    const bool vehicle = carriesVehicleSignature(path);
    if (kind) *kind = vehicle ? DesignKind::VehicleFile : DesignKind::CarFile;
    if (!vehicle) {
        CarConfig made = config;
        return plausible(readCarFile(path, made), path, made, config);
    }
    VcfImport imported;
    return takeImport(importVehicleFile(path, imported), imported, config, warnings);
}

FileResult readDesignBytes(std::span<const std::uint8_t> bytes, const std::filesystem::path& shown,
                           CarConfig& config, std::vector<std::string>& warnings)
{
    if (!carriesVehicleSignature(bytes)) {
        CarConfig made = config;
        return plausible(readCarBytes(bytes, shown, made), shown, made, config);
    }
    VcfImport imported;
    return takeImport(importVehicleBytes(bytes, shown, imported), imported, config, warnings);
}

} // namespace rivetbay
