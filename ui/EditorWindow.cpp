#include "ui/EditorWindow.h"

#include "app/EditorForm.h"
#include "ui/AboutWindow.h"
#include "ui/CBrowser.h"
#include "ui/DialogUnits.h"
#include "ui/FrameBox.h"
#include "ui/HackbusterWindow.h"
#include "ui/HiddenButton.h"
#include "ui/NumberField.h"
#include "ui/ScreenReaderNames.h"
#include "ui/SpinArrows.h"
#include "ui/UiServices.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QIcon>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QScopedValueRollback>
#include <QShortcut>
#include <QToolTip>
#include <QUrl>

#include <functional>

namespace rivetbay {

namespace Form = EditorForm;
using K = ControlKind;

namespace {

QKeySequence keySequence(const KeyChord& key)
{
    return QKeySequence(QString::fromStdString(EditorCommands::keyText(key)), QKeySequence::PortableText);
}

// The name box never scrolls, and holds only what the game can store: a
// character its 8-bit set has no place for is left out as it is typed or
// pasted, and what would not fit the visible width is cut where typing
// would stop.
// What the editor writes (a loaded or undone name) passes whole: the rules
// are for typing.
class NameValidator final : public QValidator {
public:
    NameValidator(QLineEdit* field, const bool& editorWriting, std::function<void()> dropped)
        : QValidator(field), field_(field), editorWriting_(editorWriting), dropped_(std::move(dropped))
    {
        connect(field, &QLineEdit::textChanged, this, [this](const QString& text) { last_ = text; });
    }
    State validate(QString& text, int& pos) const override
    {
        if (editorWriting_) return Acceptable;
        const auto kept = [](const QString& part) {
            return QString::fromStdString(nameCharactersKept(part.toStdString()));
        };
        const QString before = kept(text.left(pos));
        const QString all = before + kept(text.mid(pos));
        if (all != text) dropped_();
        text = all;
        pos = static_cast<int>(before.size());
        // What an edit inserted stands just before the caret: cut from its end.
        for (qsizetype inserted = text.size() - last_.size(); !fits(text) && inserted > 0 && pos > 0;
             --inserted)
            text.remove(--pos, 1);
        return fits(text) || text.size() < last_.size() ? Acceptable : Invalid;
    }

private:
    bool fits(const QString& text) const
    {
        const int room = field_->contentsRect().width() - 6;
        return field_->fontMetrics().horizontalAdvance(text) <= room;
    }

    QLineEdit* field_;
    const bool& editorWriting_;
    std::function<void()> dropped_;
    QString last_;
};

// Alt with a letter is a mnemonic or nothing; the name box would type the letter.
class NoAltLetters final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const auto chord = key->modifiers() & (Qt::AltModifier | Qt::ControlModifier);
            if (chord == Qt::AltModifier && !key->text().isEmpty()) return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

// Grey face and grey text, so that an unusable mount is told at a glance
// from an empty one. Polished first, or the style sheet's polish resets it.
void showDisabledAsThePlatformDoes(QWidget* control)
{
    control->ensurePolished();
    QPalette palette = control->palette();
    const QColor face = palette.color(QPalette::Active, QPalette::Window).darker(115);
    const QColor grey = palette.color(QPalette::Active, QPalette::Dark);
    for (auto role : {QPalette::Button, QPalette::Base})
        palette.setColor(QPalette::Disabled, role, face);
    for (auto role : {QPalette::ButtonText, QPalette::Text})
        palette.setColor(QPalette::Disabled, role, grey);
    control->setPalette(palette);
}

// A borderless field on the window's own background.
void blendIn(QLineEdit* field)
{
    field->setFrame(false);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    field->setPalette(palette);
}

QString qText(const std::string& utf8) { return QString::fromStdString(utf8); }

// A list's height in its form, its dropped-down part included.
constexpr const char* droppedHeight = "droppedHeight";

// As many rows as its form's height holds, counted with its rows' own height
// once it has rows (before, with the font's, which rows outgrow or undercut).
void fitDroppedRows(QComboBox* list)
{
    const int rowHeight = list->view()->sizeHintForRow(0) > 0 ? list->view()->sizeHintForRow(0)
                                                              : list->fontMetrics().height() + 4;
    const int room = list->property(droppedHeight).toInt() - list->height();
    list->setMaxVisibleItems(std::max(1, room / rowHeight));
}

} // namespace

EditorWindow::EditorWindow(UiServices& services, QWidget* parent)
    : QDialog(parent), services_(services), editor_(*this, services)
{
    setObjectName("editorWindow");
    setWindowTitle(Form::title);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowIcon(QIcon(":/rivetbay/appIcon.png"));
    setFont(dialogFont(Form::fontPoints));
    setAcceptDrops(true);
    const DialogUnits du(font());
    resize(du.x(Form::width), du.y(Form::height));
    std::vector<std::pair<QLabel*, int>> labels;
    for (const FormControl& row : Form::controls()) {
        QWidget* made = makeControl(row);
        made->setObjectName(row.name);
        if (row.id != Form::noControlId) controls_[row.id] = made;
        if (row.kind == K::Label && row.buddy != 0) labels.emplace_back(static_cast<QLabel*>(made), row.buddy);
        nameForScreenReaders(*made, AccessibleNames::editorControl(row.id));
    }
    // A screen reader names a list by the label that serves it alone.
    for (const auto& [label, list] : labels) label->setBuddy(controls_.at(list));
    // A spin's arrow keys work in its field too: a side's up and down, the
    // transfer's left and right in the free-points field.
    for (const FormControl& row : Form::controls())
        if (row.kind == K::SideSpin || row.kind == K::TransferSpin)
            control<SpinArrows>(row.id)->setBuddy(control<QLineEdit>(row.buddy));
    // The name box's own text keeps its Ctrl+Z: the toolkit gives it the key first.
    for (const CommandEntry& entry : EditorCommands::entries())
        for (const KeyChord& key : entry.keys)
            new QShortcut(keySequence(key), this, this, [this, &entry] { editor_.choose(entry.command); });
    pageFolder_ = CBrowser::programFolder();
}

template <typename T> T* EditorWindow::control(int id) const
{
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : static_cast<T*>(found->second);
}

QWidget* EditorWindow::makeControl(const FormControl& row)
{
    const DialogUnits du(font());
    const QRect at = du.rect(row.at.x, row.at.y, row.at.w, row.at.h);
    const int id = row.id;
    switch (row.kind) {
    case K::List: {
        auto* list = new QComboBox(this);
        placeList(list, row);
        showDisabledAsThePlatformDoes(list);
        connect(list, &QComboBox::currentIndexChanged, this,
                [this, id] { editor_.selectionChanged(id); });
        return list;
    }
    case K::NameBox: {
        nameBox_ = new QComboBox(this);
        nameBox_->setEditable(true);
        nameBox_->setInsertPolicy(QComboBox::NoInsert);
        nameBox_->setCompleter(nullptr); // the record's name is exactly what was typed
        placeList(nameBox_, row);
        nameBox_->lineEdit()->setValidator(
            new NameValidator(nameBox_->lineEdit(), writingName_, [this] { nameCharactersDropped(); }));
        // On the box too: it hands its keys to its field directly, past the field's filters.
        auto* noAltLetters = new NoAltLetters(nameBox_);
        nameBox_->installEventFilter(noAltLetters);
        nameBox_->lineEdit()->installEventFilter(noAltLetters);
        nameBox_->lineEdit()->setAcceptDrops(false); // a dropped file is a car to load
        // A name picked from the list shows its start, as one the editor writes.
        connect(nameBox_, &QComboBox::activated, this,
                [this] { nameBox_->lineEdit()->setCursorPosition(0); });
        return nameBox_;
    }
    case K::Points:
    case K::FreePoints:
    case K::Price:
    case K::Total: {
        auto* field = new NumberField(this);
        field->setGeometry(at);
        field->setReadOnly(true);
        field->setTextMargins(0, 0, 0, 0);
        const bool price = row.kind == K::Price || row.kind == K::Total;
        const bool centred = row.kind == K::FreePoints || row.kind == K::Total;
        field->setAlignment((centred ? Qt::AlignHCenter : Qt::AlignRight) | Qt::AlignVCenter);
        field->setValidator(price ? new QIntValidator(0, INT_MAX, field)
                                  : new QIntValidator(field));
        field->setFocusPolicy(price ? Qt::NoFocus : Qt::StrongFocus);
        if (price) blendIn(field);
        return field;
    }
    case K::SideSpin:
    case K::TransferSpin: {
        auto* spin = new SpinArrows(row.kind == K::SideSpin ? Qt::Vertical : Qt::Horizontal, this);
        spin->setGeometry(at);
        connect(spin, &SpinArrows::stepped, this,
                [this, id](int step, bool repeat) { editor_.stepped(id, step, repeat); });
        return spin;
    }
    case K::Check: {
        auto* box = new QCheckBox(row.text, this);
        box->adjustSize(); // as tall as its text, centred on its row
        box->move(at.x(), at.y() - (box->height() - at.height()) / 2);
        connect(box, &QCheckBox::clicked, this, [this, id] { editor_.clicked(id); });
        return box;
    }
    case K::Button:
    case K::HiddenButton: {
        auto* button = row.kind == K::Button ? new QPushButton(row.text, this) : new HiddenButton(row.text, this);
        button->setGeometry(at);
        button->setAutoDefault(false); // Enter acts only on the focused button
        connect(button, &QPushButton::clicked, this, [this, id] { editor_.clicked(id); });
        return button;
    }
    case K::Label: {
        auto* label = new QLabel(row.text, this);
        label->setGeometry(at);
        label->setTextFormat(Qt::PlainText); // "$" and the rest, no mnemonics
        label->setWordWrap(false);
        return label;
    }
    case K::ArmorFrame:
    case K::ChassisFrame: {
        auto* frame = new FrameBox(
            row.text, row.kind == K::ArmorFrame ? Qt::AlignLeft : Qt::AlignRight, this);
        frame->setGeometry(at);
        return frame;
    }
    }
    return nullptr;
}

void EditorWindow::placeList(QComboBox* list, const FormControl& row)
{
    const DialogUnits du(font());
    const int closed = std::min(list->sizeHint().height(), du.y(14));
    list->setGeometry(du.x(row.at.x), du.y(row.at.y), du.x(row.at.w), closed);
    // The given height includes the dropped-down part: as many rows as fit
    // there, the rest behind a scroll bar. Without this the style drops a
    // list down whole, taller than the screen for the 38 models.
    list->setStyleSheet("QComboBox { combobox-popup: 0; }");
    list->setProperty(droppedHeight, du.y(row.at.h));
    fitDroppedRows(list);
    // The wheel only for a list with the focus: it must not take the focus by
    // the wheel either, which the toolkit would grant before any filter.
    list->setFocusPolicy(Qt::StrongFocus);
    list->installEventFilter(this);
}

int EditorWindow::selection(int id) const { return control<QComboBox>(id)->currentIndex(); }

void EditorWindow::setSelection(int id, int index)
{
    auto* list = control<QComboBox>(id);
    list->setCurrentIndex(index < list->count() ? index : -1);
}

bool EditorWindow::checked(int id) const { return control<QCheckBox>(id)->isChecked(); }

void EditorWindow::setChecked(int id, bool on) { control<QCheckBox>(id)->setChecked(on); }

std::string EditorWindow::text(int id) const
{
    if (id == Form::nameBox) return nameBox_->currentText().toStdString();
    return control<QLineEdit>(id)->text().toStdString();
}

void EditorWindow::setText(int id, const std::string& text)
{
    if (id == Form::nameBox) {
        const QScopedValueRollback writing(writingName_, true);
        nameBox_->setEditText(qText(text));
        nameBox_->lineEdit()->setCursorPosition(0); // a long name shows its start
        return;
    }
    control<QLineEdit>(id)->setText(qText(text));
}

void EditorWindow::enable(int id, bool enabled) { controls_.at(id)->setEnabled(enabled); }

void EditorWindow::fillList(int id, const std::vector<std::string>& entries)
{
    auto* list = control<QComboBox>(id);
    QStringList items;
    items.reserve(static_cast<qsizetype>(entries.size()));
    for (const std::string& entry : entries) items.append(qText(entry));
    if (list != nameBox_) {
        list->clear();
        list->addItems(items); // at once: one item at a time costs a pass per name
        return fitDroppedRows(list);
    }
    // Emptying an editable list empties its text; what the player sees stays.
    QLineEdit* edit = nameBox_->lineEdit();
    const QString text = edit->text();
    const int cursor = edit->cursorPosition();
    const int selectionStart = edit->selectionStart();
    const int selectionLength = edit->selectedText().size();
    const QScopedValueRollback writing(writingName_, true);
    nameBox_->clear();
    nameBox_->addItems(items);
    fitDroppedRows(nameBox_);
    nameBox_->setCurrentIndex(-1);
    edit->setText(text);
    if (selectionStart >= 0)
        edit->setSelection(selectionStart, selectionLength);
    else
        edit->setCursorPosition(cursor);
}

void EditorWindow::focus(int id) { controls_.at(id)->setFocus(Qt::OtherFocusReason); }

void EditorWindow::showAbout()
{
    AboutWindow about(services_, this, pageFolder_);
    about.exec();
}

void EditorWindow::showHackbuster() { (new HackbusterWindow(this))->show(); }

void EditorWindow::closeEditor() { done(QDialog::Rejected); }

void EditorWindow::reject() { editor_.clicked(Form::quitButton); }

void EditorWindow::done(int result)
{
    // The editor's end takes its Hackbuster windows with it.
    for (auto* window : findChildren<HackbusterWindow*>(Qt::FindDirectChildrenOnly))
        window->close();
    QDialog::done(result);
}

void EditorWindow::setVisible(bool visible)
{
    // Wholly on the screen at every scale: the toolkit would centre a window
    // taller than the screen with its title bar above it.
    if (visible && !isVisible() && !testAttribute(Qt::WA_Moved))
        if (const QScreen* shown = screen()) move(placeOnScreen(shown->availableGeometry(), size()));
    QDialog::setVisible(visible);
}

void EditorWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Enter is no default command: it presses only a focused button.
        if (auto* button = qobject_cast<QPushButton*>(focusWidget())) button->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event); // Escape rejects the window
}

void EditorWindow::contextMenuEvent(QContextMenuEvent* event)
{
    editor_.takePendingName();
    QMenu menu(this);
    for (const CommandEntry& entry : EditorCommands::entries()) {
        if (entry.separatorBefore) menu.addSeparator();
        QAction* action = menu.addAction(entry.text, this, [this, &entry] { editor_.choose(entry.command); });
        if (entry.keyShown) action->setShortcut(keySequence(entry.keys.front()));
        action->setEnabled(editor_.enabled(entry.command));
    }
    menu.exec(event->globalPos());
}

// The editor only reads a dropped file: taken as a copy, so that no source
// offering a move deletes the player's file after the drop.
void EditorWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (!event->mimeData()->hasUrls() || !(event->possibleActions() & Qt::CopyAction)) return;
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void EditorWindow::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile() || !(event->possibleActions() & Qt::CopyAction))
        return;
    event->setDropAction(Qt::CopyAction);
    event->accept();
    // The name's own bytes as the address carries them: decoded as text, a
    // name that is not UTF-8 (a Latin-1 "é" from an old archive) is lost.
    const QByteArray encoded = urls.first().path(QUrl::FullyEncoded).toLatin1();
    editor_.fileDropped(std::filesystem::path(QByteArray::fromPercentEncoding(encoded).toStdString()));
}

void EditorWindow::nameCharactersDropped()
{
    QApplication::beep();
    QLineEdit* edit = nameBox_->lineEdit();
    QToolTip::showText(edit->mapToGlobal(QPoint(0, edit->height())), Form::nameCharactersTip, edit);
}

bool EditorWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Wheel) {
        // As on the game's platform, the wheel changes only the focused list:
        // one notch over the model list would throw the design away.
        const auto* list = qobject_cast<QComboBox*>(watched);
        if (list && !list->hasFocus()) {
            event->ignore();
            return true;
        }
    }
    // The combo box holds the focus for its line edit, so its own focus-out
    // is the one that ends typing; opening its own list does not.
    if (watched == nameBox_ && event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
        editor_.nameBoxLeft();
    return QDialog::eventFilter(watched, event);
}

} // namespace rivetbay
