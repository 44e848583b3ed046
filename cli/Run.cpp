#include "cli/Run.h"

#include "catalogue/CarCatalogue.h"
#include "cli/Commands.h"

#include <CLI/CLI.hpp>

#include <functional>
#include <iostream>
#include <memory>
#include <string_view>

namespace rivetbay::cli {

namespace {

constexpr const char* program = programName;
constexpr int badUsage = 2;

// What a command runs once its words are parsed.
using Action = std::function<int()>;

// Each command adds its words to its own parser and gives back its action,
// which reads the words the parse filled in.
Action addShow(CLI::App& command)
{
    struct Words {
        std::vector<std::string> cars;
        std::optional<std::string> vcfDir;
        bool json = false;
    };
    auto w = std::make_shared<Words>();
    command.add_option("car", w->cars, "Car files (.rbc), or - for standard input")->required();
    command.add_option("--vcf-dir", w->vcfDir, "Vehicle directory whose variant names to list");
    command.add_flag("--json", w->json, "Print JSON: an object, or an array of them for several files");
    return [w] { return show(w->cars, w->vcfDir, w->json); };
}

Action addCheck(CLI::App& command)
{
    auto cars = std::make_shared<std::vector<std::string>>();
    command.add_option("car", *cars, "Car files (.rbc), or - for standard input")->required();
    return [cars] { return check(*cars); };
}

// A car file and one more word, which `run` takes in that order.
Action addCarAnd(CLI::App& command, const char* word, const char* help,
                 int (*run)(const std::string&, const std::string&))
{
    auto words = std::make_shared<std::pair<std::string, std::string>>();
    command.add_option("car", words->first, "Car file (.rbc), or - for standard input")->required();
    command.add_option(word, words->second, help)->required();
    return [words, run] { return run(words->first, words->second); };
}

Action addVcf(CLI::App& command)
{
    return addCarAnd(command, "out", "Vehicle file to write (replaced), or - for standard output", writeVcf);
}

Action addExport(CLI::App& command) { return addCarAnd(command, "--vcf-dir", "Vehicle directory", exportCar); }

Action addList(CLI::App& command)
{
    auto words = std::make_shared<std::pair<std::string, std::optional<int>>>();
    command.add_option("dir", words->first, "Vehicle directory")->required();
    command.add_option("--model", words->second, "Model index (0-37); without it, every model")
        ->check(CLI::Range(0, CarCatalogue::modelCount - 1));
    return [words] { return list(words->first, words->second); };
}

Action addImport(CLI::App& command)
{
    struct Words {
        std::vector<std::string> vehicles;
        std::optional<std::string> into;
        bool force = false;
    };
    auto w = std::make_shared<Words>();
    command.add_option("files", w->vehicles, "Vehicle files, then the car file to write unless --into")
        ->required();
    command.add_option("--into", w->into, "Folder for car files named after their vehicle files");
    command.add_flag("--force", w->force, "With --into: replace car files already there");
    command.callback([w] { // during the parse, so that it is reported as a usage error
        if (!w->into && w->vehicles.size() != 2)
            throw CLI::ValidationError("import", "give one vehicle file and the car file to write, "
                                                 "or --into DIR and the vehicle files");
    });
    return [w] { return importVehicles(w->vehicles, w->into, w->force); };
}

struct Command {
    const char* name;
    const char* description;
    Action (*add)(CLI::App&);
};

constexpr Command commands[] = {
    {"show", "Print the bill of one or more car files", addShow},
    {"check", "Report selections out of range, names the game cuts and points off budget", addCheck},
    {"vcf", "Write a car file's design as a vehicle file", addVcf},
    {"export", "Export a design into the vehicle directory", addExport},
    {"list", "List the variant names in a vehicle directory", addList},
    {"import", "Turn vehicle files into car files: VEHICLE.vcf CAR.rbc, or --into DIR FILE.vcf...", addImport},
};

// A first word that is no command and no option is named as such, rather
// than as an unexpected argument.
bool isUnknownCommand(int argc, char* const* argv)
{
    if (argc < 2 || argv[1][0] == '-') return false;
    for (const Command& command : commands)
        if (std::string_view(argv[1]) == command.name) return false;
    return true;
}

std::string commandNames()
{
    std::string names;
    for (const Command& command : commands) names += (names.empty() ? "" : ", ") + std::string(command.name);
    return names;
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
        std::cerr << program << ": '" << argv[1] << "' is not a command (" << commandNames() << ").\n"
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
               "\nRun 'rivetbay-cli " + (name.empty() ? "" : name + " ") + "--help' for more information.\n";
    });
    std::vector<std::pair<const CLI::App*, Action>> actions;
    for (const Command& command : commands) {
        CLI::App* parser = app.add_subcommand(command.name, command.description);
        actions.emplace_back(parser, command.add(*parser));
    }
    try {
        app.parse(argc, argv.data());
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        return code == 0 ? 0 : badUsage;
    }
    for (const auto& [parser, action] : actions)
        if (*parser) return action();
    return badUsage; // a command is required, so the parse refused already
}

} // namespace rivetbay::cli
