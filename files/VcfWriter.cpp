#include "files/VcfWriter.h"

#include "car/Mount.h"
#include "catalogue/CarCatalogue.h"
#include "files/ByteIO.h"
#include "files/SafeWrite.h"
#include "files/VcfNames.h"
#include "files/VcfTemplate.h"

#include <string>
#include <string_view>

namespace rivetbay {

namespace {

namespace cat = CarCatalogue;
namespace names = VcfNames;

} // namespace

std::vector<std::uint8_t> buildVcfImage(const CarConfig& design)
{
    CarConfig c = design;
    normaliseSelections(c); // no index outside its table reaches a lookup
    const ModelSpec& m = cat::model(c.model);
    const auto& header = VcfLayout::vcfTemplate();
    std::vector<std::uint8_t> image(header.begin(), header.end());

    if (!c.name.empty()) putText(image, VcfLayout::nameOffset, VcfLayout::nameSize, c.name);
    putText(image, VcfLayout::definitionOffset, VcfLayout::textFieldSize, names::definitionFile(m));
    putText(image, VcfLayout::textureOffset, VcfLayout::textFieldSize, names::textureFile(m, c.paintScheme));
    putU32(image, VcfLayout::engineOffset, static_cast<std::uint32_t>(names::partIndex(c.engine)));
    putU32(image, VcfLayout::suspensionOffset, static_cast<std::uint32_t>(names::partIndex(c.suspension)));
    putU32(image, VcfLayout::brakesOffset, static_cast<std::uint32_t>(names::partIndex(c.brakes)));

    const std::string front = names::tireFile(m, m.frontTireCode, c.frontTires);
    const std::string rear = names::tireFile(m, m.rearTireCode, c.rearTires);
    putText(image, VcfLayout::frontTireOffset, VcfLayout::textFieldSize, front);
    if (m.truckTires) putText(image, VcfLayout::middleTireOffset, VcfLayout::textFieldSize, rear);
    putText(image, VcfLayout::rearTireOffset, VcfLayout::textFieldSize, rear);

    for (std::size_t k = 0; k < VcfLayout::sideOrder.size(); ++k) {
        putU32(image, VcfLayout::armorOffset + 4 * k, names::pointsField(c.armor[VcfLayout::sideOrder[k]]));
        putU32(image, VcfLayout::chassisOffset + 4 * k, names::pointsField(c.chassis[VcfLayout::sideOrder[k]]));
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
        putTag(image, at, "WEPN");
        putU32(image, at + 4, VcfLayout::weaponRecordSize);
        putU32(image, at + VcfLayout::hardpointOffset,
               static_cast<std::uint32_t>(names::hardpoint(m.mountLayout, mountToken(mount))));
        const std::string_view code = isDropper(mount) ? cat::dropperFileCode(part) : cat::weaponFileCode(part);
        const bool turretFile = mount == Mount::Top1 && c.turret != 0;
        putText(image, at + VcfLayout::weaponFileOffset, VcfLayout::textFieldSize,
                names::weaponFile(code, turretFile));
    }

    for (int k = 0; k < 2; ++k) {
        const std::size_t at = image.size();
        image.resize(at + VcfLayout::exitSize, 0);
        putTag(image, at, "EXIT");
        putU32(image, at + 4, VcfLayout::exitLengthField);
    }
    return image;
}

FileResult VcfWriter(const std::filesystem::path& path, const CarConfig& config)
{
    if (path.empty()) return noFileNameError();
    return writeFileReplacing(path, buildVcfImage(config));
}

} // namespace rivetbay
