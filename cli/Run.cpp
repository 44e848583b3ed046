#include "cli/Run.h"

#include "catalogue/CarCatalogue.h"
#include "cli/Commands.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <string_view>

namespace rivetbay::cli {

namespace {

constexpr const char* program = programName;
constexpr int badUsage = 2;

const char* const commands[] = {"show", "check", "vcf", "export", "list", "import"};

// A first word that is no command and no option is named as such, rather
// than as an unexpected argument.
bool isUnknownCommand(int argc, char* const* argv)
{
    if (argc < 2 || argv[1][0] == '-') return false;
    for (const char* command : commands)
        if (std::string_view(argv[1]) == command) return false;
    return true;
}

} // namespace

int run(const std::vector<std::string>& arguments)
{
    std::vector<char*> argv;
    std::vector<std::string> words = arguments;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    const int argc = static_cast<int>(words.size());
    if (isUnknownCommand(argc, argv.data())) {
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
    showCmd->add_flag("--json", json,
                      "Print JSON: an object, or an array of them for several files");

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
        "import",
        "Turn vehicle files into car files: VEHICLE.vcf CAR.rbc, or --into DIR FILE.vcf...");
    importCmd
        ->add_option("files", vehicles, "Vehicle files, then the car file to write unless --into")
        ->required();
    importCmd->add_option("--into", into, "Folder for car files named after their vehicle files");
    bool force = false;
    importCmd->add_flag("--force", force, "With --into: replace car files already there");

    try {
        app.parse(argc, argv.data());
        if (*importCmd && !into && vehicles.size() != 2)
            throw CLI::ValidationError("import", "give one vehicle file and the car file to write, "
                                                 "or --into DIR and the vehicle files");
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        return code == 0 ? 0 : badUsage;
    }

    if (*importCmd) return importVehicles(vehicles, into, force);
    if (*showCmd) return show(cars, vcfDir, json);
    if (*checkCmd) return check(cars);
    if (*vcfCmd) return writeVcf(car, out);
    if (*exportCmd) return exportCar(car, directory);
    return list(directory, model);
}

} // namespace rivetbay::cli
