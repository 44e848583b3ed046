#include "files/VcfReader.h"

#include "car/DesignChecks.h"
#include "car/Mount.h"
#include "catalogue/CarCatalogue.h"
#include "files/AsciiCase.h"
#include "files/ByteIO.h"
#include "files/PlatformFile.h"
#include "files/TextEncoding.h"
#include "files/VcfNames.h"
#include "files/VcfTemplate.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <optional>
#include <string_view>

namespace rivetbay {

namespace {

namespace cat = CarCatalogue;
using Bytes = std::span<const std::uint8_t>;

namespace names = VcfNames;
using namespace VcfLayout;

constexpr std::size_t recordLimit = 64; // more records than any car has: damaged

bool tagIs(Bytes bytes, std::size_t at, std::string_view tag)
{
    if (at + 4 > bytes.size()) return false;
    for (std::size_t i = 0; i < 4; ++i)
        if (bytes[at + i] != static_cast<std::uint8_t>(i < tag.size() ? tag[i] : '\0'))
            return false;
    return true;
}

std::int32_t int32At(Bytes bytes, std::size_t at)
{
    return static_cast<std::int32_t>(getU32(bytes.data() + at));
}

// A text field up to its NUL, or the whole width when there is none.
std::string textAt(Bytes bytes, std::size_t at, std::size_t width)
{
    const auto first = bytes.begin() + static_cast<std::ptrdiff_t>(at);
    const auto last = first + static_cast<std::ptrdiff_t>(width);
    return std::string(first, std::find(first, last, std::uint8_t{0}));
}

// "<file> <what>": the reader's own texts, which the file errors' table lacks.
constexpr const char* tooLargeText = "is too large to be a vehicle file of the game.";

FileError refusal(const std::filesystem::path& file, const std::string& what)
{
    FileError error = makeFileError(FileErrorKind::Unknown, Stage::Reading, file);
    error.message = utf8FromPath(file) + " " + what;
    error.reason = "It " + what;
    return error;
}

class Importer {
public:
    Importer(Bytes bytes, const std::filesystem::path& shown) : bytes_(bytes), shown_(shown) {}

    FileResult run(VcfImport& out)
    {
        if (!looksLikeVehicleFile(bytes_)) {
            if (!carriesVehicleSignature(bytes_)) return refuse("is not a vehicle file of the game.");
            return damaged(!tagIs(bytes_, 0, "BWD2") ? 0 : !tagIs(bytes_, 8, "REV") ? 8 : vcfcStart);
        }
        std::size_t at = 0, records = 0, exits = 0;
        bool sawVcfc = false, endsWithExit = false;
        int specs = 0;
        while (at < bytes_.size()) {
            if (++records > recordLimit) return damaged(at);
            if (bytes_.size() - at < recordHead) return damaged(at);
            const std::uint32_t declared = getU32(bytes_.data() + at + 4);
            const bool exit = tagIs(bytes_, at, "EXIT");
            const std::size_t size = exit ? exitSize : declared;
            if (size < recordHead || size > bytes_.size() - at) return damaged(at);
            endsWithExit = exit;
            exits += exit ? 1 : 0;
            if (tagIs(bytes_, at, "VCFC")) {
                if (sawVcfc || at != vcfcStart || size < vcfcSize) return damaged(at);
                sawVcfc = true;
                if (FileResult header = readHeader(); !header) return header;
            } else if (tagIs(bytes_, at, "SPEC")) {
                if (!sawVcfc || size < specSize || !weapons_.empty()) return damaged(at);
                if (specs < 3)
                    config_.specials[static_cast<std::size_t>(specs)] =
                        int32At(bytes_, at + specValueOffset);
                else
                    warn("SPEC record " + std::to_string(specs + 1), "more than three; left out");
                ++specs;
            } else if (tagIs(bytes_, at, "WEPN")) {
                if (!sawVcfc || size < VcfLayout::weaponRecordSize) return damaged(at);
                weapons_.push_back(
                    {int32At(bytes_, at + VcfLayout::hardpointOffset),
                     textAt(bytes_, at + VcfLayout::weaponFileOffset, VcfLayout::textFieldSize)});
            } else if (!exit && !tagIs(bytes_, at, "BWD2") && !tagIs(bytes_, at, "REV")) {
                // A weapon or special whose tag lost a bit would vanish unseen.
                warn("record \"" + tagText(at) + "\" at byte " + std::to_string(at),
                     "not a record of a vehicle file; left out");
            }
            at += size;
        }
        if (!sawVcfc) return damaged(bytes_.size());
        // Both layouts, the writer's and the game's, hold two EXIT records and
        // end with one: a file cut after the first is not whole.
        if (!endsWithExit || exits < 2)
            return refuse("is a damaged vehicle file: it ends at byte " +
                          std::to_string(bytes_.size()) + ", before its last EXIT record.");
        checkSpecials();
        placeWeapons();
        out.config = config_;
        out.warnings = std::move(warnings_);
        return {};
    }

private:
    struct Weapon {
        std::int32_t hardpoint;
        std::string file;
    };

    // A tag as text: its printable letters, any other byte as \xNN.
    std::string tagText(std::size_t at) const
    {
        static constexpr char hex[] = "0123456789ABCDEF";
        std::string text;
        for (std::size_t i = 0; i < 4; ++i) {
            const std::uint8_t b = bytes_[at + i];
            if (b >= 0x20 && b < 0x7F && b != '\\' && b != '"')
                text += static_cast<char>(b);
            else
                text += std::string("\\x") + hex[b >> 4] + hex[b & 15];
        }
        return text;
    }
    FileError refuse(const std::string& what) const { return refusal(shown_, what); }
    FileError damaged(std::size_t at) const
    {
        return refuse("is a damaged vehicle file: its records stop making sense at byte " +
                      std::to_string(at) + ".");
    }
    void warn(const std::string& field, const std::string& what)
    {
        warnings_.push_back(field + ": " + what + ".");
    }

    FileResult readHeader()
    {
        const std::string definition =
            textAt(bytes_, VcfLayout::definitionOffset, VcfLayout::textFieldSize);
        // Row 0 is the blank row: a file names a real model.
        config_.model = names::modelOfDefinition(definition).value_or(0);
        if (config_.model == 0)
            return refuse("holds a vehicle that is no car of the catalogue (\"" + definition +
                          "\").");
        model_ = &cat::model(config_.model);

        config_.name = textAt(bytes_, VcfLayout::nameOffset, VcfLayout::nameSize);
        readPaint();
        readPart("engine", VcfLayout::engineOffset, cat::engineCount, config_.engine);
        readPart("suspension", VcfLayout::suspensionOffset, cat::suspensionCount,
                 config_.suspension);
        readPart("brakes", VcfLayout::brakesOffset, cat::brakesCount, config_.brakes);
        readTire("front tire", VcfLayout::frontTireOffset, model_->frontTireCode,
                 config_.frontTires);
        readTire("rear tire", VcfLayout::rearTireOffset, model_->rearTireCode, config_.rearTires);
        for (std::size_t k = 0; k < VcfLayout::sideOrder.size(); ++k) {
            const Side side = VcfLayout::sideOrder[k];
            const std::string name(sideName(side));
            readPoints("armor " + name, VcfLayout::armorOffset + 4 * k, config_.armor[side]);
            readPoints("chassis " + name, VcfLayout::chassisOffset + 4 * k, config_.chassis[side]);
        }
        readPoints("free points", freePointsOffset, config_.freePoints);
        return {};
    }

    void readPaint()
    {
        const std::string texture =
            textAt(bytes_, VcfLayout::textureOffset, VcfLayout::textFieldSize);
        if (const auto paint = names::paintOfTexture(*model_, texture)) {
            config_.paintScheme = *paint;
            return;
        }
        warn("paint texture \"" + texture + "\"",
             "not one of the model's schemes; the first is used");
    }

    void readPart(const char* field, std::size_t offset, int count, std::int32_t& into)
    {
        const std::int32_t value = int32At(bytes_, offset);
        into = static_cast<std::int32_t>(std::clamp<std::int64_t>(names::selectionOf(value), 1, count - 1));
        if (names::selectionOf(value) != into)
            warn(std::string(field) + " " + std::to_string(value),
                 "outside its table; " + std::to_string(into - 1) + " is used");
    }

    void readTire(const char* field, std::size_t offset, std::string_view code, std::int32_t& into)
    {
        const std::string file = textAt(bytes_, offset, VcfLayout::textFieldSize);
        const auto size = names::tireSizeOf(*model_, code, file);
        into = size.value_or(1);
        if (!size)
            warn(std::string(field) + " \"" + file + "\"",
                 "not a tire of this model; the first size is used");
    }

    void readPoints(const std::string& field, std::size_t offset, std::int32_t& into)
    {
        const std::int32_t value = int32At(bytes_, offset);
        into = names::pointsOf(value);
        if (std::int64_t{into} * 10 != value)
            warn(field + " " + std::to_string(value),
                 "not a multiple of 10; rounded to " + std::to_string(into));
    }

    void checkSpecials()
    {
        for (std::size_t k = 0; k < 3; ++k) {
            std::int32_t& special = config_.specials[k];
            if (special >= 0 && special < cat::specialCount) continue;
            warn("special " + std::to_string(k + 1) + " " + std::to_string(special),
                 "outside its table; none");
            special = 0;
        }
    }

    // The item a weapon file names: a dropper (1-5) or a weapon (1-19).
    std::optional<std::pair<bool, std::int32_t>> itemOf(std::string_view code) const
    {
        for (std::int32_t d = 1; d < cat::dropperCount; ++d)
            if (equalsIgnoringAsciiCase(code, cat::dropperFileCode(d))) return std::pair{true, d};
        for (std::int32_t w = 1; w < cat::weaponCount; ++w)
            if (equalsIgnoringAsciiCase(code, cat::weaponFileCode(w))) return std::pair{false, w};
        return std::nullopt;
    }

    void placeWeapons()
    {
        const std::string_view layout = model_->mountLayout;
        std::array<bool, mountCount> taken{};
        std::size_t last = 0; // the writer's order: a record's mount comes after the one before
        bool first = true;
        for (const Weapon& weapon : weapons_) {
            const std::string field = "weapon record \"" + weapon.file + "\" at hardpoint " +
                                      std::to_string(weapon.hardpoint);
            const auto named = names::parseWeaponFile(weapon.file);
            const auto item = named ? itemOf(named->code) : std::nullopt;
            if (!item) {
                warn(field, "no weapon or dropper of the catalogue; left out");
                continue;
            }
            const auto [dropper, index] = *item;
            const std::size_t tokens = layout.size() / 2;
            if (weapon.hardpoint < 0 || static_cast<std::size_t>(weapon.hardpoint) >= tokens) {
                warn(field, "the model has no such hardpoint; left out");
                continue;
            }
            // Every free mount of the right kind that the writer gives this
            // hardpoint; the first after the previous record's mount wins.
            std::optional<Mount> chosen;
            for (std::size_t pass = 0; pass < 2 && !chosen; ++pass)
                for (const Mount mount : allMounts) {
                    const std::size_t k = indexOf(mount);
                    if (taken[k] || isDropper(mount) != dropper || !hasMount(*model_, mount)) continue;
                    if (!names::writtenAt(layout, mountToken(mount), weapon.hardpoint)) continue;
                    if (pass == 0 && !first && k <= last) continue;
                    chosen = mount;
                    break;
                }
            if (!chosen) {
                warn(field, "no free " + std::string(dropper ? "dropper" : "weapon") +
                                " mount of the model is there; left out");
                continue;
            }
            taken[indexOf(*chosen)] = true;
            last = indexOf(*chosen);
            first = false;
            partAt(config_, *chosen) = index;
            if (named->turret) {
                if (*chosen == Mount::Top1 && !dropper && cat::isTurretCapable(index))
                    config_.turret = 1;
                else
                    warn(field, "a turret only fits the first top mount; mounted without one");
            }
        }
    }

    Bytes bytes_;
    std::filesystem::path shown_;
    CarConfig config_;
    const ModelSpec* model_ = nullptr;
    std::vector<Weapon> weapons_;
    std::vector<std::string> warnings_;
};

} // namespace

bool looksLikeVehicleFile(Bytes bytes)
{
    return bytes.size() >= 24 && tagIs(bytes, 0, "BWD2") && tagIs(bytes, 8, "REV") &&
           tagIs(bytes, vcfcStart, "VCFC");
}

bool carriesVehicleSignature(Bytes bytes)
{
    const std::size_t reach = std::min(bytes.size(), vehicleSignatureReach);
    for (std::size_t at = 0; at + recordHead <= reach; ++at)
        if ((tagIs(bytes, at, "BWD2") && getU32(bytes.data() + at + 4) == bwd2Size) ||
            (tagIs(bytes, at, "VCFC") && getU32(bytes.data() + at + 4) == vcfcSize))
            return true;
    return false;
}

bool beginsAsVehicleFile(Bytes bytes)
{
    return bytes.size() >= recordHead && tagIs(bytes, 0, "BWD2") && getU32(bytes.data() + 4) == bwd2Size;
}

FileResult importVehicleBytes(Bytes bytes, const std::filesystem::path& shown, VcfImport& out)
{
    if (bytes.size() > vehicleFileLimit) return refusal(shown, tooLargeText);
    return Importer(bytes, shown).run(out);
}

FileResult readFileStart(const std::filesystem::path& path, std::size_t limit, std::vector<std::uint8_t>& bytes)
{
    platform::InputFile file;
    if (const int e = path.empty() ? ENOENT : file.open(path); e != 0)
        return makeFileError(FileErrorKind::NotFound, Stage::Opening, path, e);
    bytes.resize(static_cast<std::size_t>(std::min<std::uint64_t>(file.size(), limit)));
    std::size_t got = 0;
    if (const int e = file.readFully(bytes.data(), bytes.size(), got); e != 0)
        return fileErrorFromErrno(e, Stage::Reading, path);
    bytes.resize(got);
    return {};
}

FileResult readVehicleFileBytes(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes)
{
    // A byte past the limit is enough to refuse it: the rest is never read.
    if (FileResult read = readFileStart(path, vehicleFileLimit + 1, bytes); !read) return read;
    if (bytes.size() > vehicleFileLimit) return refusal(path, tooLargeText);
    return {};
}

FileResult importVehicleFile(const std::filesystem::path& path, VcfImport& out)
{
    std::vector<std::uint8_t> bytes;
    if (FileResult read = readVehicleFileBytes(path, bytes); !read) return read;
    return importVehicleBytes(bytes, path, out);
}

} // namespace rivetbay
