#pragma once

// The game's vehicle file: its records' framing, the header's field offsets
// and the 193-byte header template. The writer and the reader both read them
// here; the names the fields hold are in VcfNames.h.

#include "car/CarConfig.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace rivetbay::VcfLayout {

// Every record: a 4-byte tag and a 4-byte length, then its own fields. The
// header is three records: BWD2 (8 bytes), REV, then VCFC from byte 20.
inline constexpr std::size_t recordHead = 8;
inline constexpr std::size_t bwd2Size = 8;
inline constexpr std::size_t vcfcStart = 20;
inline constexpr std::size_t vcfcSize = 137;
inline constexpr std::size_t headerSize = 193;
inline constexpr std::size_t weaponRecordSize = 25;
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
inline constexpr std::size_t freePointsOffset = 153;
inline constexpr std::array<std::size_t, 3> specialOffsets{165, 177, 189};

// A "SPEC" record: 12 bytes, the special's row after the head.
inline constexpr std::size_t specSize = 12;
inline constexpr std::size_t specValueOffset = 8;
// The file ends with two "EXIT" records, each 8 bytes whatever its length
// field holds; the game writes 16 there.
inline constexpr std::size_t exitSize = 8;
inline constexpr std::size_t exitLengthField = 16;

// Within a "WEPN" record.
inline constexpr std::size_t hardpointOffset = 8;
inline constexpr std::size_t weaponFileOffset = 12;

// The file lays the sides out in this order.
inline constexpr std::array<Side, 4> sideOrder{Front, Left, Right, Rear};

const std::array<std::uint8_t, headerSize>& vcfTemplate();

} // namespace rivetbay::VcfLayout
