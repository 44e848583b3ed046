#include "files/VcfWriter.h"

#include "car/Mount.h"
#include "catalogue/CarCatalogue.h"
#include "files/ByteIO.h"
#include "files/SafeWrite.h"
#include "files/VcfTemplate.h"

#include <string>
#include <string_view>

namespace rivetbay {

namespace {

namespace cat = CarCatalogue;

std::int32_t partIndex(std::int32_t selection) { return selection > 0 ? selection - 1 : 0; }

char tireSize(std::int32_t tire)
{
    switch (tire) {
    case 2:
        return 'b';
    case 3:
        return 'c';
    case 4:
        return 'd';
    default:
        return 'a';
    }
}

// Multiplied without a range check, as the game stores it; wraps rather
// than overflowing.
std::uint32_t tenfold(std::int32_t points) { return static_cast<std::uint32_t>(points) * 10u; }

std::int32_t hardpoint(std::string_view layout, std::string_view token)
{
    const auto position = layout.find(token);
    return position == std::string_view::npos ? 0 : static_cast<std::int32_t>(position / 2);
}


} // namespace

std::vector<std::uint8_t> buildVcfImage(const CarConfig& design)
{
    CarConfig c = design;
    normaliseSelections(c); // no index outside its table reaches a lookup
    const ModelSpec& m = cat::model(c.model);
    const auto& header = VcfLayout::vcfTemplate();
    std::vector<std::uint8_t> image(header.begin(), header.end());

    if (!c.name.empty()) putText(image, VcfLayout::nameOffset, VcfLayout::nameSize, c.name);
    putText(image, VcfLayout::definitionOffset, VcfLayout::textFieldSize, VcfLayout::definitionFile(m));
    putText(image, VcfLayout::textureOffset, VcfLayout::textFieldSize,
            std::string(m.textureBaseName) + std::to_string(std::int64_t{c.paintScheme} + 1) +
                ".vtf");
    putU32(image, VcfLayout::engineOffset, static_cast<std::uint32_t>(partIndex(c.engine)));
    putU32(image, VcfLayout::suspensionOffset, static_cast<std::uint32_t>(partIndex(c.suspension)));
    putU32(image, VcfLayout::brakesOffset, static_cast<std::uint32_t>(partIndex(c.brakes)));

    const std::string front = VcfLayout::tireStem(m, m.frontTireCode) + tireSize(c.frontTires) + ".wdf";
    const std::string rear = VcfLayout::tireStem(m, m.rearTireCode) + tireSize(c.rearTires) + ".wdf";
    putText(image, VcfLayout::frontTireOffset, VcfLayout::textFieldSize, front);
    if (m.truckTires) putText(image, VcfLayout::middleTireOffset, VcfLayout::textFieldSize, rear);
    putText(image, VcfLayout::rearTireOffset, VcfLayout::textFieldSize, rear);

    for (std::size_t k = 0; k < VcfLayout::sideOrder.size(); ++k) {
        putU32(image, VcfLayout::armorOffset + 4 * k, tenfold(c.armor[VcfLayout::sideOrder[k]]));
        putU32(image, VcfLayout::chassisOffset + 4 * k, tenfold(c.chassis[VcfLayout::sideOrder[k]]));
    }
    for (std::size_t k = 0; k < 3; ++k)
        putU32(image, VcfLayout::specialOffsets[k], static_cast<std::uint32_t>(c.specials[k]));

    // Only mounts the model has are written, which bounds the records at five
    // even for a design that never went through recalculate.
    for (const Mount mount : allMounts) {
        const std::int32_t part = partAt(c, mount);
        if (part <= 0 || !hasMount(m, mount)) continue;
        const std::size_t at = image.size();
        image.resize(at + VcfLayout::weaponRecordSize, 0);
        for (std::size_t i = 0; i < 4; ++i) image[at + i] = static_cast<std::uint8_t>("WEPN"[i]);
        putU32(image, at + 4, VcfLayout::weaponRecordSize);
        putU32(image, at + VcfLayout::hardpointOffset,
               static_cast<std::uint32_t>(hardpoint(m.mountLayout, mountToken(mount))));
        const std::string_view code = isDropper(mount) ? cat::dropperFileCode(part) : cat::weaponFileCode(part);
        const bool turretFile = mount == Mount::Top1 && c.turret != 0;
        const std::string file = (turretFile ? "t" : "g") + std::string(code) + ".gdf";
        putText(image, at + VcfLayout::weaponFileOffset, VcfLayout::textFieldSize, file);
    }

    for (int k = 0; k < 2; ++k) {
        for (char ch : std::string_view("EXIT")) image.push_back(static_cast<std::uint8_t>(ch));
        appendU32(image,
                  static_cast<std::uint32_t>(VcfLayout::trailerSize)); // as the game writes it
    }
    return image;
}

FileResult VcfWriter(const std::filesystem::path& path, const CarConfig& config)
{
    if (path.empty()) return noFileNameError();
    return writeFileReplacing(path, buildVcfImage(config));
}

} // namespace rivetbay
