#pragma once

// The program's own car file: a length-prefixed name and 29 little-endian
// 32-bit integers, no header.

#include "car/CarConfig.h"
#include "files/ByteIO.h"
#include "files/FileError.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace rivetbay {

namespace CarFileLayout {
inline constexpr std::size_t integerCount = 29;
inline constexpr std::size_t integersSize = integerCount * 4;
inline constexpr std::uint8_t longPrefix = 0xFF;
inline constexpr std::uint16_t wideMarker = 0xFFFE;
inline constexpr std::uint16_t hugePrefix = 0xFFFF;
// No car has a longer name; a damaged or hostile length beyond it fails at
// once instead of reading gigabytes of a sparse file.
inline constexpr std::uint64_t nameByteLimit = std::uint64_t{1} << 20;
} // namespace CarFileLayout

void writeCarRecord(const CarConfig& config, std::vector<std::uint8_t>& sink);

// Stores each value as soon as it is read, in file order; a failure leaves
// the fields read so far in place. A failure names no file.
FileResult readCarRecord(ByteSource& source, CarConfig& config);

// Replaces the file only once the whole new content is on disk.
FileResult saveCarFile(const std::filesystem::path& path, const CarConfig& config);

// Takes the file's values over only when the whole record was read, with
// the selections exactly as stored: openDesign reports and normalises them.
// The caller recalculates.
FileResult readCarFile(const std::filesystem::path& path, CarConfig& config);
// The same from bytes already in memory; `shown` is the name failures carry.
FileResult readCarBytes(std::span<const std::uint8_t> bytes, const std::filesystem::path& shown,
                        CarConfig& config);

} // namespace rivetbay
