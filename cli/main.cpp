// rivetbay-cli: the editor's rules without a window.

#include "car/Allocation.h"
#include "car/Recalculate.h"
#include "catalogue/CarCatalogue.h"
#include "cli/Bill.h"
#include "files/CarFile.h"
#include "files/Export.h"
#include "files/PlatformFile.h"
#include "files/VariantListing.h"
#include "files/VcfReader.h"
#include "files/VcfWriter.h"
#include "files/Windows1252.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace rivetbay;

namespace {

constexpr const char* program = "rivetbay-cli";
constexpr int failed = 1;
constexpr int badUsage = 2;
constexpr const char* standardStream = "-";
// Larger than any car file: the longest name a car file may hold, and its numbers.
constexpr std::size_t standardInputLimit = carfile::nameByteLimit + 7 + carfile::integersSize;

// "rivetbay-cli: FILE: what went wrong", one line on standard error.
void complain(const fs::path& file, const std::string& text)
{
    std::cerr << program << ": " << file.string() << ": " << text << '\n';
}

void complain(const FileError& error)
{
    std::string text = error.message;
    // The program's texts for these say nothing of the cause; the system's does.
    const bool vague = error.kind == FileErrorKind::NotFound || error.kind == FileErrorKind::Unknown;
    if (vague && error.systemError != 0) text += " (" + systemReason(error.systemError) + ")";
    complain(error.path, text);
}

struct Loaded {
    CarConfig config;                        // normalised
    std::vector<SelectionProblem> problems;  // as stored, before normalising
    std::vector<std::string> warnings;       // what a vehicle file held that did not map
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
    VcfImport imported;
    bool vehicle = false;
    if (file == standardStream) {
        const auto bytes = readStandardInput();
        if (!bytes) return std::nullopt;
        vehicle = looksLikeVehicleFile(*bytes);
        read = vehicle ? importVehicleBytes(*bytes, standardStream, imported)
                       : readCarBytes(*bytes, standardStream, loaded.config);
    } else {
        vehicle = isVehicleFile(file);
        read = vehicle ? importVehicleFile(file, imported) : readCarFile(file, loaded.config);
    }
    if (!read) {
        complain(read.error());
        return std::nullopt;
    }
    if (vehicle) {
        loaded.config = imported.config;
        loaded.warnings = std::move(imported.warnings);
    }
    loaded.problems = selectionsOutsideTables(loaded.config);
    normaliseSelections(loaded.config);
    return loaded;
}

std::string outsideText(const SelectionProblem& p)
{
    return p.field + " is " + std::to_string(p.value) + ", outside its table (0 to " +
           std::to_string(p.tableSize - 1) + ")";
}

// The vehicle directory as the game would find it, or why it cannot be read.
std::optional<fs::path> vehicleDirectory(const std::string& given)
{
    const fs::path directory = withExistingLetterCase(given);
    if (const int e = platform::Directory(directory).error(); e != 0) {
        complain(given, "The vehicle directory could not be read (" + systemReason(e) + ").");
        return std::nullopt;
    }
    return directory;
}

int show(const std::vector<std::string>& cars, const std::optional<std::string>& vcfDir, bool json)
{
    std::optional<fs::path> directory;
    if (vcfDir && !(directory = vehicleDirectory(*vcfDir))) return failed;
    int status = 0;
    std::vector<std::string> bills;
    for (const std::string& car : cars) {
        auto loaded = load(car);
        if (!loaded) {
            status = failed;
            continue;
        }
        for (const SelectionProblem& p : loaded->problems)
            complain(car, outsideText(p) + "; shown as none.");
        for (const std::string& warning : loaded->warnings) complain(car, warning);
        const RecalcResult view = recalculateWithListing(loaded->config, directory.value_or(fs::path()));
        bills.push_back(json ? cli::billJson(loaded->config, view, car, loaded->problems, loaded->warnings)
                             : cli::billText(loaded->config, view));
    }
    if (json && cars.size() > 1) {
        std::cout << cli::jsonArray(bills);
    } else {
        for (std::size_t k = 0; k < bills.size(); ++k) {
            if (cars.size() > 1 && !json) std::cout << (k ? "\n" : "") << "==> " << cars[k] << " <==\n";
            std::cout << bills[k];
        }
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
        for (const SelectionProblem& p : loaded->problems) problems.push_back(outsideText(p) + ".");
        const std::size_t nameLength = loaded->config.name.size();
        if (nameLength > variantNameLimit)
            problems.push_back("The name has " + std::to_string(nameLength) +
                               " characters; the game keeps " + std::to_string(variantNameLimit) + ".");
        // The budget of the model as stored: a model out of range is already named above.
        if (const auto held = pointsHeld(loaded->config), budget = pointBudget(loaded->config);
            held != budget && loaded->problems.empty())
            problems.push_back("The points add up to " + std::to_string(held) +
                               ", not the model's " + std::to_string(budget) + ".");
        for (const std::string& problem : problems) complain(car, problem);
        if (problems.empty()) std::cout << car << ": OK\n";
        else status = failed;
    }
    return status;
}

// Each vehicle file as a car file: to `car`, or named after it in `into`.
int importVehicles(const std::vector<std::string>& files, const std::optional<std::string>& into)
{
    int status = 0;
    for (std::size_t k = 0; k < files.size(); ++k) {
        if (!into && k == 1) break; // the second name is the car file to write
        const fs::path vehicle = files[k];
        const fs::path car = into ? fs::path(*into) / vehicle.filename().replace_extension(".rbc")
                                  : fs::path(files[1]);
        VcfImport imported;
        if (const FileResult read = importVehicleFile(vehicle, imported); !read) {
            complain(read.error());
            status = failed;
            continue;
        }
        for (const std::string& warning : imported.warnings) complain(vehicle, warning);
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
    if (const FileResult written = VcfWriter(out, loaded->config); !written) {
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
    case ExportResult::Outcome::Written: std::cout << result.path.string() << '\n'; return 0;
    case ExportResult::Outcome::Refused: complain(car, result.refusal); return failed;
    case ExportResult::Outcome::NotWritten: break;
    }
    if (!result.failure) complain(result.failure.error());
    else complain(*directory, "No vehicle file could be written there.");
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

const char* const commands[] = {"show", "check", "vcf", "export", "list", "import"};

// A first word that is no command and no option is named as such, rather
// than as an unexpected argument.
bool isUnknownCommand(int argc, char** argv)
{
    if (argc < 2 || argv[1][0] == '-') return false;
    for (const char* command : commands)
        if (std::string_view(argv[1]) == command) return false;
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (isUnknownCommand(argc, argv)) {
        std::cerr << program << ": '" << argv[1]
                  << "' is not a command (show, check, vcf, export, list, import).\n"
                  << "Run 'rivetbay-cli --help' for more information.\n";
        return badUsage;
    }
    CLI::App app{"Rivetbay's car rules without a window: price, check and export car designs."};
    app.name(program);
    app.set_version_flag("--version", std::string(program) + " " + RIVETBAY_VERSION);
    app.require_subcommand(1);
    app.failure_message([](const CLI::App* failing, const CLI::Error& e) {
        std::string name = failing->get_name();
        if (name == program) name.clear();
        return std::string(program) + ": " + (name.empty() ? "" : name + ": ") + e.what() +
               "\nRun 'rivetbay-cli " + (name.empty() ? "" : name + " ") +
               "--help' for more information.\n";
    });

    std::vector<std::string> cars;
    std::string car, out, directory;
    std::optional<std::string> vcfDir;
    bool json = false;
    std::optional<int> model;

    auto* showCmd = app.add_subcommand("show", "Print the bill of one or more car files");
    showCmd->add_option("car", cars, "Car files (.rbc), or - for standard input")->required();
    showCmd->add_option("--vcf-dir", vcfDir, "Vehicle directory whose variant names to list");
    showCmd->add_flag("--json", json, "Print JSON: an object, or an array of them for several files");

    auto* checkCmd = app.add_subcommand(
        "check", "Report selections out of range, names the game cuts and points off budget");
    checkCmd->add_option("car", cars, "Car files (.rbc), or - for standard input")->required();

    auto* vcfCmd = app.add_subcommand("vcf", "Write a car file's design as a vehicle file");
    vcfCmd->add_option("car", car, "Car file (.rbc), or - for standard input")->required();
    vcfCmd->add_option("out", out, "Vehicle file to write (replaced), or - for standard output")
        ->required();

    auto* exportCmd = app.add_subcommand("export", "Export a design into the vehicle directory");
    exportCmd->add_option("car", car, "Car file (.rbc), or - for standard input")->required();
    exportCmd->add_option("--vcf-dir", directory, "Vehicle directory")->required();

    auto* listCmd = app.add_subcommand("list", "List the variant names in a vehicle directory");
    listCmd->add_option("dir", directory, "Vehicle directory")->required();
    listCmd->add_option("--model", model, "Model index (0-37); without it, every model")
        ->check(CLI::Range(0, CarCatalogue::modelCount - 1));

    std::vector<std::string> vehicles;
    std::optional<std::string> into;
    auto* importCmd = app.add_subcommand(
        "import", "Turn vehicle files into car files: VEHICLE.vcf CAR.rbc, or --into DIR FILE.vcf...");
    importCmd->add_option("files", vehicles, "Vehicle files, then the car file to write unless --into")
        ->required();
    importCmd->add_option("--into", into, "Folder for car files named after their vehicle files");

    try {
        app.parse(argc, argv);
        if (*importCmd && !into && vehicles.size() != 2)
            throw CLI::ValidationError("import", "give one vehicle file and the car file to write, "
                                                 "or --into DIR and the vehicle files");
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        return code == 0 ? 0 : badUsage;
    }

    if (*importCmd) return importVehicles(vehicles, into);
    if (*showCmd) return show(cars, vcfDir, json);
    if (*checkCmd) return check(cars);
    if (*vcfCmd) return writeVcf(car, out);
    if (*exportCmd) return exportCar(car, directory);
    return list(directory, model);
}
