#pragma once

// Finding a model's vehicle files in the game's vehicle directory and reading
// their variant names. Nothing is cached: every call reads the directory.

#include "car/DesignChecks.h"
#include "car/Recalculate.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace rivetbay {

// Bare names of the entries matching "v" + code + "*.vcf", letter case not
// counting, in file-name order compared without letter case. A missing or
// unreadable directory (or an empty path) gives none.
std::vector<std::string> findVehicleFiles(const std::filesystem::path& directory,
                                          std::string_view code);

// At most 15 bytes from offset 28, up to a NUL; empty when the file cannot be
// read there.
std::string readVariantName(const std::filesystem::path& directory, const std::string& fileName);

// The variant name of each of `files` in `directory`, in their order, the
// directory opened once.
std::vector<std::string> readVariantNames(const std::filesystem::path& directory,
                                          const std::vector<std::string>& files);

std::vector<std::string> listVariants(const std::filesystem::path& directory,
                                      std::string_view code);

// The pass that ends every action: the listing of the design's model read
// afresh from `directory`, then recalculate.
RecalcResult recalculateWithListing(CarConfig& config, const std::filesystem::path& directory);

// `path` itself when it exists; else, where its folder holds an entry of the
// same name in another letter case ("Addon" for "addon"), that entry, as the
// game's own platform would find it.
std::filesystem::path withExistingLetterCase(const std::filesystem::path& path);

} // namespace rivetbay
