#include "app/EditorCommands.h"

#include <array>

namespace rivetbay::EditorCommands {

namespace {

constexpr KeyChord undoKeys[] = {{.control = true, .letter = 'Z'}};
constexpr KeyChord redoKeys[] = {{.control = true, .letter = 'Y'},
                                 {.control = true, .shift = true, .letter = 'Z'}};
constexpr KeyChord aboutKeys[] = {{.functionKey = 1}};

// The ids are the platform's customary ones for undo and redo.
constexpr std::array table{
    CommandEntry{EditorCommand::Undo, 0xE12B, "&Undo", undoKeys, true, false},
    CommandEntry{EditorCommand::Redo, 0xE12C, "&Redo", redoKeys, true, false},
    CommandEntry{EditorCommand::About, aboutId, "&About Rivetbay", aboutKeys, false, true},
};

} // namespace

std::span<const CommandEntry> entries() { return table; }

const CommandEntry* entry(unsigned id)
{
    for (const CommandEntry& e : table)
        if (e.id == id) return &e;
    return nullptr;
}

const CommandEntry& entry(EditorCommand command)
{
    for (const CommandEntry& e : table)
        if (e.command == command) return e;
    return table.front(); // every command has its row
}

std::string keyText(const KeyChord& key)
{
    std::string text;
    if (key.control) text += "Ctrl+";
    if (key.shift) text += "Shift+";
    if (key.functionKey) text += "F" + std::to_string(key.functionKey);
    else text += key.letter;
    return text;
}

} // namespace rivetbay::EditorCommands
