#pragma once

// The program's own car file: a length-prefixed name and 29 little-endian
// 32-bit integers, no header.

#include "car/CarConfig.h"
#include "files/ByteIO.h"
#include "files/FileError.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace rivetbay {

namespace carfile {
inline constexpr std::size_t integerCount = 29;
inline constexpr std::size_t integersSize = integerCount * 4; // 116
inline constexpr std::uint8_t longPrefix = 0xFF;
inline constexpr std::uint16_t wideMarker = 0xFFFE;
inline constexpr std::uint16_t hugePrefix = 0xFFFF;
} // namespace carfile

void writeCarRecord(const CarConfig& config, std::vector<std::uint8_t>& sink);

// Stores each value as soon as it is read, in file order; a failure leaves
// the fields read so far in place.
FileResult readCarRecord(ByteSource& source, CarConfig& config);

// Replaces the file only once the whole new content is on disk.
FileResult saveCarFile(const std::filesystem::path& path, const CarConfig& config);

// Takes the file's values over only when the whole record was read, then
// normalises the selections. The caller recalculates.
FileResult loadCarFile(const std::filesystem::path& path, CarConfig& config);

} // namespace rivetbay
