#pragma once

// The editor window's commands beside its controls: the entries of its menu
// and the keys that choose them. Both windows build their menu and keys from
// this one table and ask the editor which entries are enabled.

#include <span>
#include <string>

namespace rivetbay {

enum class EditorCommand { Undo, Redo, About };

struct KeyChord {
    bool control = false;
    bool shift = false;
    char letter = 0;     // 'A' to 'Z', or
    int functionKey = 0; // 1 for F1
};

struct CommandEntry {
    EditorCommand command;
    unsigned id; // the menu entry's id
    const char* text;
    std::span<const KeyChord> keys; // keys in a text field are the field's own
    bool keyShown;                  // the first key is written beside the entry
    bool separatorBefore;
};

namespace EditorCommands {

// The About entry's id, in the system menu as in the window's own. The system
// menu's commands keep their low four bits for Windows, and ids from 0xF000
// are its own: 16 is the first id that leaves both alone.
inline constexpr unsigned aboutId = 16;
// The ids Windows programs customarily give Undo and Redo (the common
// class libraries' ID_EDIT_UNDO and ID_EDIT_REDO), which tools that drive
// menus recognise.
inline constexpr unsigned undoId = 0xE12B;
inline constexpr unsigned redoId = 0xE12C;

// In menu order.
std::span<const CommandEntry> entries();
// Nothing for an id no entry has.
const CommandEntry* entry(unsigned id);
const CommandEntry& entry(EditorCommand command);
// As menus write it: "Ctrl+Shift+Z", "F1".
std::string keyText(const KeyChord& key);

} // namespace EditorCommands

} // namespace rivetbay
