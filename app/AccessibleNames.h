#pragma once

// What a screen reader calls each control of the three windows, for both
// toolkits. A list is named by its label and place, a number by its side or
// part, an arrow by what a press does; the shown texts stay as the forms have
// them. A toolkit that makes an arrow pair one control names it by what it
// steps (`name`); one that makes each arrow a control of its own uses `less`
// and `more` (down or left, up or right).

namespace rivetbay {

struct AccessibleName {
    const char* name; // the control's, or an arrow pair's
    const char* less = nullptr;
    const char* more = nullptr;
};

namespace AccessibleNames {

// By the editor form's ids (the table names its controls as the form does);
// nothing for a control it lacks (the labels, the frames, the hidden buttons).
const AccessibleName* editorControl(int id);
// By the About form's ids; its text is named by what it says.
const AccessibleName* aboutControl(int id);
const AccessibleName* hackbusterControl(int id);

// The frames that group the point fields, by their shown titles.
inline constexpr const char* armorGroup = "Armor";
inline constexpr const char* chassisGroup = "Chassis";

} // namespace AccessibleNames

} // namespace rivetbay
