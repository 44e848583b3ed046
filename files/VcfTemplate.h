#pragma once

// The game's vehicle file: field offsets, the naming rules of the files it
// names, and the 193-byte header template. The writer and the reader both
// read them here.

#include "car/CarConfig.h"
#include "catalogue/CarCatalogue.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace rivetbay::VcfLayout {

inline constexpr std::size_t headerSize = 193;
inline constexpr std::size_t weaponRecordSize = 25;
inline constexpr std::size_t trailerSize = 16;
inline constexpr std::size_t textFieldSize = 13;

inline constexpr std::size_t nameOffset = 28;
inline constexpr std::size_t nameSize = 16;
inline constexpr std::size_t definitionOffset = 44;
inline constexpr std::size_t textureOffset = 57;
inline constexpr std::size_t engineOffset = 70;
inline constexpr std::size_t suspensionOffset = 74;
inline constexpr std::size_t brakesOffset = 78;
inline constexpr std::size_t frontTireOffset = 82;
inline constexpr std::size_t middleTireOffset = 95;
inline constexpr std::size_t rearTireOffset = 108;
inline constexpr std::size_t armorOffset = 121;   // front, left, right, rear
inline constexpr std::size_t chassisOffset = 137; // front, left, right, rear
inline constexpr std::array<std::size_t, 3> specialOffsets{165, 177, 189};

// Within a "WEPN" record.
inline constexpr std::size_t hardpointOffset = 8;
inline constexpr std::size_t weaponFileOffset = 12;

// The file lays the sides out in this order.
inline constexpr std::array<Side, 4> sideOrder{Front, Left, Right, Rear};

// The definition file the game loads for a model: "v" + its code + ".vdf".
inline std::string definitionFile(const ModelSpec& model) { return "v" + std::string(model.definitionCode) + ".vdf"; }
// What a tire file's name starts with, before the size letter and ".wdf".
inline std::string tireStem(const ModelSpec& model, std::string_view tireCode)
{
    return (model.truckTires ? "wftck_" : "wauto_") + std::string(tireCode);
}

const std::array<std::uint8_t, headerSize>& vcfTemplate();

} // namespace rivetbay::VcfLayout
