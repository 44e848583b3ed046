#pragma once

// The names a vehicle file holds or is stored under, each rule as a pair: how
// the writer makes the text from a design and how the reader takes it back.
// Letter case never counts when reading, as the game finds files in any case.

#include "catalogue/CarCatalogue.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rivetbay::VcfNames {

// The model's definition file: "v" + its code + ".vdf"; read back as its row.
std::string definitionFile(const ModelSpec& model);
std::optional<int> modelOfDefinition(std::string_view file);

// The paint's texture: the model's base + the scheme's number from 1 + ".vtf".
std::string textureFile(const ModelSpec& model, std::int32_t paintScheme);
std::optional<std::int32_t> paintOfTexture(const ModelSpec& model, std::string_view file);

// A tire file: the model's stem for its axle code, the size letter a-d, ".wdf".
// A size outside 2-4 is written as the smallest, 'a'.
std::string tireFile(const ModelSpec& model, std::string_view tireCode, std::int32_t size);
std::optional<std::int32_t> tireSizeOf(const ModelSpec& model, std::string_view tireCode,
                                       std::string_view file);

// A weapon or dropper file: "g", or "t" for a turret, + its code + ".gdf".
std::string weaponFile(std::string_view code, bool turret);
struct WeaponFileName {
    std::string_view code;
    bool turret;
};
std::optional<WeaponFileName> parseWeaponFile(std::string_view file);

// A mount's hardpoint: the place of its token in the model's layout, two
// letters a place, 0 when the layout lacks it. The reader gives a record to
// the mounts whose token is written there.
std::int32_t hardpoint(std::string_view layout, std::string_view token);
bool writtenAt(std::string_view layout, std::string_view token, std::int64_t hardpoint);

// An engine, suspension or brakes row is stored one less: the file counts
// from the first real part. No choice (row 0) is stored as the first part.
std::int32_t partIndex(std::int32_t selection);
std::int64_t selectionOf(std::int32_t index);

// Points are stored tenfold. Multiplied without a range check, as the game
// stores it (wrapping); read back rounded to the nearest point, halves away
// from zero, kept within what tenfold still fits.
std::uint32_t pointsField(std::int32_t points);
std::int32_t pointsOf(std::int32_t field);

// An exported file: "v" + the model's variant code + a number + ".vcf"; the
// listing takes every "v" + code + "*.vcf" as the model's.
std::string exportFileName(const ModelSpec& model, std::uint8_t number);
bool isVariantFileOf(std::string_view name, std::string_view variantCode);

} // namespace rivetbay::VcfNames
