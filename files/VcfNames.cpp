#include "files/VcfNames.h"

#include "files/AsciiCase.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace rivetbay::VcfNames {

namespace {

namespace cat = CarCatalogue;

bool startsWith(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && equalsIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

bool endsWith(std::string_view text, std::string_view suffix)
{
    return text.size() >= suffix.size() &&
           equalsIgnoringAsciiCase(text.substr(text.size() - suffix.size()), suffix);
}

// `text` as prefix + a number + suffix.
std::optional<long long> numberBetween(std::string_view text, std::string_view prefix, std::string_view suffix)
{
    if (text.size() <= prefix.size() + suffix.size() || !startsWith(text, prefix) || !endsWith(text, suffix))
        return std::nullopt;
    const std::string_view digits = text.substr(prefix.size(), text.size() - prefix.size() - suffix.size());
    long long value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return value;
}

std::string tireStem(const ModelSpec& model, std::string_view tireCode)
{
    return (model.truckTires ? "wftck_" : "wauto_") + std::string(tireCode);
}

constexpr std::string_view tireSizes = "abcd";

} // namespace

std::string definitionFile(const ModelSpec& model) { return "v" + std::string(model.definitionCode) + ".vdf"; }

std::optional<int> modelOfDefinition(std::string_view file)
{
    for (int row = 1; row < cat::modelCount; ++row) // row 0 is the blank row
        if (equalsIgnoringAsciiCase(file, definitionFile(cat::model(row)))) return row;
    return std::nullopt;
}

std::string textureFile(const ModelSpec& model, std::int32_t paintScheme)
{
    return std::string(model.textureBaseName) + std::to_string(std::int64_t{paintScheme} + 1) + ".vtf";
}

std::optional<std::int32_t> paintOfTexture(const ModelSpec& model, std::string_view file)
{
    const auto number = numberBetween(file, model.textureBaseName, ".vtf");
    if (!number || *number < 1 || *number > model.paintCount) return std::nullopt;
    return static_cast<std::int32_t>(*number - 1);
}

std::string tireFile(const ModelSpec& model, std::string_view tireCode, std::int32_t size)
{
    const char letter = size >= 2 && size <= 4 ? tireSizes[static_cast<std::size_t>(size - 1)] : 'a';
    return tireStem(model, tireCode) + letter + ".wdf";
}

std::optional<std::int32_t> tireSizeOf(const ModelSpec& model, std::string_view tireCode, std::string_view file)
{
    const std::string stem = tireStem(model, tireCode);
    if (file.size() != stem.size() + 5 || !startsWith(file, stem) || !endsWith(file, ".wdf")) return std::nullopt;
    const auto letter = tireSizes.find(asciiLower(file[stem.size()]));
    if (letter == std::string_view::npos) return std::nullopt;
    return static_cast<std::int32_t>(letter + 1);
}

std::string weaponFile(std::string_view code, bool turret)
{
    return (turret ? "t" : "g") + std::string(code) + ".gdf";
}

std::optional<WeaponFileName> parseWeaponFile(std::string_view file)
{
    if (file.size() <= 5 || !endsWith(file, ".gdf")) return std::nullopt;
    const char kind = asciiLower(file[0]);
    if (kind != 'g' && kind != 't') return std::nullopt;
    return WeaponFileName{file.substr(1, file.size() - 5), kind == 't'};
}

std::int32_t hardpoint(std::string_view layout, std::string_view token)
{
    const auto at = layout.find(token);
    return at == std::string_view::npos ? 0 : static_cast<std::int32_t>(at / 2);
}

bool writtenAt(std::string_view layout, std::string_view token, std::int64_t written)
{
    return hardpoint(layout, token) == written;
}

std::int32_t partIndex(std::int32_t selection) { return selection > 0 ? selection - 1 : 0; }

std::int64_t selectionOf(std::int32_t index) { return std::int64_t{index} + 1; }

std::uint32_t pointsField(std::int32_t points) { return static_cast<std::uint32_t>(points) * 10u; }

std::int32_t pointsOf(std::int32_t field)
{
    constexpr std::int64_t limit = std::numeric_limits<std::int32_t>::max() / 10;
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>((std::int64_t{field} + (field < 0 ? -5 : 5)) / 10, -limit, limit));
}

std::string exportFileName(const ModelSpec& model, std::uint8_t number)
{
    return "v" + std::string(model.variantFileCode) + std::to_string(number) + ".vcf";
}

bool isVariantFileOf(std::string_view name, std::string_view variantCode)
{
    if (name.size() < 1 + variantCode.size() + 4) return false;
    return asciiLower(name[0]) == 'v' && startsWith(name.substr(1), variantCode) && endsWith(name, ".vcf");
}

} // namespace rivetbay::VcfNames
