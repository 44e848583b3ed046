// The editor driven as a player drives it, through a window of plain values.

#include "catalogue/CarCatalogue.h"
#include "files/AsciiCase.h"
#include "files/PlatformFile.h"
#include "files/PlatformRules.h"
#include "files/TextEncoding.h"
#include "files/VcfWriter.h"

#include "EditorFixture.h"
#include "HearFileEvents.h"

#include <cstdlib>
#include <functional>

namespace rivetbay {
namespace {

TEST_F(EditorTest, FreshStartShowsTheFreshRecordPriced)
{
    ASSERT_TRUE(VcfWriter(dir_ / "addon" / "vfcoupe4.vcf", {.name = "Zippy", .model = 25}));
    start();
    EXPECT_EQ(number("totalPrice"), 2600);
    EXPECT_EQ(view_->at(Form::modelList).entries.size(), 38u);
    EXPECT_EQ(view_->at(idOf("dropper2List")).entries.at(5), "Blox Dropper");
    EXPECT_EQ(view_->at(Form::nameBox).entries, std::vector<std::string>{"Zippy"}); // every model's
    EXPECT_EQ(view_->at(Form::paintList).entries, std::vector<std::string>(3, ""));
    EXPECT_FALSE(view_->at(Form::turretBox).enabled);
    EXPECT_EQ(view_->focused, Form::openButton);

    choose("modelList", 25); // Phaedra Coupe: its paint list (its spread, in the windows' scenarios)
    EXPECT_EQ(number("chassisRearField"), 22);
    EXPECT_EQ(view_->at(Form::paintList).entries, (std::vector<std::string>{"Blue", "Black", "Red"}));
    EXPECT_EQ(view_->selection(Form::paintList), 0);
    choose("paintList", 2);
    EXPECT_EQ(editor_->config().paintScheme, 2);
    choose("topWeapon1List", 1); // 30cal MG may sit in a turret
    EXPECT_TRUE(view_->at(Form::turretBox).enabled);
    view_->tick(Form::turretBox);
    EXPECT_EQ(number("totalPrice"), 1360 + 2500 + 100 + 825); // the weapon's 550 half again in a turret
}

TEST_F(EditorTest, EachArrowStepsItsOwnSide)
{
    const auto spread = saveCar("spread.rbc", spreadCar());
    const std::string sides[] = {"armorFront", "armorRear", "armorLeft", "armorRight",
                                 "chassisFront", "chassisRear", "chassisLeft", "chassisRight"};
    const int shown[] = {41, 40, 39, 38, 31, 30, 29, 28};
    for (int k = 0; k < 8; ++k) { // its own field one more, every other as it was
        start(spread);
        EXPECT_TRUE(editor_->stepped(idOf(sides[k] + "Spin"), +1));
        for (int f = 0; f < 8; ++f) EXPECT_EQ(number((sides[f] + "Field").c_str()), shown[f] + (f == k)) << sides[k];
        EXPECT_EQ(number("freePointsField"), 9);
    }
    EXPECT_TRUE(editor_->stepped(Form::transferSpin, +1)); // a point from each armor side to chassis
    EXPECT_EQ(number("armorFrontField"), 40);
    EXPECT_EQ(number("chassisRightField"), 30); // 29 after the last step above
    EXPECT_TRUE(services_.messages.empty());

    // No model and no points: every step of every kind is refused, silently.
    start();
    for (const std::string& side : sides)
        EXPECT_FALSE(editor_->stepped(idOf(side + "Spin"), +1) || editor_->stepped(idOf(side + "Spin"), -1)) << side;
    EXPECT_FALSE(editor_->stepped(Form::transferSpin, -1));
    EXPECT_EQ(number("armorFrontField"), 0);
    EXPECT_TRUE(services_.messages.empty());
}

// A side as a file stores it, even below zero, and the model picked again.
TEST_F(EditorTest, TheSpreadStaysAsStoredAndThroughTheSameModel)
{
    CarConfig odd = spreadCar();
    odd.armor[Front] = -3;
    odd.freePoints += spreadCar().armor[Front] + 3; // the budget still met
    start(saveCar("odd.rbc", odd));
    EXPECT_EQ(view_->at(idOf("armorFrontField")).text, "-3");
    EXPECT_TRUE(editor_->stepped(idOf("armorRearSpin"), +1));
    EXPECT_EQ(editor_->config().armor[Rear], odd.armor[Rear] + 1);
    EXPECT_EQ(number("armorFrontField"), -3);
    choose("modelList", odd.model); // the list's current entry clicked again
    EXPECT_EQ(editor_->config().armor[Front], -3);
    EXPECT_EQ(editor_->config().chassis, odd.chassis);
    EXPECT_TRUE(services_.messages.empty()); // no "Please enter an integer."
}

// Each mount's list is enabled where the model has the mount, and its price
// field shows its own list's part: the k-th list takes the k-th part (30cal MG
// 550, 50cal MG 790, 7.62mm MG 1300, 20mm Cannon 1600, 25mm Cannon 1750, 30mm
// Cannon 2800, Firerite Rocket 850; Oil Slick 250, Fire Dropper 1100).
TEST_F(EditorTest, EachMountsListAndPriceAreItsOwn)
{
    start();
    const std::string mounts[] = {"frontWeapon1", "frontWeapon2", "frontWeapon3", "topWeapon1", "topWeapon2",
                                  "rearWeapon1", "rearWeapon2", "dropper1", "dropper2"};
    const std::pair<int, std::array<int, 9>> models[] = { // the model, each mount's price (0: the model lacks it)
        {16, {550, 790, 1300, 0, 0, 0, 0, 250, 1100}},  // Glenn Bushmaster: three front mounts, two droppers
        {7, {550, 0, 0, 1600, 1750, 2800, 0, 0, 0}},    // Courcheval Hacienda: two top mounts
        {22, {550, 790, 0, 1600, 0, 2800, 850, 0, 0}}}; // Moth Tanker Truck: two rear mounts
    for (const auto& [model, prices] : models) {
        choose("modelList", model);
        for (int k = 0; k < 9; ++k) {
            EXPECT_EQ(view_->at(idOf(mounts[k] + "List")).enabled, prices[k] != 0) << model << " " << mounts[k];
            if (prices[k] == 0) continue;
            choose((mounts[k] + "List").c_str(), k < 7 ? k + 1 : k - 6);
            EXPECT_EQ(number((mounts[k] + "Price").c_str()), prices[k]) << model << " " << mounts[k];
        }
    }
}

TEST_F(EditorTest, SaveAndOpenThroughTheDialogs)
{
    std::filesystem::create_directory(dir_ / "cars");
    start();
    choose("modelList", 16);
    view_->type("  Dusty ");
    answer(dir_ / "cars" / "dusty.rbc");
    click(Form::saveButton); // the action takes the typed name first
    ASSERT_EQ(services_.requests.size(), 1u);
    EXPECT_EQ(shown(services_.requests[0]), "Save \"Save Rivetbay Car\" [Rivetbay Car (*.rbc)|*.rbc] .rbc in " + dir_.path().string());
    CarConfig saved;
    ASSERT_TRUE(readCarFile(dir_ / "cars" / "dusty.rbc", saved));
    EXPECT_EQ(saved.name, "Dusty");
    EXPECT_EQ(saved.model, 16);

    saveCar("cars/a.rbc", {.name = "Loaded", .model = 5, .topWeapons = {1, 0}, .turret = 1, .armor = {1, 2, 3, 4}});
    answer(dir_ / "cars" / "a.rbc");
    click(Form::openButton);
    // Both kinds first, the game's files are imported too; in the folder remembered.
    EXPECT_EQ(shown(services_.requests.at(1)), "Open \"Open Rivetbay Car\" [Car or vehicle file (*.rbc *.vcf)|*.rbc;*.vcf] "
                                               "[Rivetbay Car (*.rbc)|*.rbc] [I'76 Vehicle (*.vcf)|*.vcf] .rbc in " +
                                                   (dir_ / "cars").string());
    EXPECT_EQ(view_->selection(Form::modelList), 5);
    EXPECT_EQ(number("armorRightField"), 4); // as stored: no model-change rule
    EXPECT_EQ(number("topWeapon1Price"), 825);
    EXPECT_EQ(view_->name(), "Loaded");
    EXPECT_NE(testkit::readText(dir_ / "Rivetbay.ini").find("RBC_Path=" + (dir_ / "cars").string()),
              std::string::npos);

    // A failed open keeps the design on screen and still remembers the folder.
    testkit::writeBytes(dir_ / "short.rbc", {2, 'a', 'b', 9, 0, 0});
    const CarConfig before = editor_->config();
    answer(dir_ / "short.rbc");
    click(Form::openButton);
    EXPECT_EQ(services_.said(), std::vector<std::string>{"Stop | Rivetbay | An attempt was made to access an unnamed file past its end."});
    EXPECT_EQ(editor_->config(), before);
    EXPECT_EQ(editor_->paths().rbcPath, utf8FromPath(dir_.path()));

    // A save that fails says so, with the file's path, and the design stays.
    std::filesystem::create_directory(dir_ / "taken.rbc");
    answer(dir_ / "taken.rbc");
    click(Form::saveButton);
    ASSERT_EQ(services_.messages.size(), 2u);
    EXPECT_NE(services_.said().back().find("taken.rbc"), std::string::npos) << services_.said().back();
    EXPECT_EQ(editor_->config(), before);
    EXPECT_FALSE(services_.messages[0].underWaitCursor || services_.messages[1].underWaitCursor);
    EXPECT_EQ(services_.waiting, 0);

    // Cancelled dialogs do nothing and remember nothing.
    click(Form::openButton);
    click(Form::saveButton);
    EXPECT_EQ(services_.messages.size(), 2u);
    EXPECT_EQ(editor_->config(), before);
}

// The arrow cursor never shows while a car file or vehicle file is opened,
// read or written (the settings file, written before the wait, apart).
TEST_F(EditorTest, NoCarOrVehicleFileIsTouchedUnderTheArrow)
{
    int seen = 0;
    std::vector<std::string> underTheArrow;
    const auto car = saveCar("car.rbc", spreadCar());
    ASSERT_TRUE(VcfWriter(dir_ / "game.vcf", {.name = "Game", .model = 16}));
    const testkit::HearFileEvents watch([&](std::string_view step, const std::filesystem::path& path) {
        const std::string name = asciiLowered(utf8FromPath(path.filename()));
        if (name.find(".rbc") == std::string::npos && name.find(".vcf") == std::string::npos) return;
        ++seen;
        if (services_.waiting == 0) underTheArrow.push_back(std::string(step) + " " + name);
    });
    start(car); // the command line's car
    answer(car);
    click(Form::openButton);
    answer(dir_ / "saved.rbc");
    click(Form::saveButton);
    editor_->fileDropped(dir_ / "game.vcf"); // imported
    view_->type("Exported");
    click(Form::exportButton); // into the game's folder
    EXPECT_EQ(underTheArrow, std::vector<std::string>{});
    EXPECT_GE(seen, 5) << "the file events were not seen";
}

TEST_F(EditorTest, TheCommandLineAndDropsLoadCars)
{
    const auto a = saveCar("first.car", {.model = 9}), b = saveCar("second.rbc", {.model = 22});
    start(b);
    editor_->fileDropped(a); // whatever its extension
    EXPECT_EQ(view_->selection(Form::modelList), 9);
    EXPECT_EQ(editor_->paths().rbcPath, utf8FromPath(dir_.path())); // a drop changes no setting

    start(dir_ / "missing.rbc");
    EXPECT_EQ(services_.said(), std::vector<std::string>{"Stop | Rivetbay | an unnamed file was not found."});
    EXPECT_EQ(number("totalPrice"), 2600); // start-up still recalculates
    EXPECT_EQ(view_->focused, Form::openButton);
}

TEST_F(EditorTest, FirstRunAsksWithItsOwnWords)
{
    TempDir prefix;
    std::filesystem::create_directories(prefix / "drive_c");
    std::filesystem::create_directories(dir_ / "Games" / "Nitro");
    answer(dir_ / "Games" / "Nitro" / "Nitro.exe");
#ifndef _WIN32
    setenv("WINEPREFIX", prefix.path().c_str(), 1); // only the first run reads it
#endif
    start({}, true);
    ASSERT_EQ(services_.said().size(), 1u);
    EXPECT_EQ(services_.said()[0].rfind("Information |  Vexillo's Rivetbay :  Setup | Rivetbay needs to know where to "
                                        "locate I'76 Nitro cars.\n\n", 0), 0u);
    ASSERT_EQ(services_.requests.size(), 1u);
    const FileDialogRequest& request = services_.requests[0];
    EXPECT_EQ(shown(request), "Open \"Rivetbay: Locate \"Nitro.exe\" in the I'76 Nitro directory\" [Any (*)|*] .exe in .");
    EXPECT_EQ(editor_->paths().vcfPath, utf8FromPath(dir_ / "Games" / "Nitro" / "addon"));
#ifndef _WIN32
    // The game usually sits in a Wine prefix, a hidden folder.
    EXPECT_TRUE(request.showHidden);
    ASSERT_FALSE(request.places.empty());
    EXPECT_EQ(request.places[0].folder, prefix / "drive_c");
#endif
}

TEST_F(EditorTest, ATypedNameSurvivesEveryPassAndEveryActionTakesIt)
{
    const std::pair<const char*, std::function<void(EditorTest&)>> triggers[] = {
        {"point arrow", [](EditorTest& t) { t.editor_->stepped(Form::transferSpin, +1); }},
        {"list", [](EditorTest& t) { t.choose("engineList", 3); }},
        {"menu", [](EditorTest& t) { t.editor_->takePendingName(); }},
        {"about", [](EditorTest& t) { t.editor_->aboutRequested(); }},
        {"drop", [](EditorTest& t) { t.editor_->fileDropped(t.dir_ / "none.rbc"); }},
        {"cancelled open", [](EditorTest& t) { t.click(Form::openButton); }},
        {"export", [](EditorTest& t) { t.click(Form::exportButton); }},
    };
    for (const auto& [what, trigger] : triggers) {
        SCOPED_TRACE(what);
        start();
        choose("modelList", 16);
        view_->type("Typed");
        trigger(*this);
        EXPECT_EQ(view_->name(), "Typed");
        EXPECT_EQ(editor_->config().name, "Typed");
    }
}

TEST_F(EditorTest, TheNameRuleTrimsAndTakesAPickedName)
{
    ASSERT_TRUE(VcfWriter(dir_ / "addon" / "vgoon4.vcf", {.name = "Road Hog", .model = 16}));
    start();
    choose("modelList", 16);
    ASSERT_EQ(view_->at(Form::nameBox).entries, std::vector<std::string>{"Road Hog"});
    view_->type("  Spaced  ");
    editor_->nameBoxLeft();
    EXPECT_EQ(editor_->config().name, "Spaced");
    EXPECT_EQ(view_->name(), "  Spaced  "); // the field shows the trimmed name from the next pass
    choose("engineList", 2);
    EXPECT_EQ(view_->name(), "Spaced");

    // Picking an entry is no action of its own; leaving the box takes it.
    view_->type("Road Hog");
    choose("nameBox", 0);
    EXPECT_EQ(editor_->config().name, "Spaced");
    editor_->nameBoxLeft();
    EXPECT_EQ(editor_->config().name, "Road Hog");

    // Names go to the window as text and come back in the game's code page.
    view_->type("Caf\xC3\xA9 \xE2\x82\xAC");
    editor_->nameBoxLeft();
    EXPECT_EQ(editor_->config().name, "Caf\xE9 \x80");
}

TEST_F(EditorTest, SaveProposesTheDesignsNameAndRefusesAVehicleFileName)
{
    // Devices on Windows whatever follows their names: never proposed as files.
    const std::pair<const char*, const char*> cases[] = { // the design's name, the file's
        {"Road Hog", "Road Hog.rbc"}, {"", ""}, {"a/b", "ab.rbc"}, {"Caf\xE9\tX", "Caf\xC3\xA9X.rbc"},
        {"Con", "Con_.rbc"}, {"nul.2", "nul_.2.rbc"}, {"COM1", "COM1_.rbc"}, {"LPT9", "LPT9_.rbc"},
        {"Aux", "Aux_.rbc"}, {"PRN", "PRN_.rbc"}, {"COM0", "COM0.rbc"}, {"Console", "Console.rbc"},
        {".hidden", "hidden.rbc"}, {"..", ""}, {"..Con", "Con_.rbc"},
#ifdef _WIN32
        {"Hog: 1?.", "Hog 1.rbc"}, {"<>", ""},
#else
        {"Hog: 1?", "Hog: 1?.rbc"},
#endif
    };
    std::filesystem::create_directory(dir_ / "game");
    for (const auto& [name, proposed] : cases) {
        // A design never saved (a vehicle file names an empty one "Unnamed"): named after itself.
        ASSERT_TRUE(VcfWriter(dir_ / "game" / "n.vcf", {.name = name, .model = 1}));
        start(*name ? dir_ / "game" / "n.vcf" : std::filesystem::path());
        click(Form::saveButton);
        EXPECT_EQ(services_.requests.back().fileName, proposed) << name;
        EXPECT_EQ(services_.requests.back().directory, dir_.path()); // still the car folder
    }
    // A design from a car file: that file, where it is.
    start(saveCar("game/mine.rbc", {.name = "Other Name"}));
    click(Form::saveButton);
    EXPECT_EQ(services_.requests.back().fileName, "mine.rbc");
    EXPECT_EQ(services_.requests.back().directory, dir_ / "game");

    std::filesystem::create_directory(dir_ / "addon2");
    const std::string settings = testkit::readText(dir_ / "Rivetbay.ini");
    // On Windows "z.vcf. " is stored as "z.vcf": judged as stored.
    for (const char* name : {"vppirna9.vcf", "X.VCF", "y.Vcf", platform::dropsTrailingDotsAndSpaces ? "z.vcf. " : "w.vcf"}) {
        services_.messages.clear();
        answer(dir_ / "addon2" / name);
        answer(dir_ / "addon2" / name); // and again
        click(Form::saveButton);
        // Said, then the dialog again with the name the player typed, as often as needed.
        EXPECT_EQ(services_.requests.back().fileName, name);
        EXPECT_EQ(services_.requests.back().directory, dir_ / "addon2");
        const std::string refusal = "Stop | Rivetbay | A design is saved as a Rivetbay car file (.rbc). Vehicle files for "
                                    "the game are written by \"Export to I'76 Nitro\" on a car file in the file manager, "
                                    "or with rivetbay-cli export.";
        EXPECT_EQ(services_.said(), std::vector<std::string>(2, refusal)) << name;
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir_ / "addon2")); // nothing written
    EXPECT_EQ(testkit::readText(dir_ / "Rivetbay.ini"), settings);
}

TEST_F(EditorTest, ACarFileHoldingValuesOutsideTheTablesIsSaidSo)
{
    start(saveCar("odd.rbc", {.model = 99, .frontWeapons = {0, 25, 0}, .turret = 7}));
    EXPECT_EQ(services_.said(), std::vector<std::string>{"Information | Rivetbay | The car file holds values outside the game's tables:\n"
                                                         "\nmodel is 99, outside its table (0 to 37); shown as none."
                                                         "\nfrontWeapons[1] is 25, outside its table (0 to 19); shown as none."
                                                         "\nturret is 7, outside its table (0 to 1); shown as none."});
    EXPECT_EQ(view_->selection(Form::modelList), 0);
    // A good one says nothing.
    editor_->fileDropped(saveCar("good.rbc", {.model = 3}));
    EXPECT_EQ(services_.messages.size(), 1u);
}

TEST(NameBox, KeepsOnlyWhatTheGamesCharacterSetHolds)
{
    const std::pair<const char*, const char*> cases[] = {
        {"\xC5\x81\xC3\xB3" "d\xC5\xBA \xE6\x97\xA5\xE6\x9C\xAC", "\xC3\xB3" "d "}, // Łódź 日本
        {"Caf\xC3\xA9 \xE2\x82\xAC \xC5\xA0", "Caf\xC3\xA9 \xE2\x82\xAC \xC5\xA0"}, // é € Š stay
        {"two\nlines\tand\x7F", "twolinesand"},
        {"\xF0\x9F\x9A\x97 car", " car"}, // outside the first plane
    };
    for (const auto& [typed, kept] : cases) EXPECT_EQ(nameCharactersKept(typed), kept) << typed;
}

TEST_F(EditorTest, TheHiddenExportComparesWithTheListedNames)
{
    ASSERT_TRUE(VcfWriter(dir_ / "addon" / "vgoon4.vcf", {.name = "Dusty", .model = 16}));
    start(saveCar("d.rbc", {.name = "DUSTY", .model = 16}));
    click(Form::exportButton);
    EXPECT_EQ(services_.said(), std::vector<std::string>{"Stop | Rivetbay : Can't export to VCF | The variant must have a unique model/name combination."});

    // A new name is written and listed at once by the pass after it.
    view_->type("Other");
    editor_->nameBoxLeft();
    click(Form::exportButton);
    EXPECT_EQ(services_.messages.size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(dir_ / "addon" / "vgoon5.vcf"));
    EXPECT_EQ(view_->at(Form::nameBox).entries, (std::vector<std::string>{"Dusty", "Other"}));

    // A vehicle folder gone since the start: said, not passed over.
    std::filesystem::remove_all(dir_ / "addon");
    click(Form::exportButton);
    EXPECT_EQ(services_.messages.size(), 2u);
}

TEST_F(EditorTest, AVehicleFileGivenAsACarIsImported)
{
    const CarConfig piranha{.name = "432", .model = 14, .topWeapons = {2, 5}, .armor = {40, 40, 40, 40}};
    ASSERT_TRUE(VcfWriter(dir_ / "ppirna5.vcf", piranha));
    std::vector<std::uint8_t> odd = testkit::readBytes(dir_ / "ppirna5.vcf");
    odd[121] = 0x95; // armor front 405: not a multiple of 10
    testkit::writeBytes(dir_ / "odd.vcf", odd);
    odd.resize(150);
    testkit::writeBytes(dir_ / "cut.rbc", odd);

    start(dir_ / "ppirna5.vcf");
    EXPECT_EQ(view_->selection(Form::modelList), 14);
    EXPECT_EQ(view_->name(), "432");
    EXPECT_EQ(view_->selection(idOf("topWeapon2List")), 5);
    EXPECT_TRUE(services_.messages.empty());

    answer(dir_ / "odd.vcf");
    click(Form::openButton);
    ASSERT_EQ(services_.messages.size(), 1u);
    EXPECT_EQ(services_.messages[0].icon, MessageIcon::Information);
    EXPECT_NE(services_.said().back().find("armor front 405"), std::string::npos) << services_.said().back();
    EXPECT_EQ(number("armorFrontField"), 41);

    // A damaged one is refused whole, whatever its name says.
    const CarConfig before = editor_->config();
    answer(dir_ / "cut.rbc");
    click(Form::openButton);
    ASSERT_EQ(services_.messages.size(), 2u);
    EXPECT_NE(services_.said().back().find("damaged vehicle file"), std::string::npos) << services_.said().back();
    EXPECT_EQ(editor_->config(), before);
}

// Every call to a control costs the window (a redraw, a message under Wine),
// and a write over the name box would take the player's typing.
TEST_F(EditorTest, APassWritesOnlyWhatChangedAndNeverThePlayersTyping)
{
    start(saveCar("spread.rbc", spreadCar()));
    view_->writes.clear();
    editor_->recalculate();
    EXPECT_EQ(view_->writes, std::vector<std::string>{});
    view_->type("Half typ"); // no event per key
    ASSERT_TRUE(editor_->stepped(idOf("armorFrontSpin"), +1));
    EXPECT_EQ(view_->writes, (std::vector<std::string>{"armorFrontField", "freePointsField"}));
    EXPECT_EQ(view_->name(), "Half typ");
    view_->writes.clear();
    choose("engineList", 3);
    EXPECT_EQ(view_->writes, (std::vector<std::string>{"enginePrice", "totalPrice"}));
    view_->writes.clear();
    choose("modelList", 6); // the spread reset; other paints (refilled, then picked) and mounts
    EXPECT_EQ(view_->writes, (std::vector<std::string>{
                                 "armorFrontField", "armorLeftField", "armorRightField", "armorRearField",
                                 "chassisFrontField", "chassisLeftField", "chassisRightField", "chassisRearField",
                                 "freePointsField", "paintList", "paintList", "frontWeapon1List", "modelPrice",
                                 "totalPrice"}));
}

} // namespace
} // namespace rivetbay
