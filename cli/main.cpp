// rivetbay-cli: the editor's rules without a window.

#include "car/Recalculate.h"
#include "catalogue/CarCatalogue.h"
#include "cli/Bill.h"
#include "files/CarFile.h"
#include "files/Export.h"
#include "files/VariantListing.h"
#include "files/VcfWriter.h"
#include "files/Windows1252.h"

#include <CLI/CLI.hpp>

#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

namespace fs = std::filesystem;
using namespace rivetbay;

namespace {

constexpr int failed = 1;
constexpr int badUsage = 2;

std::optional<CarConfig> load(const std::string& path)
{
    CarConfig config;
    if (auto error = loadCarFile(path, config)) {
        std::cerr << error->message << '\n';
        return std::nullopt;
    }
    return config;
}

RecalcResult recalculateIn(CarConfig& config, const std::optional<std::string>& directory)
{
    std::vector<std::string> names;
    if (directory) names = listVariants(*directory, listingCode(config));
    return recalculate(config, std::move(names));
}

int show(const std::string& car, const std::optional<std::string>& directory, bool json)
{
    auto config = load(car);
    if (!config) return failed;
    const RecalcResult view = recalculateIn(*config, directory);
    std::cout << (json ? cli::billJson(*config, view) : cli::billText(*config, view));
    return 0;
}

int writeVcf(const std::string& car, const std::string& out)
{
    auto config = load(car);
    if (!config) return failed;
    recalculate(*config, {});
    if (!VcfWriter(out, *config)) {
        std::cerr << "The vehicle file " << out << " could not be written.\n";
        return failed;
    }
    return 0;
}

int exportCar(const std::string& car, const std::string& directory)
{
    auto config = load(car);
    if (!config) return failed;
    const RecalcResult view = recalculateIn(*config, directory);
    const ExportResult result = exportVariant(*config, directory, view.variantNames);
    switch (result.outcome) {
    case ExportResult::Outcome::Written: std::cout << result.path.string() << '\n'; return 0;
    case ExportResult::Outcome::Refused: std::cerr << result.refusal << '\n'; return failed;
    case ExportResult::Outcome::NotWritten: break;
    }
    std::cerr << "No vehicle file could be written in " << directory << ".\n";
    return failed;
}

int list(const std::string& directory, std::optional<int> model)
{
    std::string_view code;
    if (model) {
        if (*model < 0 || *model >= CarCatalogue::modelCount) {
            std::cerr << "There is no model " << *model << "; models run from 0 to "
                      << CarCatalogue::modelCount - 1 << ".\n";
            return badUsage;
        }
        CarConfig probe;
        probe.model = *model;
        code = listingCode(probe);
    }
    for (const std::string& name : listVariants(directory, code))
        std::cout << utf8FromWindows1252(name) << '\n';
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    CLI::App app{"Rivetbay's car rules without a window: price, check and export car designs."};
    app.require_subcommand(1);
    app.failure_message(CLI::FailureMessage::help);

    std::string car, out, directory;
    std::optional<std::string> vcfDir;
    bool json = false;
    std::optional<int> model;

    auto* showCmd = app.add_subcommand("show", "Print the bill of a car file");
    showCmd->add_option("car", car, "Car file (.rbc)")->required();
    showCmd->add_option("--vcf-dir", vcfDir, "Vehicle directory whose variant names to list");
    showCmd->add_flag("--json", json, "Print one JSON object");

    auto* vcfCmd = app.add_subcommand("vcf", "Write a car file's design as a vehicle file");
    vcfCmd->add_option("car", car, "Car file (.rbc)")->required();
    vcfCmd->add_option("out", out, "Vehicle file to write (replaced)")->required();

    auto* exportCmd = app.add_subcommand("export", "Export a design into the vehicle directory");
    exportCmd->add_option("car", car, "Car file (.rbc)")->required();
    exportCmd->add_option("--vcf-dir", directory, "Vehicle directory")->required();

    auto* listCmd = app.add_subcommand("list", "List the variant names in a vehicle directory");
    listCmd->add_option("dir", directory, "Vehicle directory")->required();
    listCmd->add_option("--model", model, "Model index (0-37); without it, every model");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e); // prints help or the error with the usage
        return code == 0 ? 0 : badUsage;
    }

    if (*showCmd) return show(car, vcfDir, json);
    if (*vcfCmd) return writeVcf(car, out);
    if (*exportCmd) return exportCar(car, directory);
    return list(directory, model);
}
