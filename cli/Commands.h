#pragma once

// What each rivetbay-cli command does, once its words are parsed. Each
// returns the exit status: 0, or 1 when it failed (the reason already said on
// standard error, naming the program and the file).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rivetbay::cli {

inline constexpr const char* programName = "rivetbay-cli";

int show(const std::vector<std::string>& files, const std::optional<std::string>& vcfDir,
         bool json);
int check(const std::vector<std::string>& files);
int writeVcf(const std::string& car, const std::string& out);
int exportCar(const std::string& car, const std::string& vcfDir);
int list(const std::string& directory, std::optional<int> model);
// Never replaces a car file already in `into` unless `force`.
int importVehicles(const std::vector<std::string>& files, const std::optional<std::string>& into,
                   bool force = false);

} // namespace rivetbay::cli
