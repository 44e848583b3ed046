#pragma once

// What each control of the editor's window shows: the value the editor last
// wrote there, or the player's own change as its event reported it. A write
// of what a control already shows is not passed on, so a pass costs the
// window only what changed, and a control the player is using is left alone.

#include "app/EditorView.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace rivetbay {

class ShownControls {
public:
    explicit ShownControls(EditorView& view) : view_(view) {}

    int selection(int id) const;
    bool checked(int id) const;
    // A number field's text from memory; the name box's, which the player
    // types into without an event per key, from the window.
    std::string text(int id) const;

    void setSelection(int id, int index);
    void setChecked(int id, bool checked);
    // The name box is written when it shows something else: the caret of a
    // name being typed stays where it is when the pass gives the same name.
    void setText(int id, const std::string& text);
    void enable(int id, bool enabled);
    // A list given other entries is refilled and left with none selected;
    // given the same ones, it keeps them and its selection.
    void fillList(int id, const std::vector<std::string>& entries);

    // The player changed a list's selection or the check box: what the
    // window shows now is remembered.
    void playerChanged(int id);

private:
    struct Shown {
        std::optional<int> selection;
        std::optional<bool> checked;
        std::optional<std::string> text;
        std::optional<bool> enabled;
        std::optional<std::vector<std::string>> entries;
    };
    const Shown* known(int id) const;

    EditorView& view_;
    std::map<int, Shown> shown_;
};

} // namespace rivetbay
