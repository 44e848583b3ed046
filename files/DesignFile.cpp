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
constexpr std::size_t implausible = 10; // of the 19 selections and the turret

// `read` is what the car reader made of the file; `config` is taken over
// only when it is a plausible design.
FileResult plausible(FileResult read, const std::filesystem::path& shown, const CarConfig& made,
                     CarConfig& config)
{
    if (!read) return read;
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

bool readsAsPlausibleCar(std::span<const std::uint8_t> bytes)
{
    SpanSource source(bytes);
    CarConfig made;
    return readCarRecord(source, made) && selectionsOutsideTables(made).size() < implausible;
}

// The game's tags can stand in a car file by chance: a name such as "Team
// BWD2" is followed by the model number, and the bytes after a car record are
// anything. A file that reads as a car record making a plausible design is
// the car file it looks like, unless it begins as every vehicle file does,
// which no car file can (its name would hold NUL bytes).
bool isVehicleFile(std::span<const std::uint8_t> bytes)
{
    if (!carriesVehicleSignature(bytes)) return false;
    return beginsAsVehicleFile(bytes) || !readsAsPlausibleCar(bytes);
}

FileResult readDesign(std::span<const std::uint8_t> bytes, const std::filesystem::path& shown,
                      CarConfig& config, std::vector<std::string>& warnings, DesignKind* kind)
{
    const bool vehicle = isVehicleFile(bytes);
    if (kind) *kind = vehicle ? DesignKind::VehicleFile : DesignKind::CarFile;
    if (!vehicle) {
        CarConfig made = config;
        return plausible(readCarBytes(bytes, shown, made), shown, made, config);
    }
    VcfImport imported;
    return takeImport(importVehicleBytes(bytes, shown, imported), imported, config, warnings);
}

// As much of a design file as either kind can use: a car record with the
// longest name (what follows a record is ignored), which is more than any
// vehicle file may hold. Read once, from one handle, so that a file replaced
// while it is opened is still read as one file.
constexpr std::size_t designReadLimit = 7 + CarFileLayout::nameByteLimit + CarFileLayout::integersSize;
static_assert(designReadLimit > vehicleFileLimit);

// A car file's selections are left exactly as stored; a vehicle file is
// imported, with `warnings` naming what did not map. `config` changes only
// when the whole file was read.
FileResult readDesignFile(const std::filesystem::path& path, CarConfig& config,
                          std::vector<std::string>& warnings, DesignKind& kind)
{
    kind = DesignKind::CarFile;
    std::vector<std::uint8_t> bytes;
    if (FileResult read = readFileStart(path, designReadLimit, bytes); !read) return read;
    return readDesign(bytes, path, config, warnings, &kind);
}

FileResult normalised(FileResult read, OpenedDesign& design)
{
    if (!read) return read;
    design.outOfRange = selectionsOutsideTables(design.config);
    normaliseSelections(design.config); // no index outside its list goes further
    return read;
}

} // namespace

FileResult openDesign(const std::filesystem::path& path, OpenedDesign& design)
{
    return normalised(readDesignFile(path, design.config, design.warnings, design.kind), design);
}

FileResult openDesignBytes(std::span<const std::uint8_t> bytes, const std::filesystem::path& shown,
                           OpenedDesign& design)
{
    return normalised(readDesign(bytes, shown, design.config, design.warnings, &design.kind), design);
}

std::optional<DesignKind> designKindOf(const std::filesystem::path& path)
{
    std::vector<std::uint8_t> bytes;
    if (!readFileStart(path, designReadLimit, bytes)) return std::nullopt;
    if (isVehicleFile(bytes)) return DesignKind::VehicleFile;
    CarConfig made;
    std::vector<std::string> warnings;
    if (readDesign(bytes, path, made, warnings, nullptr)) return DesignKind::CarFile;
    return std::nullopt;
}

} // namespace rivetbay
