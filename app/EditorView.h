#pragma once

// What the editor needs of a window: its controls, named by their form id
// (app/EditorForm.h), and the windows it opens. A window implements this and
// hands the player's events to the Editor; it decides nothing itself.
// Texts are UTF-8.

#include <string>
#include <vector>

namespace rivetbay {

class EditorView {
public:
    virtual ~EditorView() = default;

    // A list's selected position; -1 when none is selected.
    virtual int selection(int id) const = 0;
    // A position the list does not have leaves it without a selection.
    virtual void setSelection(int id, int index) = 0;
    virtual bool checked(int id) const = 0;
    virtual void setChecked(int id, bool checked) = 0;
    // A number field's text, or the name box's edit text.
    virtual std::string text(int id) const = 0;
    // Text written by the program: a field too narrow for it shows its start.
    virtual void setText(int id, const std::string& text) = 0;
    virtual void enable(int id, bool enabled) = 0;
    // Replaces a list's entries, unsorted, in this order. The name box keeps
    // its edit text, caret and selection, and no entry is selected after.
    virtual void fillList(int id, const std::vector<std::string>& entries) = 0;
    virtual void focus(int id) = 0;

    // The About window, modally over the editor.
    virtual void showAbout() = 0;
    // One more modeless Hackbuster window.
    virtual void showHackbuster() = 0;
    // Ends the editor's run, and with it the program.
    virtual void closeEditor() = 0;
};

} // namespace rivetbay
