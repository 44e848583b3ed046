#pragma once

// Turns a design into the game's binary vehicle file.

#include "car/CarConfig.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace rivetbay {

// The whole file image: header from the template, one "WEPN" record per
// fitted mount the model has, then the trailer.
std::vector<std::uint8_t> buildVcfImage(const CarConfig& config);

// Writes the image to `path` in one piece, replacing any file of that name
// only once the new one is complete. Reports nothing to the user; returns
// whether the file was written. An empty path does nothing.
bool VcfWriter(const std::filesystem::path& path, const CarConfig& config);

} // namespace rivetbay
