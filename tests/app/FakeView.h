#pragma once

// A window of plain values: each control's state by id, as the editor writes
// it and as a player changes it. Like a real toolkit it reports a change of
// selection even when the editor made it, so the editor's guard is tried.

#include "app/Editor.h"
#include "app/EditorForm.h"
#include "app/EditorView.h"

#include <map>
#include <string>
#include <vector>

namespace rivetbay::testkit {

struct FakeView final : EditorView {
    struct Control {
        int selection = -1;
        std::vector<std::string> entries;
        std::string text;
        bool checked = false;
        bool enabled = true;
    };

    std::map<int, Control> controls;
    std::vector<std::string> writes; // each control written, by name, in order
    Editor* editor = nullptr;
    bool closed = false;
    int focused = 0;

    const Control& at(int id) const { return controls.at(id); }

    int selection(int id) const override { return at(id).selection; }
    void setSelection(int id, int index) override
    {
        wrote(id);
        Control& c = controls[id];
        const int shown = index >= 0 && index < static_cast<int>(c.entries.size()) ? index : -1;
        if (shown == c.selection) return;
        c.selection = shown;
        if (editor) editor->selectionChanged(id);
    }
    bool checked(int id) const override { return at(id).checked; }
    void setChecked(int id, bool on) override { wrote(id), controls[id].checked = on; }
    std::string text(int id) const override { return controls.count(id) ? at(id).text : ""; }
    void setText(int id, const std::string& text) override { wrote(id), controls[id].text = text; }
    void enable(int id, bool enabled) override { wrote(id), controls[id].enabled = enabled; }
    void fillList(int id, const std::vector<std::string>& entries) override
    {
        wrote(id);
        controls[id].entries = entries;
        Control& c = controls[id];
        if (c.selection != -1 && (c.selection = -1, editor)) editor->selectionChanged(id);
    }
    void focus(int id) override { focused = id; }
    void showAbout() override {}
    void showHackbuster() override {}
    void closeEditor() override { closed = true; }

    void wrote(int id) { writes.push_back(EditorForm::control(id)->name); }

    // What a player does.
    void choose(int id, int index)
    {
        controls[id].selection = index;
        editor->selectionChanged(id);
    }
    void type(const std::string& name) { controls[EditorForm::nameBox].text = name; }
    void tick(int id) { controls[id].checked = !controls[id].checked, editor->clicked(id); }
    int number(int id) const { return std::stoi(at(id).text); }
    const std::string& name() const { return at(EditorForm::nameBox).text; }
};

} // namespace rivetbay::testkit
