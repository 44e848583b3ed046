#include "app/ShownControls.h"

#include "app/EditorForm.h"

namespace rivetbay {

const ShownControls::Shown* ShownControls::known(int id) const
{
    const auto at = shown_.find(id);
    return at == shown_.end() ? nullptr : &at->second;
}

int ShownControls::selection(int id) const
{
    const Shown* s = known(id);
    return s && s->selection ? *s->selection : view_.selection(id);
}

bool ShownControls::checked(int id) const
{
    const Shown* s = known(id);
    return s && s->checked ? *s->checked : view_.checked(id);
}

std::string ShownControls::text(int id) const
{
    const Shown* s = known(id);
    return id != EditorForm::nameBox && s && s->text ? *s->text : view_.text(id);
}

void ShownControls::setSelection(int id, int index)
{
    Shown& s = shown_[id];
    const int count = s.entries ? static_cast<int>(s.entries->size()) : -1;
    if (count >= 0 && (index < 0 || index >= count)) index = -1; // as a list shows a place it lacks
    if (s.selection == index) return;
    view_.setSelection(id, index);
    s.selection = count >= 0 ? index : view_.selection(id);
}

void ShownControls::setChecked(int id, bool checked)
{
    Shown& s = shown_[id];
    if (s.checked == checked) return;
    view_.setChecked(id, checked);
    s.checked = checked;
}

void ShownControls::setText(int id, const std::string& text)
{
    if (text == this->text(id)) return;
    view_.setText(id, text);
    if (id != EditorForm::nameBox) shown_[id].text = text;
}

void ShownControls::enable(int id, bool enabled)
{
    Shown& s = shown_[id];
    if (s.enabled == enabled) return;
    view_.enable(id, enabled);
    s.enabled = enabled;
}

void ShownControls::fillList(int id, const std::vector<std::string>& entries)
{
    Shown& s = shown_[id];
    if (s.entries == entries) return;
    view_.fillList(id, entries);
    s.entries = entries;
    s.selection = -1;
}

void ShownControls::playerChanged(int id)
{
    Shown& s = shown_[id];
    if (s.selection) s.selection = view_.selection(id);
    if (s.checked) s.checked = view_.checked(id);
}

} // namespace rivetbay
