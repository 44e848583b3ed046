#include "app/EditorCommands.h"

#include <array>

namespace rivetbay::EditorCommands {

namespace {

constexpr KeyChord undoKeys[] = {{.control = true, .letter = 'Z'}};
constexpr KeyChord redoKeys[] = {{.control = true, .letter = 'Y'},
                                 {.control = true, .shift = true, .letter = 'Z'}};
constexpr KeyChord aboutKeys[] = {{.functionKey = 1}};

constexpr std::array table{
    CommandEntry{EditorCommand::Undo, undoId, "&Undo", undoKeys, true, false},
    CommandEntry{EditorCommand::Redo, redoId, "&Redo", redoKeys, true, false},
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
