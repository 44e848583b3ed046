#pragma once

// The editor window's form: every control with its id, kind, place in dialog
// units, caption, fixed entries, bound field and command. Each window builds
// its controls from this one table, and the editor reaches them by id.

#include "app/DialogRect.h"
#include "car/Allocation.h"
#include "car/CarConfig.h"
#include "car/Mount.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace rivetbay {

enum class ControlKind {
    List,         // a drop-down list that cannot be typed into
    NameBox,      // the editable drop-down of variant names
    Points,       // a bordered, right-aligned, read-only number with a tab stop
    FreePoints,   // the same, centred
    Price,        // a borderless, right-aligned, read-only number without a tab stop
    Total,        // the same, centred
    SideSpin,     // vertical arrows beside one side's field
    TransferSpin, // horizontal arrows between armor and chassis
    Check,
    Button,
    HiddenButton, // created hidden, never shown
    Label,
    ArmorFrame,   // a group box titled at the left
    ChassisFrame, // a group box titled at the right
};

// What a control asks of the editor when the player uses it.
enum class ControlAction {
    None,
    ChangeModel,
    Recalculate,
    Paint,
    StepSide,
    Transfer,
    Open,
    Save,
    Quit,
    About,
    Export,
    Hackbuster,
};

struct FormControl {
    int id; // the dialog's control id; noControlId for labels and frames
    ControlKind kind;
    const char* name; // the object name windows and tests find it by
    DialogRect at;
    const char* text = nullptr;                // a caption
    std::span<const std::string_view> entries; // a list's fixed entries; none: each pass fills it
    std::int32_t& (*field)(CarConfig&) = nullptr; // a list's selection or a number's points
    std::uint32_t& (*price)(CarConfig&) = nullptr;
    ControlAction action = ControlAction::None;
    // The mount whose availability enables it.
    std::optional<Mount> mount = std::nullopt;
    Points points = Points::Armor; // a side spin's side
    Side side = Front;
    // A spin's number field, whose arrow keys step it too; a label's list,
    // when the label names that one list alone.
    int buddy = 0;
};

namespace EditorForm {

inline constexpr int noControlId = -1;
inline constexpr const char* title = "  Vexillo's Rivetbay  1.9";
inline constexpr const char* fontName = "Lucida Console";
inline constexpr int fontPoints = 8;
inline constexpr int width = 322;
inline constexpr int height = 223;

// The ids the editor addresses by name.
inline constexpr int totalPrice = 1001;
inline constexpr int modelList = 1002;
inline constexpr int turretBox = 1019;
inline constexpr int paintList = 1039;
inline constexpr int nameBox = 1040;
inline constexpr int aboutButton = 1048;
inline constexpr int openButton = 1060;
inline constexpr int saveButton = 1061;
inline constexpr int freePoints = 1126;
inline constexpr int transferSpin = 1128;
inline constexpr int exportButton = 1136;
inline constexpr int hackbusterButton = 1138;
inline constexpr int quitButton = 2;
// Beside the name box when typing or a paste lost characters the game cannot store.
inline constexpr const char* nameCharactersTip = "The game keeps only Western European letters.";

// In tab and creation order.
std::span<const FormControl> controls();
// Nothing for an id no control has.
const FormControl* control(int id);

} // namespace EditorForm

} // namespace rivetbay
