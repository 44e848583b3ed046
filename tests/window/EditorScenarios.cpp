// The editor window as a player meets it, written once and run by each
// toolkit's test program against its own window.

#include "app/EditorForm.h"
#include "files/VcfWriter.h"

#include "StartFolder.h"
#include "window/WindowProbe.h"

#include <algorithm>
#include <array>
#include <functional>
#include <set>
#include <span>
#include <tuple>

namespace rivetbay::testkit {
namespace {

struct EditorScenario : ::testing::Test, StartFolder {
    WindowProbe& start(const std::filesystem::path& car = {})
    {
        writeSettings();
        window_ = startWindow(services_, dir_.path(), car);
        return *window_;
    }
    std::unique_ptr<WindowProbe> window_;
};

constexpr Chord ctrl(int key, bool shift = false) { return {key, true, shift}; }

// What a screen reader says for each kind of control, as a player hears it.
struct Spoken {
    const char *control, *name, *less = nullptr, *more = nullptr; // the form's name for it, then the words
};
constexpr Spoken spokenEditor[] = {
    {"modelList", "Model"}, {"frontTiresList", "Front tires"}, {"frontWeapon3List", "Front weapon 3"},
    {"dropper2List", "Dropper 2"}, {"special1List", "Special 1"}, {"paintList", "Paint scheme"}, {"nameBox", "Name"},
    {"turretBox", "Turret"}, {"armorFrontField", "Armor front"}, {"chassisRightField", "Chassis right"},
    {"freePointsField", "Free points"}, {"enginePrice", "Engine price"}, {"special3Price", "Special 3 price"},
    {"totalPrice", "Total price"}, {"openButton", "Open"}, {"quitButton", "Quit"},
    {"armorFrontSpin", "Armor front points", "One point less on armor front", "One point more on armor front"},
    {"chassisRearSpin", "Chassis rear points", "One point less on chassis rear", "One point more on chassis rear"},
    {"transferSpin", "Points between armor and chassis", "One point from each chassis side to armor",
     "One point from each armor side to chassis"}};
constexpr Spoken spokenAbout[] = {{"okButton", "OK"}, {"browser", "About Rivetbay"}, {"reloadButton", "Reload"},
                                  {"stopButton", "Stop"}, {"historyArrows", "Back and forward", "Back", "Forward"}};
constexpr Spoken spokenHackbuster[] = {{"okButton", "OK"}, {"list", "Hackbuster list"}};

TEST_F(EditorScenario, AScreenReaderHearsEveryControlByItsOwnName)
{
    WindowProbe& w = start();
    w.editor().clicked(EditorForm::hackbusterButton); // hidden: only the program's own code reaches it
    for (const auto& [window, table] : {std::pair{Window::Editor, std::span<const Spoken>(spokenEditor)},
                                        {Window::About, spokenAbout}, {Window::Hackbuster, spokenHackbuster}})
        for (const Spoken& row : table) {
            const auto heard = w.spoken(window, row.control);
            ASSERT_FALSE(heard.empty()) << row.control;
            EXPECT_EQ(heard[0], row.name);
            if (heard.size() == 3) {
                EXPECT_EQ(heard[1] + " / " + heard[2], std::string(row.less) + " / " + row.more);
            }
        }
    // The lists and name box, the turret box, the points, the arrows (a pair
    // being one control or two), the prices and total, the buttons, the frames.
    const auto all = w.spokenControls();
    const bool twoArrows = w.spoken(Window::Editor, "armorFrontSpin").size() == 3;
    EXPECT_EQ(all.size(), twoArrows ? 73u : 64u);
    EXPECT_EQ(std::set<std::string>(all.begin(), all.end()).size(), all.size()); // no two alike
    EXPECT_EQ(std::count(all.begin(), all.end(), "Armor") + std::count(all.begin(), all.end(), "Chassis"), 2);
}

// Each window as its form lays it out, in the window's dialog units; a list's
// place reaches to the bottom of its dropped-down part, within a row.
TEST_F(EditorScenario, EachWindowStandsAsItsFormLaysItOut)
{
    WindowProbe& w = start();
    w.editor().clicked(EditorForm::hackbusterButton);
    using W = Window;
    const std::tuple<Window, const char*, DialogRect, const char*> rows[] = {
        {W::Editor, nullptr, {0, 0, 322, 223}, "  Vexillo's Rivetbay  1.9"},
        {W::Editor, "armorFrontField", {23, 170, 16, 14}, "0"}, {W::Editor, "modelList", {2, 12, 98, 216}, nullptr},
        {W::Editor, "freePointsField", {50, 156, 22, 16}, "0"}, {W::Editor, "openButton", {228, 160, 43, 16}, "&OPEN"},
        {W::Editor, "dropper2List", {124, 175, 78, 53}, nullptr},
        {W::About, nullptr, {0, 0, 366, 288}, "  About Vexillo's Rivetbay"},
        {W::About, "okButton", {324, 2, 36, 28}, "OK..."}, {W::About, "historyArrows", {4, 2, 60, 28}, nullptr},
        {W::About, "reloadButton", {80, 2, 32, 28}, "Reload"}, {W::About, "stopButton", {128, 2, 32, 28}, "Stop"},
        {W::About, "aboutText", {212, 2, 108, 28}, nullptr}, {W::About, "browser", {4, 32, 358, 252}, nullptr},
        {W::Hackbuster, nullptr, {0, 0, 205, 129}, "  Rivetbay  :  Hackbuster"},
        {W::Hackbuster, "okButton", {158, 108, 44, 16}, "OK"}, {W::Hackbuster, "list", {4, 4, 198, 100}, nullptr},
    };
    const int row = w.pixels(Window::Editor, {0, 0, 0, 14})[3] + 4;
    for (const auto& [window, control, units, text] : rows) {
        const auto at = w.place(window, control), wanted = w.pixels(window, units);
        const bool list = control && std::string_view(control).ends_with("List");
        EXPECT_EQ((std::array{at[0], at[1], at[2]}), (std::array{wanted[0], wanted[1], wanted[2]})) << control;
        EXPECT_NEAR(at[3], wanted[3], list ? row : 0) << (control ? control : "the window");
        if (text) {
            EXPECT_EQ(w.shownText(window, control), text);
        }
    }
    // Points and prices right-aligned, the pool and the total centred.
    for (const auto& [field, side] : {std::pair{"armorFrontField", "right"}, {"chassisRearField", "right"},
                                      {"modelPrice", "right"}, {"freePointsField", "centre"}, {"totalPrice", "centre"}})
        EXPECT_EQ(w.alignment(field), side) << field;
    EXPECT_EQ(w.background(Window::Hackbuster, "list"), (std::array{64, 48, 32}));
}

// An About window opens at the editor's corner or, where part of it would
// then be off the screen, moved as little as keeps it wholly on, and never
// larger than the screen: its page gives up the room.
TEST_F(EditorScenario, TheAboutWindowOpensAtTheEditorsCornerWhollyOnTheScreen)
{
    WindowProbe& w = start();
    for (const bool atEdge : {false, true}) {
        const auto [frame, work, inside, editor] = w.aboutOpened(atEdge);
        const std::array end{frame[0] + frame[2], frame[1] + frame[3]}, workEnd{work[0] + work[2], work[1] + work[3]};
        EXPECT_TRUE(frame[0] >= work[0] && frame[1] >= work[1] && end[0] <= workEnd[0] && end[1] <= workEnd[1]) << atEdge;
        if (atEdge) { // moved no further than it must, give or take the system's own margin
            EXPECT_NEAR(end[0], workEnd[0], 4);
            EXPECT_NEAR(end[1], workEnd[1], 4);
        } else if (frame[3] < work[3] - 60) { // with room below the corner
            EXPECT_EQ(inside, editor);
        }
        const auto page = w.place(Window::About, "browser");
        EXPECT_LE(page[1] + page[3], w.place(Window::About, nullptr)[3]) << atEdge;
    }
}

// A message box, and the file dialog the first start asks for the game with,
// stand in the middle of the editor.
TEST_F(EditorScenario, BoxesAndDialogsStandOverTheEditor)
{
    WindowProbe& w = start();
    for (const bool fileDialog : {false, true}) {
        const auto [box, editor] = w.dialogOverEditor(fileDialog);
        ASSERT_GT(box[2], 0) << fileDialog;
        EXPECT_NEAR(box[0] + box[2] / 2, editor[0] + editor[2] / 2, 2) << fileDialog;
        EXPECT_NEAR(box[1] + box[3] / 2, editor[1] + editor[3] / 2, 2) << fileDialog;
    }
}

TEST_F(EditorScenario, HackbusterWindowsComeOneAClickAndEndWithTheEditor)
{
    WindowProbe& w = start();
    w.editor().clicked(EditorForm::hackbusterButton);
    w.editor().clicked(EditorForm::hackbusterButton);
    EXPECT_EQ(w.hackbusters(), 2);
    w.closeFirstHackbuster();
    EXPECT_EQ(w.hackbusters(), 1);
    w.key("openButton", {Escape}); // unchanged: the editor ends at once, and they with it
    EXPECT_FALSE(w.shown());
    EXPECT_EQ(w.hackbusters(), 0);
}

TEST_F(EditorScenario, ListsTheTurretBoxTheArrowsAndTheirKeysDoWhatTheySay)
{
    WindowProbe& w = start();
    EXPECT_EQ(w.text("totalPrice"), "2600");
    EXPECT_FALSE(w.enabled("frontWeapon2List")); // no second front mount without a model
    w.choose("modelList", 25);                    // Phaedra Coupe: the model-change rule
    EXPECT_EQ(w.text("armorLeftField"), "18");
    w.choose("topWeapon1List", 1); // a 30cal MG may sit in a turret
    w.click("turretBox");
    EXPECT_EQ(w.text("topWeapon1Price"), "825");
    for (const auto& [act, front, chassis] :
         {std::tuple{std::function<void()>([&] { w.arrow("armorFrontSpin", false, Press::Click); }), "17", "22"},
          {[&] { w.arrow("transferSpin", true, Press::Click); }, "16", "23"}, // right: armor to chassis
          {[&] { w.key("freePointsField", {Left}); }, "17", "22"},          // its keys as its arrows
          {[&] { w.key("armorFrontField", {Up}); }, "18", "22"}}) {
        act();
        EXPECT_EQ(w.text("armorFrontField"), front);
        EXPECT_EQ(w.text("chassisFrontField"), chassis);
    }
    w.key("openButton", {Escape}); // with changes it asks; Cancel keeps the editor, Discard ends it
    ASSERT_EQ(services_.questions.size(), 1u);
    EXPECT_TRUE(w.shown());
    services_.closeAnswers = {CloseAnswer::Discard};
    w.key("openButton", {Escape});
    EXPECT_FALSE(w.shown());
}

// A held key is one step, as a held arrow; its repeats that queued up behind
// a slow step are dropped, so the value stops when the key is let go.
TEST_F(EditorScenario, KeyRepeatsThatWaitedBehindASlowStepAreDropped)
{
    WindowProbe& w = start(saveCar("spread.rbc", spreadCar()));
    for (const auto& [which, shown] : {std::pair{Repeat::First, "40"}, {Repeat::QueuedBehindTheStep, "40"},
                                       {Repeat::AfterTheStep, "39"}, {Repeat::AfterTheStep, "38"}}) {
        w.heldKey("armorFrontField", Down, which);
        EXPECT_EQ(w.text("armorFrontField"), shown);
    }
    w.key("openButton", ctrl('Z'));
    EXPECT_EQ(w.text("armorFrontField"), "41");
}

// In the name box the letters are the text field's own, F1 the window's.
TEST_F(EditorScenario, TheMenuAndTheKeysAsThePlayerMeetsThem)
{
    WindowProbe& w = start();
    w.choose("modelList", 16);
    w.choose("modelList", 17);
    w.editor().undo(); // at 16, with a step to take each way
    EXPECT_EQ(w.menu(), (std::vector<std::string>{"&Undo\tCtrl+Z", "&Redo\tCtrl+Y", "-", "&About Rivetbay"}));
    w.key("nameBox", ctrl('Z'));
    EXPECT_EQ(w.selection("modelList"), 16);
    w.key("nameBox", {F1});
    EXPECT_EQ(w.aboutsShown(), 1);
    for (const auto& [chord, model] : {std::pair{ctrl('Z'), 0}, {ctrl('Y'), 16}, {ctrl('Z', true), 17}}) {
        w.key("openButton", chord);
        EXPECT_EQ(w.selection("modelList"), model) << char(chord.key) << chord.shift;
    }
    w.key("openButton", {F1});
    w.click("aboutButton");
    EXPECT_EQ(w.aboutsShown(), 3);
    // Nothing left to redo; a name being typed is taken before the menu opens.
    w.setText("nameBox", "Typed", 5);
    EXPECT_EQ(w.menu(), (std::vector<std::string>{"&Undo\tCtrl+Z", "&Redo\tCtrl+Y (grey)", "-", "&About Rivetbay"}));
    EXPECT_EQ(w.editor().config().name, "Typed");
}

// Alt with a button's letter presses it, from the name box too, and the
// opened design's name is then shown; Enter presses a button, not a list.
TEST_F(EditorScenario, KeysPressTheButtonsThePlayerMeans)
{
    const auto loaded = saveCar("loaded.rbc", {.name = "Loaded", .model = 9});
    WindowProbe& w = start();
    w.setText("nameBox", "Typed", 5);
    answer(loaded);
    w.key("nameBox", {'O', false, false, true});
    EXPECT_EQ(services_.requests.size(), 1u);
    EXPECT_EQ(w.text("nameBox"), "Loaded");
    w.key("engineList", {Return});
    EXPECT_EQ(services_.requests.size(), 1u);
    w.key("openButton", {Return});
    EXPECT_EQ(services_.requests.size(), 2u);
}

TEST_F(EditorScenario, ADroppedFileLoadsTheFirstOfThemAndUndoingItAimsTheQuestionBack)
{
    const auto a = saveCar("a.car", {.model = 9}), b = saveCar("b.rbc", {.model = 22});
    WindowProbe& w = start(saveCar("mine.rbc", spreadCar()));
    w.arrow("armorFrontSpin", false, Press::Click);
    w.drop({a, b});
    EXPECT_EQ(w.selection("modelList"), 9);
    EXPECT_EQ(w.text("modelPrice"), "3730");
    w.key("openButton", ctrl('Z'));
    EXPECT_EQ(w.selection("modelList"), 1);
    w.key("openButton", {Escape}); // the fake answers Cancel
    EXPECT_EQ(services_.questions, std::vector<std::string>{"Save changes to the design in mine.rbc before closing?"});
}

TEST_F(EditorScenario, AHeldArrowIsOneStepToUndoAndEachClickAnother)
{
    WindowProbe& w = start(saveCar("spread.rbc", spreadCar()));
    w.arrow("armorFrontSpin", false, Press::Click);
    w.arrow("armorFrontSpin", false, Press::DoubleClick); // the second of two quick clicks
    ASSERT_EQ(w.text("armorFrontField"), "39");
    w.arrow("armorFrontSpin", false, Press::Hold);
    EXPECT_LE(std::stoi(w.text("armorFrontField")), 36); // its press and two repeats
    for (const char* back : {"39", "40", "41"}) {
        w.key("openButton", ctrl('Z'));
        EXPECT_EQ(w.text("armorFrontField"), back);
    }
}

// An About arrow with no page to go to says so, one box a press however long
// it is held, and the next press is heard.
TEST_F(EditorScenario, AnAboutArrowWithNowhereToGoSaysSoOnceAPress)
{
    WindowProbe& w = start();
    w.arrow("historyArrows", false, Press::Hold);
    w.arrow("historyArrows", true, Press::Click);
    EXPECT_EQ(services_.messages.size(), 2u); // in the words of each toolkit's browser
}

// A loaded name longer than the box is shown whole from its start, and is
// no change; an undone one too.
TEST_F(EditorScenario, ALongLoadedNameIsShownWholeAndIsNoChange)
{
    WindowProbe& w = start(saveCar("long.rbc", {.name = std::string(300, 'N'), .model = 3}));
    EXPECT_EQ(w.caret("nameBox"), 0);
    w.choose("modelList", 5);
    w.editor().undo();
    EXPECT_EQ(w.text("nameBox"), std::string(300, 'N'));
    EXPECT_FALSE(w.editor().modified());
}

TEST_F(EditorScenario, TheNameBoxKeepsItsCaretAndOnlyWhatTheGameCanStore)
{
    WindowProbe& w = start();
    w.setText("nameBox", "Speedy", 3);
    ASSERT_TRUE(VcfWriter(dir_ / "addon" / "vgoon4.vcf", {.name = "Listed", .model = 16}));
    w.arrow("transferSpin", false, Press::Click); // a pass that refills the list while the name is typed
    EXPECT_EQ(w.caret("nameBox"), 3);
    w.type("nameBox", "Go");
    EXPECT_EQ(w.text("nameBox"), "SpeGoedy");
    w.setText("nameBox", "", 0);
    w.type("nameBox", "\xC3\xA9"); // é
    EXPECT_FALSE(w.tipShown());
    w.type("nameBox", "\xC5\x81"); // Ł: no place in the game's set, and said so at the box
    EXPECT_EQ(w.text("nameBox"), "\xC3\xA9");
    EXPECT_TRUE(w.tipShown());
    w.setText("nameBox", "", 0);
    w.paste("nameBox", std::string(60, 'W') + "\xE6\x97\xA5"); // 日
    const std::string cut = w.text("nameBox");
    EXPECT_GT(cut.size(), 3u); // what fits, not nothing
    EXPECT_LT(cut.size(), 60u);
    EXPECT_EQ(cut, std::string(cut.size(), 'W'));
    w.setText("nameBox", "", 0);
    for (const int letter : {'E', 'H', 'X'}) w.key("nameBox", {letter, false, false, true}); // Alt: types nothing
    w.key("nameBox", {'E', true, false, true, "\xE2\x82\xAC"}); // AltGr: €
    EXPECT_EQ(w.text("nameBox"), "\xE2\x82\xAC");
    EXPECT_TRUE(services_.requests.empty()); // and no hidden button answered Alt+E
}

} // namespace
} // namespace rivetbay::testkit
