#include "app/Editor.h"

#include "app/EditorForm.h"
#include "app/WinePrefixes.h"
#include "car/Allocation.h"
#include "files/AsciiCase.h"
#include "files/CarFile.h"
#include "files/DesignFile.h"
#include "files/Export.h"
#include "files/PlatformRules.h"
#include "files/TextEncoding.h"
#include "files/VariantListing.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>

namespace rivetbay {

namespace Form = EditorForm;

namespace {

class SyncGuard {
public:
    explicit SyncGuard(bool& flag) : flag_(flag), previous_(flag) { flag_ = true; }
    ~SyncGuard() { flag_ = previous_; }
    SyncGuard(const SyncGuard&) = delete;
    SyncGuard& operator=(const SyncGuard&) = delete;

private:
    bool& flag_;
    bool previous_;
};

bool isNumber(ControlKind kind)
{
    return kind == ControlKind::Points || kind == ControlKind::FreePoints ||
           kind == ControlKind::Price || kind == ControlKind::Total;
}

template <typename Number> bool parseWhole(const std::string& text, Number& value)
{
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end && !text.empty();
}

std::vector<std::string> utf8Entries(const auto& names)
{
    std::vector<std::string> entries;
    entries.reserve(names.size());
    for (const auto& name : names) entries.push_back(utf8FromWindows1252(name));
    return entries;
}

const FileFilter carFilter{"Rivetbay Car (*.rbc)", "*.rbc"};
const FileFilter vehicleFilter{"I'76 Vehicle (*.vcf)", "*.vcf"};
const FileFilter eitherFilter{"Car or vehicle file (*.rbc *.vcf)", "*.rbc;*.vcf"};

constexpr const char* savedAsVehicleText =
    "A design is saved as a Rivetbay car file (.rbc). Vehicle files for the game are written by "
    "\"Export to I'76 Nitro\" on a car file in the file manager, or with rivetbay-cli export.";

// The design's name as a file name: what the platform forbids in one left
// out, and control characters too; empty when nothing is left.
std::string carFileNameFor(const std::string& name)
{
    constexpr std::string_view forbidden = platform::forbiddenInFileNames;
    std::string safe;
    for (char c : utf8FromWindows1252(name))
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F && forbidden.find(c) == forbidden.npos)
            safe += c;
    safe = platform::nameAsStored(safe);
    // A leading dot hides a file, and OPEN would not show it: "." and ".." are no names at all.
    safe.erase(0, safe.find_first_not_of('.'));
    if (safe.empty()) return safe;
    // A device on Windows whatever follows its name (up to Windows 10): a
    // car file so named could not be made there, nor copied there.
    const std::string device = asciiLowered(safe.substr(0, safe.find('.')));
    static constexpr std::string_view devices[] = {"con", "prn", "aux", "nul"};
    const bool numbered = device.size() == 4 && (device.starts_with("com") || device.starts_with("lpt")) &&
                          device[3] >= '1' && device[3] <= '9';
    if (numbered || std::find(std::begin(devices), std::end(devices), device) != std::end(devices))
        safe.insert(device.size(), "_");
    return safe + ".rbc";
}

// Judged as the file system will store the name ("z.vcf." is "z.vcf" on Windows).
bool namesVehicleFile(const std::filesystem::path& path)
{
    const auto stored = pathFromUtf8(platform::nameAsStored(utf8FromPath(path.filename())));
    return equalsIgnoringCase1252(utf8FromPath(stored.extension()), ".vcf");
}

// The first-run setup's two dialogs.
class FirstRun final : public FirstRunDialogs {
public:
    explicit FirstRun(UiServices& services) : services_(services) {}
    void explain() override
    {
        services_.showMessage(MessageIcon::Information, firstRunCaption, firstRunText);
    }
    std::optional<std::string> locateGame() override
    {
        FileDialogRequest request;
        request.title = firstRunDialogTitle;
        request.filters = {{"Any (*)", "*"}};
        request.defaultSuffix = "exe";
        request.directory = ".";
        if (platform::gameUnderWine) {
            // The game usually sits inside a Wine prefix, a hidden folder.
            request.showHidden = true;
            const auto env = [](const char* name) {
                const char* value = std::getenv(name);
                return std::filesystem::path(value ? value : "");
            };
            for (const WineDrive& drive : wineDrives(env("HOME"), env("WINEPREFIX")))
                request.places.push_back({drive.label, drive.folder});
        }
        const auto chosen = services_.chooseFile(request);
        if (!chosen) return std::nullopt;
        return utf8FromPath(*chosen);
    }

private:
    UiServices& services_;
};

} // namespace

std::string nameCharactersKept(const std::string& typed)
{
    const auto wide = utf16FromUtf8(typed);
    if (!wide) return {};
    std::u16string kept;
    for (char16_t unit : *wide) {
        // Half a surrogate pair is never in the set; the pair's whole goes with it.
        const bool control = unit < 0x20 || (unit >= 0x7F && unit < 0xA0);
        if (!control && inWindows1252(unit)) kept += unit;
    }
    return utf8FromUtf16(kept);
}

Editor::Editor(EditorView& view, UiServices& services) : view_(view), shown_(view), services_(services) {}

void Editor::start(const EditorStart& start)
{
    applicationName_ = start.applicationName;
    {
        SyncGuard guard(syncing_); // filling the lists raises no action
        for (const FormControl& c : Form::controls())
            if (!c.entries.empty()) shown_.fillList(c.id, utf8Entries(c.entries));
    }
    syncToControls();
    FirstRun dialogs(services_);
    settings_ = startUp(start.startDirectory, dialogs);
    // A car that fails to load is reported, and the window still shows the
    // current design with its prices and lists.
    if (!start.commandLineFile.empty()) loadCar(start.commandLineFile);
    recalculate();
    view_.focus(Form::openButton);
    origin_->saved = config_;
    history_ = {{config_, origin_}};
    position_ = 0;
}

void Editor::syncFromControls()
{
    for (const FormControl& c : Form::controls()) {
        if (c.kind == ControlKind::List && c.field) {
            c.field(config_) = shown_.selection(c.id);
        } else if (isNumber(c.kind)) {
            const std::string text = shown_.text(c.id);
            const bool read =
                c.field ? parseWhole(text, c.field(config_)) : parseWhole(text, c.price(config_));
            if (!read) {
                services_.showMessage(MessageIcon::Stop, applicationName_,
                                      c.field ? "Please enter an integer."
                                              : "Please enter a positive integer.");
                return;
            }
        }
    }
    config_.turret = shown_.checked(Form::turretBox) ? 1 : 0;
    normaliseSelections(config_); // a list without a selection reads as -1
}

void Editor::syncToControls()
{
    SyncGuard guard(syncing_);
    for (const FormControl& c : Form::controls()) {
        if (c.kind == ControlKind::List && c.field)
            shown_.setSelection(c.id, c.field(config_));
        else if (isNumber(c.kind) && c.field) // signed: a file may hold a negative side
            shown_.setText(c.id, std::to_string(c.field(config_)));
        else if (isNumber(c.kind))
            shown_.setText(c.id, std::to_string(c.price(config_)));
    }
    shown_.setChecked(Form::turretBox, config_.turret != 0);
}

bool Editor::namePending() const { return shown_.text(Form::nameBox) != shownName_; }

void Editor::showName(const std::string& utf8Name)
{
    SyncGuard guard(syncing_);
    shown_.setText(Form::nameBox, utf8Name);
    shownName_ = utf8Name;
}

void Editor::recalculate()
{
    syncFromControls();
    // A name typed but not yet taken survives whatever started this pass.
    if (namePending()) config_.name = windows1252FromUtf8(shown_.text(Form::nameBox));
    RecalcResult pass;
    {
        WaitCursor wait(services_); // the listing reads the vehicle directory
        pass = recalculateWithListing(config_, settings_.paths.vcfPath);
    }
    applyPass(pass);
    syncToControls();
}

void Editor::applyPass(const RecalcResult& pass)
{
    SyncGuard guard(syncing_);
    listedNames_ = pass.variantNames;
    shown_.fillList(Form::nameBox, utf8Entries(pass.variantNames));
    showName(utf8FromWindows1252(pass.nameFieldText));
    shown_.fillList(Form::paintList, utf8Entries(pass.paintSchemes));
    shown_.setSelection(Form::paintList, pass.paintSelection);
    for (const FormControl& c : Form::controls())
        if (c.mount) shown_.enable(c.id, pass.enabled(*c.mount));
    shown_.enable(Form::turretBox, pass.turretEnabled);
}

template <typename Rule> void Editor::runRule(Rule rule)
{
    if (syncing_) return;
    syncFromControls();
    rule();
    syncToControls();
    recalculate();
}

void Editor::selectionChanged(int id)
{
    shown_.playerChanged(id);
    const FormControl* c = Form::control(id);
    if (syncing_ || !c) return;
    switch (c->action) {
    case ControlAction::ChangeModel:
        // The current model picked again (a list reports it as a change) keeps the spread.
        if (shown_.selection(id) == config_.model) break;
        runRule([this] { changeModel(config_); });
        break;
    case ControlAction::Paint:
        runRule([this] { config_.paintScheme = shown_.selection(Form::paintList); });
        break;
    case ControlAction::Recalculate:
        recalculate();
        break;
    default:
        break; // the name box's selection becomes the name only when the box is left
    }
    recordStep(id);
}

void Editor::clicked(int id)
{
    shown_.playerChanged(id);
    const FormControl* c = Form::control(id);
    if (syncing_ || !c) return;
    if (c->action != ControlAction::Recalculate) takePendingName(); // every action takes the name first
    switch (c->action) {
    case ControlAction::Recalculate:
        recalculate();
        break;
    case ControlAction::Open:
        openCar();
        break;
    case ControlAction::Save:
        saveCar();
        break;
    case ControlAction::Export:
        exportCar();
        break;
    case ControlAction::About:
        aboutRequested();
        break;
    case ControlAction::Hackbuster:
        view_.showHackbuster();
        break;
    case ControlAction::Quit:
        if (closeRequested()) view_.closeEditor();
        break;
    default:
        break;
    }
    recordStep(id);
}

bool Editor::stepped(int id, int step, bool repeat)
{
    const FormControl* c = Form::control(id);
    bool accepted = false;
    if (!c || syncing_) return accepted;
    if (c->action == ControlAction::StepSide)
        runRule([&] { accepted = stepSide(config_, c->points, c->side, step); });
    else if (c->action == ControlAction::Transfer)
        runRule([&] { accepted = transferPoints(config_, step); });
    recordStep(id, repeat);
    return accepted;
}

void Editor::nameBoxLeft()
{
    if (syncing_) return;
    runRule([this] { config_.name = windows1252FromUtf8(shown_.text(Form::nameBox)); });
    recordStep(Form::nameBox);
}

void Editor::takePendingName()
{
    if (namePending()) nameBoxLeft();
}

void Editor::fileDropped(const std::filesystem::path& path)
{
    takePendingName();
    loadCar(path);
    recordStep();
}

void Editor::choose(EditorCommand command)
{
    switch (command) {
    case EditorCommand::Undo: return undo();
    case EditorCommand::Redo: return redo();
    case EditorCommand::About: return aboutRequested();
    }
}

bool Editor::enabled(EditorCommand command) const
{
    switch (command) {
    case EditorCommand::Undo: return canUndo();
    case EditorCommand::Redo: return canRedo();
    case EditorCommand::About: return true;
    }
    return false;
}

void Editor::aboutRequested()
{
    // One About window per request, whatever route it takes: a pressed F1
    // also reaches the window as a help request while the first is open.
    if (aboutShowing_) return;
    takePendingName();
    SyncGuard showing(aboutShowing_); // the window is modal: shown until this returns
    view_.showAbout();
}

bool Editor::loadCar(const std::filesystem::path& path)
{
    OpenedDesign opened;
    FileResult read;
    {
        WaitCursor wait(services_);
        syncFromControls();
        opened.config = config_;
        // A vehicle file of the game is told by its content and imported;
        // read as a car file it would show a design of garbage.
        read = openDesign(path, opened);
        if (read) {
            config_ = opened.config;
            syncToControls();
            recalculate(); // which shows the loaded name: what was typed was taken before
        }
    }
    if (!read) {
        showFileError(read.error().message);
        return false;
    }
    // A new origin, not a change of the old one: the step before the load
    // keeps the file it came from.
    origin_ = std::make_shared<Origin>(
        Origin{opened.kind == DesignKind::CarFile ? path : std::filesystem::path(), config_});
    if (!opened.warnings.empty()) {
        std::string text = "The vehicle file was imported with these changes:\n";
        for (const std::string& warning : opened.warnings) text += "\n" + warning;
        services_.showMessage(MessageIcon::Information, applicationName_, text);
    }
    // A file of garbage would otherwise show as a blank design without a word.
    if (!opened.outOfRange.empty()) {
        std::string text = "The car file holds values outside the game's tables:\n";
        for (const SelectionProblem& p : opened.outOfRange) text += "\n" + describe(p) + "; shown as none.";
        services_.showMessage(MessageIcon::Information, applicationName_, text);
    }
    return true;
}

std::optional<std::filesystem::path> Editor::chooseCarFile(bool save)
{
    FileDialogRequest request;
    request.kind = save ? FileDialogRequest::Kind::Save : FileDialogRequest::Kind::Open;
    request.title = save ? "Save Rivetbay Car" : "Open Rivetbay Car";
    // Opening also finds the game's vehicle files, which are imported: it
    // starts on the entry that shows both kinds.
    request.filters = save ? std::vector{carFilter}
                           : std::vector{eitherFilter, carFilter, vehicleFilter};
    request.defaultSuffix = "rbc";
    request.directory = settings_.paths.rbcPath;
    if (const auto& carFile = origin_->carFile; save && !carFile.empty()) { // its own file
        request.directory = carFile.parent_path();
        request.fileName = utf8FromPath(carFile.filename());
    } else if (save) {
        request.fileName = carFileNameFor(config_.name);
    }
    auto chosen = services_.chooseFile(request);
    // A car file under a vehicle file's name would be read by the game as one:
    // said, then the dialog again with the name the player typed.
    while (chosen && save && namesVehicleFile(*chosen)) {
        services_.showMessage(MessageIcon::Stop, applicationName_, savedAsVehicleText);
        request.directory = chosen->parent_path();
        request.fileName = utf8FromPath(chosen->filename());
        chosen = services_.chooseFile(request);
    }
    if (chosen) {
        // Remembered before the file is touched, so it is kept even if that fails.
        settings_.paths.rbcPath = chosen->parent_path();
        writePathSettings(settings_.settingsFile, settings_.paths);
    }
    return chosen;
}

void Editor::openCar()
{
    if (const auto chosen = chooseCarFile(false)) loadCar(*chosen);
}

bool Editor::saveCar(bool toItsFile)
{
    const auto chosen =
        toItsFile && !origin_->carFile.empty() ? origin_->carFile : chooseCarFile(true);
    if (!chosen) return false;
    FileResult saved;
    {
        WaitCursor wait(services_);
        saved = saveCarFile(*chosen, config_);
    }
    if (!saved) {
        showFileError(saved.error().message);
        return false;
    }
    *origin_ = {*chosen, config_};
    return true;
}

bool Editor::modified() const { return namePending() || !sameDesign(config_, origin_->saved); }

bool Editor::closeRequested()
{
    takePendingName();
    if (!modified()) return true;
    // Nothing is ever saved by itself; the player is only asked first.
    const std::filesystem::path& carFile = origin_->carFile;
    const std::string what =
        carFile.empty() ? "the design" : "the design in " + utf8FromPath(carFile.filename());
    switch (services_.askToSave(applicationName_, "Save changes to " + what + " before closing?")) {
    case CloseAnswer::Save: // into the file the question names
        return saveCar(true); // a failed or cancelled save keeps the editor open
    case CloseAnswer::Discard:
        return true;
    case CloseAnswer::Cancel:
        break;
    }
    return false;
}

void Editor::recordStep(int control, bool repeat)
{
    if (history_.empty()) return;
    Step& shown = history_[position_];
    // A load is a step even when the design is the same: it changes the file.
    if (sameDesign(config_, shown.design) && origin_ == shown.origin) return;
    // A held arrow's repeats make the step its press began.
    const bool newest = position_ + 1 == history_.size();
    if (repeat && newest && position_ > 0 && control == lastStepControl_ && origin_ == shown.origin) {
        shown.design = config_;
        return;
    }
    history_.resize(position_ + 1); // a new step ends what could be redone
    history_.push_back({config_, origin_});
    ++position_;
    if (history_.size() > historyLimit + 1) {
        history_.erase(history_.begin());
        --position_;
    }
    lastStepControl_ = control;
}

void Editor::showDesign(const Step& step)
{
    config_ = step.design;
    origin_ = step.origin;
    showName(utf8FromWindows1252(config_.name));
    syncToControls();
    recalculate();
    lastStepControl_ = 0;
}

void Editor::undo()
{
    takePendingName();
    if (canUndo()) showDesign(history_[--position_]);
}

void Editor::redo()
{
    takePendingName();
    if (canRedo()) showDesign(history_[++position_]);
}

void Editor::exportCar()
{
    ExportResult result;
    {
        WaitCursor wait(services_);
        result = exportVariant(config_, settings_.paths.vcfPath, listedNames_);
    }
    if (result.outcome == ExportResult::Outcome::Refused)
        services_.showMessage(MessageIcon::Stop, exportCaption, result.refusal);
    else if (result.outcome == ExportResult::Outcome::NotWritten) // said, never passed over
        showFileError(notWrittenText(result, settings_.paths.vcfPath));
    recalculate();
}

void Editor::showFileError(const std::string& message)
{
    services_.showMessage(MessageIcon::Stop, applicationName_, message);
}

} // namespace rivetbay
