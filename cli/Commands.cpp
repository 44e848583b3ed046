
#include "cli/Commands.h"

#include "app/DesignBill.h"
#include "car/Allocation.h"
#include "car/DesignChecks.h"
#include "car/Recalculate.h"
#include "catalogue/CarCatalogue.h"
#include "cli/Bill.h"
#include "files/AsciiCase.h"
#include "files/CarFile.h"
#include "files/DesignFile.h"
#include "files/Export.h"
#include "files/PlatformFile.h"
#include "files/PlatformRules.h"
#include "files/SafeWrite.h"
#include "files/TextEncoding.h"
#include "files/VariantListing.h"
#include "files/VcfReader.h"
#include "files/VcfWriter.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <set>
#include <span>
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
// Names and texts are UTF-8: paths as given on the command line, and what
// they say of a file's content shown without its control characters.
void complain(const std::string& file, const std::string& text)
{
    std::cerr << programName << ": " << (file.empty() ? "" : printable(file) + ": ")
              << printable(text) << '\n';
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

std::optional<std::vector<std::uint8_t>> readStandardInput(
    std::size_t limit = standardInputLimit, const char* what = "a car file")
{
    std::vector<std::uint8_t> bytes;
    std::uint8_t buffer[4096];
    while (const std::size_t got = std::fread(buffer, 1, sizeof buffer, stdin)) {
        bytes.insert(bytes.end(), buffer, buffer + got);
        if (bytes.size() > limit) {
            complain(standardStream, std::string("Standard input is too long to be ") + what + ".");
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
std::optional<OpenedDesign> load(const std::string& file)
{
    OpenedDesign loaded;
    FileResult read;
    if (file == standardStream) {
        const auto bytes = readStandardInput();
        if (!bytes) return std::nullopt;
        read = openDesignBytes(*bytes, standardStream, loaded);
    } else {
        read = openDesign(pathFromUtf8(file), loaded);
    }
    if (!read) {
        complain(read.error());
        return std::nullopt;
    }
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

// Whether writing `out` would write over `in` itself (one file by device and
// inode, links included); said, and nothing written, when it would.
bool sameFile(const std::string& in, const std::string& out)
{
    if (in == standardStream || out == standardStream) return false;
    std::error_code ec;
    if (!fs::equivalent(pathFromUtf8(in), pathFromUtf8(out), ec)) return false;
    complain(out, "It is the file being read; nothing was written.");
    return true;
}

// Whether `out` would put one kind of file where the other belongs: under
// the other kind's name, or over a file that holds the other kind. Said,
// naming both files, and nothing written.
bool wrongKind(const std::string& out, DesignKind writing, const std::string& from)
{
    if (out == standardStream) return false;
    const bool car = writing == DesignKind::CarFile;
    const fs::path path = pathFromUtf8(out);
    // Judged as the file system will store the name.
    const fs::path stored = pathFromUtf8(platform::nameAsStored(utf8FromPath(path.filename())));
    if (equalsIgnoringAsciiCase(utf8FromPath(stored.extension()), car ? ".vcf" : ".rbc")) {
        complain(out, car ? "A car file is not written under a vehicle file's name (.vcf): the "
                            "game would take it for one. Nothing was written."
                          : "A vehicle file is not written under a car file's name (.rbc). "
                            "Nothing was written.");
        return true;
    }
    const std::optional<DesignKind> held = designKindOf(path);
    if (!held || *held == writing) return false;
    complain(out, std::string(car ? "It holds a vehicle file of the game; the car file made from "
                                  : "It holds a Rivetbay car file; the vehicle file made from ") +
                      from + " does not replace it. Nothing was written.");
    return true;
}

// The car file's bytes to standard output.
bool writeStandardOutput(const std::vector<std::uint8_t>& bytes)
{
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() &&
        std::fflush(stdout) == 0)
        return true;
    complain(standardStream, "Standard output could not be written.");
    return false;
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
        for (const SelectionProblem& p : loaded->outOfRange)
            complain(car, describe(p) + "; shown as none.");
        for (const std::string& warning : loaded->warnings) complain(car, warning);
        const RecalcResult pass =
            recalculateWithListing(loaded->config, directory.value_or(fs::path()));
        bills.emplace_back(car, json ? billJson(loaded->config, pass, car, loaded->outOfRange,
                                                loaded->warnings)
                                       : billText(loaded->config, pass));
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
            std::cout << (k ? "\n" : "") << "==> " << printable(bills[k].first) << " <==\n";
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
        const auto problems = designProblems(loaded->config, loaded->outOfRange, utf8FromWindows1252);
        for (const std::string& problem : problems) complain(car, problem);
        if (problems.empty())
            std::cout << printable(car) << ": OK\n";
        else
            status = failed;
    }
    return status;
}

// The first free "STEM-N.rbc" in `folder`, N from 2 on, created exclusively
// (`made` names it): the file system says which names are taken.
FileResult writeNumberedCarFile(const fs::path& folder, const fs::path& stem,
                                std::span<const std::uint8_t> bytes, fs::path& made)
{
    constexpr int lastNumber = 9999;
    FileResult saved;
    for (int n = 2; n <= lastNumber; ++n) {
        made = folder / pathFromUtf8(utf8FromPath(stem) + "-" + std::to_string(n) + ".rbc");
        saved = writeNewFile(made, bytes);
        if (saved || saved.error().systemError != EEXIST) break;
    }
    return saved;
}

// Each vehicle file as a car file: to `car`, or named after it in `into`.
// Into a folder, the name made from the vehicle file is the only one --force
// replaces. A second vehicle file of that name (from another folder) is
// numbered, and a numbered name is never a replacement: the file system
// itself says which names are taken, as its letter case rules are its own.
int importVehicles(const std::vector<std::string>& files, const std::optional<std::string>& into,
                   bool force)
{
    int status = 0;
    // The names this run took, letter case not counting, as a disk that
    // ignores it would not (the folder may be copied to one); and the files
    // it made, which the file system itself says a name is.
    std::set<std::string> claimed;
    std::vector<fs::path> written;
    const auto folded = [](const fs::path& car) { return fileNameFolded(utf8FromPath(car.filename())); };
    const auto takenByThisRun = [&](const fs::path& car) {
        std::error_code ec;
        return claimed.count(folded(car)) != 0 ||
               std::any_of(written.begin(), written.end(),
                           [&](const fs::path& w) { return fs::equivalent(w, car, ec); });
    };
    const std::size_t count = into ? files.size() : 1; // else the second name is the car file
    for (std::size_t k = 0; k < count; ++k) {
        const std::string& given = files[k];
        const fs::path stem = pathFromUtf8(given).stem();
        std::string car = into ? utf8FromPath(pathFromUtf8(*into) / fs::path(stem).concat(".rbc"))
                               : files[1];
        const bool numbered = into && takenByThisRun(pathFromUtf8(car));
        if (into && !numbered) claimed.insert(folded(pathFromUtf8(car)));
        const auto exists = [&] {
            complain(given, car + " already exists; it is left as it is (--force replaces it).");
            status = failed;
        };
        std::error_code ec;
        if (into && !numbered && !force && fs::exists(pathFromUtf8(car), ec)) {
            exists();
            continue;
        }
        if (!numbered && (sameFile(given, car) || wrongKind(car, DesignKind::CarFile, given))) {
            status = failed;
            continue;
        }
        VcfImport imported;
        FileResult read;
        if (given == standardStream) {
            const auto bytes = readStandardInput(vehicleFileLimit, "a vehicle file");
            if (!bytes) {
                status = failed;
                continue;
            }
            read = importVehicleBytes(*bytes, standardStream, imported);
        } else {
            read = importVehicleFile(pathFromUtf8(given), imported);
        }
        if (!read) {
            complain(read.error());
            status = failed;
            continue;
        }
        for (const std::string& warning : imported.warnings) complain(given, warning);
        std::vector<std::uint8_t> bytes;
        writeCarRecord(imported.config, bytes);
        if (car == standardStream) {
            if (!writeStandardOutput(bytes)) status = failed;
            continue;
        }
        FileResult saved;
        if (numbered) {
            const std::string takenName = utf8FromPath(pathFromUtf8(car).filename());
            fs::path made;
            saved = writeNumberedCarFile(pathFromUtf8(*into), stem, bytes, made);
            if (saved) {
                written.push_back(made);
                claimed.insert(folded(made));
                complain(given, "Imported as " + utf8FromPath(made.filename()) +
                                    ", since an earlier file of the same name takes " + takenName + ".");
            }
        } else if (into && !force) {
            // Created exclusively: of two imports racing for one name, one
            // writes and the other is told.
            saved = writeNewFile(pathFromUtf8(car), bytes);
            if (!saved && saved.error().systemError == EEXIST) {
                exists();
                continue;
            }
        } else {
            saved = writeFileReplacing(pathFromUtf8(car), bytes);
        }
        if (!saved) {
            complain(saved.error());
            status = failed;
        } else if (into && !numbered) {
            written.push_back(pathFromUtf8(car));
        }
    }
    return status;
}

int writeVcf(const std::string& car, const std::string& out)
{
    if (sameFile(car, out) || wrongKind(out, DesignKind::VehicleFile, car)) return failed;
    auto loaded = load(car);
    if (!loaded) return failed;
    // What the window would write: only the mounts the model has, priced.
    recalculate(loaded->config, {});
    if (out == standardStream) return writeStandardOutput(buildVcfImage(loaded->config)) ? 0 : failed;
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
    const RecalcResult pass = recalculateWithListing(loaded->config, *directory);
    const ExportResult result = exportVariant(loaded->config, *directory, pass.variantNames);
    switch (result.outcome) {
    case ExportResult::Outcome::Written:
        std::cout << printable(utf8FromPath(result.path)) << '\n';
        return 0;
    case ExportResult::Outcome::Refused:
        complain(car, result.refusal);
        return failed;
    case ExportResult::Outcome::NotWritten:
        break;
    }
    if (result.failure)
        complain(*result.failure);
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
        std::cout << printable(utf8FromWindows1252(name)) << '\n';
    return 0;
}

} // namespace rivetbay::cli
