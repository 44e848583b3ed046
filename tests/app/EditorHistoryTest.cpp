// A design is never lost: a question before unsaved work is closed, and every
// step of the design can be undone and redone.

#include "files/VcfWriter.h"

#include "EditorFixture.h"

#include <functional>

namespace rivetbay {
namespace {

// A Phaedra Coupe with a turret-capable top weapon and points in the pool.
CarConfig baseCar()
{
    return {.name = "Base", .model = 25, .engine = 2, .topWeapons = {1, 0}, .freePoints = 4,
            .armor = {18, 17, 16, 15}, .chassis = {22, 21, 20, 19}};
}

TEST_F(EditorTest, ClosingUnchangedWorkAsksNothing)
{
    const std::pair<const char*, std::function<void(EditorTest&)>> cases[] = {
        {"nothing done", [](EditorTest&) {}},
        {"a change taken back by hand", [](EditorTest& t) { t.choose("engineList", 3), t.choose("engineList", 2); }},
        {"a refused export, which only recalculates", [](EditorTest& t) { t.click(Form::exportButton); }},
        {"an open", [](EditorTest& t) {
             t.choose("engineList", 3);
             t.answer(t.saveCar("other.rbc", {.model = 9}));
             t.click(Form::openButton);
         }},
        {"a save", [](EditorTest& t) {
             t.choose("engineList", 3);
             t.answer(t.dir_ / "saved.rbc");
             t.click(Form::saveButton);
         }},
    };
    for (const auto& [what, action] : cases) {
        SCOPED_TRACE(what);
        start(saveCar("base.rbc", baseCar()));
        action(*this);
        click(Form::quitButton);
        EXPECT_TRUE(view_->closed);
    }
    EXPECT_TRUE(services_.questions.empty());
}

TEST_F(EditorTest, ClosingChangedWorkAsksAndEachAnswerDoesWhatItSays)
{
    std::filesystem::create_directory(dir_ / "folder.rbc");
    // What, the answer, the file a Save dialog answers, whether it closes.
    const std::tuple<const char*, CloseAnswer, std::optional<std::filesystem::path>, bool> cases[] = {
        {"discard", CloseAnswer::Discard, {}, true},
        {"cancel", CloseAnswer::Cancel, {}, false},
        {"save", CloseAnswer::Save, dir_ / "kept.rbc", true},
        {"save, dialog cancelled", CloseAnswer::Save, {}, false},
        {"save that fails", CloseAnswer::Save, dir_ / "folder.rbc", false},
    };
    for (const auto& [what, answer, saveAs, closes] : cases) {
        SCOPED_TRACE(what);
        services_ = {};
        start();
        choose("modelList", 16);
        const CarConfig before = editor_->config();
        services_.closeAnswers = {answer};
        services_.answers = {saveAs};
        click(Form::quitButton);
        EXPECT_EQ(view_->closed, closes);
        EXPECT_EQ(services_.questions, std::vector<std::string>{"Save changes to the design before closing?"});
        EXPECT_EQ(editor_->config(), before); // the design is untouched, whatever the answer
        EXPECT_EQ(services_.messages.size(), saveAs == dir_ / "folder.rbc" ? 1u : 0u);
    }
    CarConfig kept;
    ASSERT_TRUE(readCarFile(dir_ / "kept.rbc", kept));
    EXPECT_EQ(kept.model, 16);

    // A name typed and not yet taken is work too; the car file is named, and
    // Save writes it with no dialog to go astray in.
    services_ = {};
    start(saveCar("dusty.rbc", {.name = "Dusty", .model = 16}));
    view_->type("Dusty II");
    click(Form::quitButton);
    EXPECT_FALSE(view_->closed);
    EXPECT_EQ(services_.questions, std::vector<std::string>{"Save changes to the design in dusty.rbc before closing?"});
    EXPECT_EQ(editor_->config().name, "Dusty II");
    services_.closeAnswers = {CloseAnswer::Save};
    click(Form::quitButton);
    EXPECT_TRUE(view_->closed && services_.requests.empty());
    CarConfig written;
    ASSERT_TRUE(readCarFile(dir_ / "dusty.rbc", written));
    EXPECT_EQ(written.name, "Dusty II");
    // An imported vehicle file is no car file of the design's: Save asks where.
    services_ = {};
    ASSERT_TRUE(VcfWriter(dir_ / "x.vcf", {.name = "Imported", .model = 16}));
    start(dir_ / "x.vcf");
    view_->type("Changed");
    click(Form::quitButton);
    EXPECT_EQ(services_.questions, std::vector<std::string>{"Save changes to the design before closing?"});
}

TEST_F(EditorTest, EachKindOfStepIsUndoneAndRedoneWhole)
{
    const auto other = saveCar("other.rbc", {.name = "Other", .model = 9, .armor = {1, 2, 3, 4}});
    ASSERT_TRUE(VcfWriter(dir_ / "piranha.vcf", {.name = "Fish", .model = 14, .armor = {40, 40, 40, 40}}));
    const std::pair<const char*, std::function<void(EditorTest&)>> steps[] = {
        {"list", [](EditorTest& t) { t.choose("engineList", 4); }},
        {"turret", [](EditorTest& t) { t.view_->tick(Form::turretBox); }},
        {"name", [](EditorTest& t) { t.view_->type("Renamed"), t.editor_->nameBoxLeft(); }},
        {"point", [](EditorTest& t) { t.editor_->stepped(idOf("armorRightSpin"), -1); }},
        {"transfer", [](EditorTest& t) { t.editor_->stepped(Form::transferSpin, +1); }},
        {"model", [](EditorTest& t) { t.choose("modelList", 16); }},
        {"paint", [](EditorTest& t) { t.choose("paintList", 2); }},
        {"open", [&](EditorTest& t) { t.answer(other), t.click(Form::openButton); }},
        {"drop", [&](EditorTest& t) { t.editor_->fileDropped(other); }},
        {"import", [](EditorTest& t) { t.editor_->fileDropped(t.dir_ / "piranha.vcf"); }},
    };
    for (const auto& [what, step] : steps) {
        SCOPED_TRACE(what);
        start(saveCar("base.rbc", baseCar()));
        EXPECT_FALSE(editor_->canUndo());
        const CarConfig before = editor_->config();
        step(*this);
        const CarConfig after = editor_->config();
        ASSERT_FALSE(sameDesign(before, after));
        editor_->undo();
        EXPECT_EQ(editor_->config(), before); // prices and all
        EXPECT_EQ(view_->selection(Form::modelList), before.model);
        EXPECT_EQ(number("armorRightField"), before.armor[Right]);
        EXPECT_EQ(view_->name(), "Base");
        EXPECT_FALSE(editor_->canUndo());
        ASSERT_TRUE(editor_->canRedo());
        editor_->redo();
        EXPECT_EQ(editor_->config(), after);
        EXPECT_FALSE(editor_->canRedo());
    }
}

TEST_F(EditorTest, UndoingALoadAimsSaveAndTheQuestionAtTheFileBeforeIt)
{
    const auto b = saveCar("b.rbc", {.name = "Bee", .model = 9});
    const std::pair<const char*, std::function<void(EditorTest&)>> loads[] = {
        {"open", [&](EditorTest& t) { t.answer(b), t.click(Form::openButton); }},
        {"drop", [&](EditorTest& t) { t.editor_->fileDropped(b); }},
    };
    for (const auto& [what, load] : loads) {
        SCOPED_TRACE(what);
        services_ = {};
        start(saveCar("a.rbc", baseCar()));
        editor_->stepped(idOf("armorFrontSpin"), -1);
        load(*this);
        editor_->undo();
        EXPECT_EQ(number("armorFrontField"), 17);
        click(Form::quitButton);
        EXPECT_EQ(services_.questions, std::vector<std::string>{"Save changes to the design in a.rbc before closing?"});
        services_.closeAnswers = {CloseAnswer::Save};
        click(Form::quitButton);
        CarConfig onDisk;
        ASSERT_TRUE(readCarFile(dir_ / "a.rbc", onDisk) && readCarFile(b, onDisk));
        EXPECT_EQ(onDisk.name, "Bee"); // never written over
        // Redo brings the loaded file back, unchanged; SAVE proposes it.
        editor_->redo();
        EXPECT_FALSE(editor_->modified());
        click(Form::saveButton);
        EXPECT_EQ(services_.requests.back().fileName, "b.rbc");
    }
    // A save marks every step of its design: undone past it, the design is changed.
    start(saveCar("a.rbc", baseCar()));
    choose("engineList", 3);
    services_.answers = {dir_ / "c.rbc"};
    click(Form::saveButton);
    editor_->undo();
    services_.questions.clear();
    click(Form::quitButton);
    EXPECT_EQ(services_.questions, std::vector<std::string>{"Save changes to the design in c.rbc before closing?"});
}

TEST_F(EditorTest, AHeldArrowIsOneStepAndEachPressAnother)
{
    start(saveCar("base.rbc", baseCar()));
    const int spin = idOf("armorFrontSpin");
    editor_->stepped(spin, -1);
    for (int k = 0; k < 4; ++k) editor_->stepped(spin, -1, true); // held: one step with its press
    editor_->stepped(spin, -1);
    editor_->undo();
    choose("engineList", 3); // a new step: what was undone is gone
    EXPECT_FALSE(editor_->canRedo());
    editor_->undo();
    EXPECT_EQ(number("armorFrontField"), 13);

    // A repeat after another control's step starts a step of its own.
    editor_->stepped(idOf("armorLeftSpin"), -1);
    editor_->stepped(spin, -1, true);
    editor_->undo();
    EXPECT_EQ(number("armorFrontField"), 13);
    EXPECT_EQ(number("armorLeftField"), 15);
}

TEST_F(EditorTest, UndoBackToTheSavedDesignCountsAsUnchanged)
{
    start(saveCar("base.rbc", baseCar()));
    view_->type("Based"); // typed, not yet taken
    EXPECT_TRUE(editor_->modified());
    view_->type("Base");
    EXPECT_FALSE(editor_->modified());
    choose("engineList", 3);
    EXPECT_TRUE(editor_->modified());
    editor_->undo();
    EXPECT_FALSE(editor_->modified());
    editor_->redo();
    EXPECT_TRUE(editor_->modified());
    editor_->undo();
    click(Form::quitButton);
    EXPECT_TRUE(view_->closed);
    EXPECT_TRUE(services_.questions.empty());

    // A failed open leaves no step; the history keeps its last few hundred.
    start();
    answer(dir_ / "missing.rbc");
    click(Form::openButton);
    EXPECT_FALSE(editor_->canUndo());
    for (std::size_t k = 0; k < Editor::historyLimit + 10; ++k) choose("engineList", 1 + k % 2);
    std::size_t undone = 0;
    for (; editor_->canUndo(); ++undone) editor_->undo();
    EXPECT_EQ(undone, Editor::historyLimit);
}

} // namespace
} // namespace rivetbay
