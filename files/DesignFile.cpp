#include "files/DesignFile.h"

#include "files/CarFile.h"
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

} // namespace

FileResult readDesignFile(const std::filesystem::path& path, CarConfig& config,
                          std::vector<std::string>& warnings, DesignKind* kind)
{
    const bool vehicle = isVehicleFile(path);
    if (kind) *kind = vehicle ? DesignKind::VehicleFile : DesignKind::CarFile;
    if (!vehicle) return readCarFile(path, config);
    VcfImport imported;
    return takeImport(importVehicleFile(path, imported), imported, config, warnings);
}

FileResult readDesignBytes(std::span<const std::uint8_t> bytes, const std::filesystem::path& shown,
                           CarConfig& config, std::vector<std::string>& warnings)
{
    if (!looksLikeVehicleFile(bytes)) return readCarBytes(bytes, shown, config);
    VcfImport imported;
    return takeImport(importVehicleBytes(bytes, shown, imported), imported, config, warnings);
}

} // namespace rivetbay
