
#include "cli/Commands.h"

#include "car/Allocation.h"
#include "car/Recalculate.h"
#include "catalogue/CarCatalogue.h"
#include "cli/Bill.h"
#include "files/CarFile.h"
#include "files/DesignFile.h"
#include "files/Export.h"
#include "files/PlatformFile.h"
#include "files/TextEncoding.h"
#include "files/VariantListing.h"
#include "files/VcfReader.h"
#include "files/VcfWriter.h"

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace rivetbay::cli {

namespace fs = std::filesystem;

namespace {

constexpr int failed = 1;
constexpr const char* standardStream = "-";
// Larger than any car file: the longest name a car file may hold, and its numbers.
constexpr std::size_t standardInputLimit =
    CarFileLayout::nameByteLimit + 7 + CarFileLayout::integersSize;

// "rivetbay-cli: FILE: what went wrong", one line on standard error.
// Names and texts are UTF-8: paths as given on the command line.
void complain(const std::string& file, const std::string& text)
{
    std::cerr << programName << ": " << file << ": " << text << '\n';
}

void complain(const FileError& error)
{
    std::string text = error.reason.empty() ? error.message : error.reason; // the file once
    // The program's texts for these say nothing of the cause; the system's does.
    const bool vague =
        error.kind == FileErrorKind::NotFound || error.kind == FileErrorKind::Unknown;
    if (vague && error.systemError != 0) text += " (" + systemReason(error.systemError) + ")";
    complain(utf8FromPath(error.path), text);
}

struct Loaded {
    CarConfig config;                       // normalised
    std::vector<SelectionProblem> problems; // as stored, before normalising
    std::vector<std::string> warnings;      // what a vehicle file held that did not map
};

std::optional<std::vector<std::uint8_t>> readStandardInput()
{
    std::vector<std::uint8_t> bytes;
    std::uint8_t buffer[4096];
    while (const std::size_t got = std::fread(buffer, 1, sizeof buffer, stdin)) {
        bytes.insert(bytes.end(), buffer, buffer + got);
        if (bytes.size() > standardInputLimit) {
            complain(standardStream, "Standard input is too long to be a car file.");
            return std::nullopt;
        }
    }
    if (std::ferror(stdin)) {
        complain(standardStream, "Standard input could not be read.");
        return std::nullopt;
    }
    return bytes;
}

// A car file or a vehicle file, told apart by content; "-" for standard input.
std::optional<Loaded> load(const std::string& file)
{
    Loaded loaded;
    FileResult read;
    if (file == standardStream) {
        const auto bytes = readStandardInput();
        if (!bytes) return std::nullopt;
        read = readDesignBytes(*bytes, standardStream, loaded.config, loaded.warnings);
    } else {
        read = readDesignFile(pathFromUtf8(file), loaded.config, loaded.warnings);
    }
    if (!read) {
        complain(read.error());
        return std::nullopt;
    }
    loaded.problems = selectionsOutsideTables(loaded.config);
    normaliseSelections(loaded.config);
    return loaded;
}

// The vehicle directory as the game would find it, or why it cannot be read.
std::optional<fs::path> vehicleDirectory(const std::string& given)
{
    const fs::path directory = withExistingLetterCase(pathFromUtf8(given));
    if (const int e = platform::Directory(directory).error(); e != 0) {
        complain(given, "The vehicle directory could not be read (" + systemReason(e) + ").");
        return std::nullopt;
    }
    return directory;
}

} // namespace

int show(const std::vector<std::string>& cars, const std::optional<std::string>& vcfDir, bool json)
{
    std::optional<fs::path> directory;
    if (vcfDir && !(directory = vehicleDirectory(*vcfDir))) return failed;
    int status = 0;
    std::vector<std::pair<std::string, std::string>> bills; // each file read, with its bill
    for (const std::string& car : cars) {
        auto loaded = load(car);
        if (!loaded) {
            status = failed;
            continue;
        }
        for (const SelectionProblem& p : loaded->problems)
            complain(car, describe(p) + "; shown as none.");
        for (const std::string& warning : loaded->warnings) complain(car, warning);
        const RecalcResult view =
            recalculateWithListing(loaded->config, directory.value_or(fs::path()));
        bills.emplace_back(car, json ? billJson(loaded->config, view, car, loaded->problems,
                                                loaded->warnings)
                                       : billText(loaded->config, view));
    }
    if (json && cars.size() > 1) {
        std::vector<std::string> objects;
        for (const auto& bill : bills) objects.push_back(bill.second);
        std::cout << jsonArray(objects);
        return status;
    }
    // Several files: each bill under its own file's name, whichever failed between.
    for (std::size_t k = 0; k < bills.size(); ++k) {
        if (cars.size() > 1 && !json)
            std::cout << (k ? "\n" : "") << "==> " << bills[k].first << " <==\n";
        std::cout << bills[k].second;
    }
    return status;
}

int check(const std::vector<std::string>& cars)
{
    int status = 0;
    for (const std::string& car : cars) {
        const auto loaded = load(car);
        if (!loaded) {
            status = failed;
            continue;
        }
        std::vector<std::string> problems;
        for (const SelectionProblem& p : loaded->problems) problems.push_back(describe(p) + ".");
        const std::size_t nameLength = loaded->config.name.size();
        if (nameLength > variantNameLimit)
            problems.push_back("The name has " + std::to_string(nameLength) +
                               " characters; the game keeps " + std::to_string(variantNameLimit) +
                               ".");
        // The budget of the model as stored: a model out of range is already named above.
        if (const auto held = pointsHeld(loaded->config), budget = pointBudget(loaded->config);
            held != budget && loaded->problems.empty())
            problems.push_back("The points add up to " + std::to_string(held) +
                               ", not the model's " + std::to_string(budget) + ".");
        for (const std::string& problem : problems) complain(car, problem);
        if (problems.empty())
            std::cout << car << ": OK\n";
        else
            status = failed;
    }
    return status;
}

// Each vehicle file as a car file: to `car`, or named after it in `into`.
int importVehicles(const std::vector<std::string>& files, const std::optional<std::string>& into)
{
    int status = 0;
    for (std::size_t k = 0; k < files.size(); ++k) {
        if (!into && k == 1) break; // the second name is the car file to write
        const fs::path vehicle = pathFromUtf8(files[k]);
        const fs::path car =
            into ? pathFromUtf8(*into) / vehicle.filename().replace_extension(".rbc")
                 : pathFromUtf8(files[1]);
        VcfImport imported;
        if (const FileResult read = importVehicleFile(vehicle, imported); !read) {
            complain(read.error());
            status = failed;
            continue;
        }
        for (const std::string& warning : imported.warnings) complain(files[k], warning);
        if (const FileResult saved = saveCarFile(car, imported.config); !saved) {
            complain(saved.error());
            status = failed;
        }
    }
    return status;
}

int writeVcf(const std::string& car, const std::string& out)
{
    auto loaded = load(car);
    if (!loaded) return failed;
    // What the window would write: only the mounts the model has, priced.
    recalculate(loaded->config, {});
    if (out == standardStream) {
        const std::vector<std::uint8_t> image = buildVcfImage(loaded->config);
        if (std::fwrite(image.data(), 1, image.size(), stdout) != image.size() ||
            std::fflush(stdout) != 0) {
            complain(standardStream, "Standard output could not be written.");
            return failed;
        }
        return 0;
    }
    if (const FileResult written = VcfWriter(pathFromUtf8(out), loaded->config); !written) {
        complain(written.error());
        return failed;
    }
    return 0;
}

int exportCar(const std::string& car, const std::string& vcfDir)
{
    const auto directory = vehicleDirectory(vcfDir);
    if (!directory) return failed;
    auto loaded = load(car);
    if (!loaded) return failed;
    const RecalcResult view = recalculateWithListing(loaded->config, *directory);
    const ExportResult result = exportVariant(loaded->config, *directory, view.variantNames);
    switch (result.outcome) {
    case ExportResult::Outcome::Written:
        std::cout << utf8FromPath(result.path) << '\n';
        return 0;
    case ExportResult::Outcome::Refused:
        complain(car, result.refusal);
        return failed;
    case ExportResult::Outcome::NotWritten:
        break;
    }
    if (!result.failure)
        complain(result.failure.error());
    else
        complain(vcfDir, "No vehicle file could be written there.");
    return failed;
}

int list(const std::string& given, std::optional<int> model)
{
    const auto directory = vehicleDirectory(given);
    if (!directory) return failed;
    CarConfig probe;
    if (model) probe.model = *model;
    const std::string_view code = model ? listingCode(probe) : std::string_view();
    for (const std::string& name : listVariants(*directory, code))
        std::cout << utf8FromWindows1252(name) << '\n';
    return 0;
}

} // namespace rivetbay::cli
