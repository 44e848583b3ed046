#pragma once

// The editor behind any window. It owns the car being edited and the
// remembered paths, and turns each of the player's events into a rule of the
// record between syncFromControls and syncToControls, ending with
// recalculate. A window (EditorView) only shows what it is told and hands the
// events over; the dialogs come from UiServices.

#include "app/EditorCommands.h"
#include "app/EditorView.h"
#include "app/ShownControls.h"
#include "app/Startup.h"
#include "app/UiServices.h"
#include "car/CarConfig.h"
#include "car/Recalculate.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace rivetbay {

struct EditorStart {
    std::filesystem::path startDirectory{};   // the working directory at start
    std::filesystem::path commandLineFile{};  // empty: none
    std::string applicationName = "Rivetbay"; // the caption of the error boxes
};

// Of a text typed or pasted into the name box, what the game can store: a
// character its 8-bit set has no place for is left out, and so is a control
// character. UTF-8 in and out.
std::string nameCharactersKept(const std::string& typed);

class Editor {
public:
    Editor(EditorView& view, UiServices& services);
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    // Fills the fixed lists, then the start-up: the settings, the first-run
    // setup, the command-line file, the first recalculation and the focus on
    // OPEN. Once, before the window is shown.
    void start(const EditorStart& start);

    // The player's events, by control id. Changes the controls raise while
    // the editor writes them are not acted on.
    void selectionChanged(int id);
    void clicked(int id); // a button or the turret box
    // One step of a spin's arrow: +1 up or right, -1 down or left; `repeat`
    // when the arrow is held, so that one press is one step to undo. False
    // when the rule refused it.
    bool stepped(int id, int step, bool repeat = false);
    void nameBoxLeft();
    void fileDropped(const std::filesystem::path& path);
    // An entry of the window's menu or its keys; F1 and the system menu's
    // About entry come here too.
    void choose(EditorCommand command);
    bool enabled(EditorCommand command) const;
    void aboutRequested();
    // Text typed into the name box that no rule took yet becomes the name;
    // before anything that does not pass through a rule (a menu, say).
    void takePendingName();

    // Each player action that changed the design is one step back; a held
    // arrow's repeats are one. Undoing restores the whole design.
    void undo();
    void redo();
    bool canUndo() const { return position_ > 0; }
    bool canRedo() const { return position_ + 1 < history_.size(); }
    static constexpr std::size_t historyLimit = 300;

    // Whether the design differs from the one last opened, saved or started
    // with (a name typed but not taken counts).
    bool modified() const;

    void syncFromControls();
    void syncToControls();
    void recalculate();

    const CarConfig& config() const { return config_; }
    const PathSettings& paths() const { return settings_.paths; }

private:
    template <typename Rule> void runRule(Rule rule);
    bool namePending() const;
    void showName(const std::string& utf8Name);
    void applyPass(const RecalcResult& pass);
    bool loadCar(const std::filesystem::path& path);
    std::optional<std::filesystem::path> chooseCarFile(bool save);
    void openCar();
    // SAVE: asks where; `toItsFile` writes straight to the car file the design came from.
    bool saveCar(bool toItsFile = false);
    bool closeRequested();
    void recordStep(int control = 0, bool repeat = false);
    struct Step;
    void showDesign(const Step& step);
    void exportCar();
    void showFileError(const std::string& message);

    EditorView& view_;
    ShownControls shown_; // every control write and read goes through it
    UiServices& services_;
    CarConfig config_;
    StartupState settings_;
    std::string applicationName_ = "Rivetbay";
    bool syncing_ = false;
    bool aboutShowing_ = false;
    std::string shownName_;                // the name box's text as the editor last wrote it
    std::vector<std::string> listedNames_; // the name list of the last pass

    // Where a design came from: shared by every step made since it was
    // opened, so that a save marks them all, and undoing a load brings back
    // the file (and saved state) of the design before it.
    struct Origin {
        std::filesystem::path carFile; // the car file it came from or went to; empty: none
        CarConfig saved;               // as last opened, saved or started with
    };
    struct Step {
        CarConfig design;
        std::shared_ptr<Origin> origin;
    };
    std::vector<Step> history_;     // the design after each step, oldest first
    std::size_t position_ = 0;      // the step on screen
    int lastStepControl_ = 0;       // the control whose action made the newest step
    std::shared_ptr<Origin> origin_ = std::make_shared<Origin>(); // the design on screen's
};

} // namespace rivetbay
