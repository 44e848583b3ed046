#pragma once

// Reading the game's vehicle files back into a design: the files this
// program writes and the ones the game's own garage writes, records read by
// tag and length.

#include "car/CarConfig.h"
#include "files/FileError.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace rivetbay {

// No vehicle file of the game comes near this; a larger file is refused.
inline constexpr std::size_t vehicleFileLimit = 64 * 1024;

struct VcfImport {
    CarConfig config;
    // What did not map, naming the field and the value, and what the design
    // holds instead. Empty for every file this program writes.
    std::vector<std::string> warnings;
};

// "BWD2" at 0, "REV" at 8 and "VCFC" at 20: the content of a vehicle file,
// whatever the file's name.
bool looksLikeVehicleFile(std::span<const std::uint8_t> bytes);

// The file's first record ("BWD2") or its header ("VCFC" of its length)
// within its first bytes, wherever a record slipped in before them or a
// flipped bit in another tag left them: a vehicle file, damaged perhaps,
// and never a car file.
inline constexpr std::size_t vehicleSignatureReach = 256;
bool carriesVehicleSignature(std::span<const std::uint8_t> bytes);
// The first record "BWD2" of length 8 at byte 0, as every vehicle file begins.
bool beginsAsVehicleFile(std::span<const std::uint8_t> bytes);

// A damaged file, one that is no vehicle file, one larger than any vehicle
// file, or a vehicle that is no car of the catalogue is refused with a text
// naming `shown`.
FileResult importVehicleBytes(std::span<const std::uint8_t> bytes,
                              const std::filesystem::path& shown, VcfImport& out);
FileResult importVehicleFile(const std::filesystem::path& path, VcfImport& out);

// The file's first `limit` bytes at most, read from one handle. Whatever
// cannot be opened as a regular file (missing, no permission, a directory, a
// FIFO or device) is a file that was not found.
FileResult readFileStart(const std::filesystem::path& path, std::size_t limit, std::vector<std::uint8_t>& bytes);

// The whole file, refused as a vehicle file when larger than any can be.
FileResult readVehicleFileBytes(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes);

} // namespace rivetbay
