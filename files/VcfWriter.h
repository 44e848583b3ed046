#pragma once

// Turns a design into the game's binary vehicle file.

#include "car/CarConfig.h"
#include "files/FileError.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace rivetbay {

// The whole file image: header from the template, one "WEPN" record per
// fitted mount the model has, then the trailer.
std::vector<std::uint8_t> buildVcfImage(const CarConfig& config);

// Writes the image to `path` in one piece, replacing any file of that name
// only once the new one is complete. The window reports nothing of it; the
// command line shows the failure. An empty path writes nothing and fails.
FileResult VcfWriter(const std::filesystem::path& path, const CarConfig& config);

} // namespace rivetbay
