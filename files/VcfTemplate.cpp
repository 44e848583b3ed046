#include "files/VcfTemplate.h"

#include "files/ByteIO.h"

#include <string_view>

namespace rivetbay::vcf {

namespace {

using Image = std::array<std::uint8_t, headerSize>;

constexpr void putTag(Image& image, std::size_t offset, std::string_view tag)
{
    for (std::size_t i = 0; i < 4; ++i) image[offset + i] = i < tag.size() ? tag[i] : 0;
}

constexpr void putUint(Image& image, std::size_t offset, std::uint32_t value)
{
    for (std::size_t k = 0; k < 4; ++k) image[offset + k] = static_cast<std::uint8_t>(value >> (8 * k));
}

constexpr void putText(Image& image, std::size_t offset, std::string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) image[offset + i] = static_cast<std::uint8_t>(text[i]);
}

constexpr Image makeTemplate()
{
    Image image{};
    putTag(image, 0, "BWD2");
    putUint(image, 4, 8);
    putTag(image, 8, "REV");
    putUint(image, 12, 12);
    putUint(image, 16, 3);
    putTag(image, 20, "VCFC");
    putUint(image, 24, 137);
    putText(image, nameOffset, "Unnamed");
    putText(image, definitionOffset, "vcgcour.vdf");
    putText(image, textureOffset, "corchel2.vtf");
    putText(image, frontTireOffset, "wauto_4a.wdf");
    putText(image, middleTireOffset, "null");
    putText(image, rearTireOffset, "wauto_4a.wdf");
    for (std::size_t k = 0; k < specialOffsets.size(); ++k) {
        putTag(image, specialOffsets[k] - 8, "SPEC");
        putUint(image, specialOffsets[k] - 4, 12);
    }
    return image;
}

constexpr Image templateImage = makeTemplate();

} // namespace

const std::array<std::uint8_t, headerSize>& vcfTemplate() { return templateImage; }

} // namespace rivetbay::vcf
