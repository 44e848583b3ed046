#include "files/VcfTemplate.h"

#include "files/ByteIO.h"

#include <span>
#include <string_view>

namespace rivetbay::VcfLayout {

namespace {

using Image = std::array<std::uint8_t, headerSize>;

constexpr Image makeTemplate()
{
    Image storage{};
    const std::span<std::uint8_t> image(storage);
    putTag(image, 0, "BWD2");
    putU32(image, 4, bwd2Size);
    putTag(image, 8, "REV");
    putU32(image, 12, 12);
    putU32(image, 16, 3);
    putTag(image, vcfcStart, "VCFC");
    putU32(image, vcfcStart + 4, vcfcSize);
    putText(image, nameOffset, nameSize, "Unnamed");
    putText(image, definitionOffset, textFieldSize, "vcgcour.vdf");
    putText(image, textureOffset, textFieldSize, "corchel2.vtf");
    putText(image, frontTireOffset, textFieldSize, "wauto_4a.wdf");
    putText(image, middleTireOffset, textFieldSize, "null");
    putText(image, rearTireOffset, textFieldSize, "wauto_4a.wdf");
    for (std::size_t k = 0; k < specialOffsets.size(); ++k) {
        putTag(image, specialOffsets[k] - specValueOffset, "SPEC");
        putU32(image, specialOffsets[k] - specValueOffset + 4, specSize);
    }
    return storage;
}

constexpr Image templateImage = makeTemplate();

} // namespace

const std::array<std::uint8_t, headerSize>& vcfTemplate() { return templateImage; }

} // namespace rivetbay::VcfLayout
