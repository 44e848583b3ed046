#include "ui/EditorWindow.h"

#include "app/WinePrefixes.h"
#include "catalogue/CarCatalogue.h"
#include "files/CarFile.h"
#include "files/DesignFile.h"
#include "files/Export.h"
#include "files/TextEncoding.h"
#include "files/VariantListing.h"
#include "ui/AboutWindow.h"
#include "ui/CBrowser.h"
#include "ui/DialogUnits.h"
#include "ui/FrameBox.h"
#include "ui/HackbusterWindow.h"
#include "ui/NumberField.h"
#include "ui/SpinArrows.h"
#include "ui/UiServices.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QIcon>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QShortcut>
#include <QUrl>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace rivetbay {

namespace cat = CarCatalogue;

namespace {

QString fromCp1252(std::string_view text)
{
    const std::u16string wide = utf16FromWindows1252(text);
    return QString::fromUtf16(wide.data(), static_cast<qsizetype>(wide.size()));
}

std::string toCp1252(const QString& text)
{
    return windows1252FromUtf16(
        std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), text.size()));
}

// Path texts in the core are UTF-8 with the platform's separators on
// Windows, and the file system's bytes elsewhere.
#ifdef Q_OS_WIN
QString fromNative(const std::string& path) { return QString::fromStdString(path); }
std::string toNative(const QString& path) { return QDir::toNativeSeparators(path).toStdString(); }
#else
QString fromNative(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}
std::string toNative(const QString& path) { return QFile::encodeName(path).toStdString(); }
#endif
// Files go to the core as paths made from UTF-16, never through a narrow code page.
std::filesystem::path toPath(const QString& path)
{
    return std::filesystem::path(path.toStdU16String());
}

// The name box never scrolls: text that would not fit its visible width is
// refused as it is typed.
class FitsFieldValidator final : public QValidator {
public:
    explicit FitsFieldValidator(QLineEdit* field) : QValidator(field), field_(field) {}
    State validate(QString& text, int&) const override
    {
        const int room = field_->contentsRect().width() - 6;
        return field_->fontMetrics().horizontalAdvance(text) <= room ? Acceptable : Invalid;
    }

private:
    QLineEdit* field_;
};

constexpr const char* carFilter = "Rivetbay Car (*.rbc)";
[[maybe_unused]] constexpr unsigned aboutCommand = 16; // the system-menu command id

class SyncGuard {
public:
    explicit SyncGuard(bool& flag) : flag_(flag), previous_(flag) { flag_ = true; }
    ~SyncGuard() { flag_ = previous_; }

private:
    bool& flag_;
    bool previous_;
};

// Accessors for the table's bound fields.
template <auto member> auto& field(CarConfig& c) { return c.*member; }
template <auto member, std::size_t index> auto& element(CarConfig& c) { return (c.*member)[index]; }

// A table's display names in index order: the entries of its list.
std::string_view displayNameOf(std::string_view name) { return name; }
std::string_view displayNameOf(const PricedItem& item) { return item.displayName; }
std::string_view displayNameOf(const ModelSpec& model) { return model.displayName; }

template <const auto& table> std::vector<std::string_view> namesOf()
{
    std::vector<std::string_view> names;
    for (const auto& row : table) names.push_back(displayNameOf(row));
    return names;
}

bool mountEnabled(const RecalcResult& view, int mount)
{
    if (mount < 3) return view.frontEnabled[static_cast<std::size_t>(mount)];
    if (mount < 5) return view.topEnabled[static_cast<std::size_t>(mount - 3)];
    if (mount < 7) return view.rearEnabled[static_cast<std::size_t>(mount - 5)];
    return view.droppersEnabled[static_cast<std::size_t>(mount - 7)];
}

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

} // namespace

// Every control of the window, in tab and creation order, with its place in
// dialog units, its bound field and what it does.
struct EditorWindow::Control {
    enum class Kind {
        List,
        NameBox,
        Points,
        FreePoints,
        Price,
        Total,
        SideSpin,
        TransferSpin,
        Check,
        Button,
        HiddenButton,
        Label,
        ArmorFrame,
        ChassisFrame,
    };
    using Entries = std::vector<std::string_view> (*)();
    using Field = std::int32_t& (*)(CarConfig&);
    using Price = std::uint32_t& (*)(CarConfig&);
    using Action = void (EditorWindow::*)();

    Kind kind;
    const char* name;
    int x, y, w, h;
    const char* text = nullptr; // a caption
    Entries entries = nullptr;  // a list's fixed items; none: each pass fills it
    Field field = nullptr;      // a list's selection or a side's points
    Price price = nullptr;
    Action action = &EditorWindow::recalculate;
    int mount = -1;                // 0-2 front, 3-4 top, 5-6 rear, 7-8 droppers
    Points points = Points::Armor; // a side spin's
    Side side = Front;
};

namespace {

using Control = EditorWindow::Control;
using K = Control::Kind;
struct At {
    int x, y, w, h;
};

Control list(const char* name, At at, Control::Entries entries, Control::Field field,
             Control::Action action, int mount = -1)
{
    return {K::List, name, at.x, at.y, at.w, at.h, nullptr, entries, field, nullptr, action, mount};
}
Control numberField(K kind, const char* name, At at, Control::Field field)
{
    return {kind, name, at.x, at.y, at.w, at.h, nullptr, nullptr, field};
}
Control sideSpin(const char* name, At at, Points points, Side side)
{
    Control c{K::SideSpin, name, at.x, at.y, at.w, at.h};
    c.points = points;
    c.side = side;
    return c;
}
Control priceField(K kind, const char* name, At at, Control::Price price)
{
    return {kind, name, at.x, at.y, at.w, at.h, nullptr, nullptr, nullptr, price};
}
Control captioned(K kind, const char* name, At at, const char* text,
                  Control::Action action = nullptr)
{
    return {kind, name, at.x, at.y, at.w, at.h, text, nullptr, nullptr, nullptr, action};
}

} // namespace

std::span<const EditorWindow::Control> EditorWindow::controlTable()
{
    using C = CarConfig;
    const auto recalc = &EditorWindow::recalculate;
    const auto weapons = &namesOf<cat::weaponNames>;
    const auto droppers = &namesOf<cat::dropperNames>;
    const auto specials = &namesOf<cat::specialNames>;
    const auto tires = &namesOf<cat::tireTable>;
    static const Control table[] = {
        list("modelList", {2, 12, 98, 216}, &namesOf<cat::modelTable>, &field<&C::model>,
             &EditorWindow::changeModelRule),
        list("engineList", {2, 41, 98, 187}, &namesOf<cat::engineTable>, &field<&C::engine>,
             recalc),
        list("suspensionList", {2, 68, 98, 160}, &namesOf<cat::suspensionNames>,
             &field<&C::suspension>, recalc),
        list("brakesList", {2, 96, 98, 132}, &namesOf<cat::brakesNames>, &field<&C::brakes>,
             recalc),
        list("frontTiresList", {2, 124, 98, 104}, tires, &field<&C::frontTires>, recalc),
        list("rearTiresList", {2, 140, 98, 88}, tires, &field<&C::rearTires>, recalc),
        list("special1List", {225, 12, 74, 224}, specials, &element<&C::specials, 0>, recalc),
        list("special2List", {225, 28, 74, 208}, specials, &element<&C::specials, 1>, recalc),
        list("special3List", {225, 44, 74, 192}, specials, &element<&C::specials, 2>, recalc),
        list("frontWeapon1List", {124, 12, 78, 216}, weapons, &element<&C::frontWeapons, 0>, recalc,
             0),
        list("frontWeapon2List", {124, 28, 78, 200}, weapons, &element<&C::frontWeapons, 1>, recalc,
             1),
        list("frontWeapon3List", {124, 44, 78, 184}, weapons, &element<&C::frontWeapons, 2>, recalc,
             2),
        list("topWeapon1List", {124, 72, 78, 156}, weapons, &element<&C::topWeapons, 0>, recalc, 3),
        list("topWeapon2List", {124, 88, 78, 140}, weapons, &element<&C::topWeapons, 1>, recalc, 4),
        list("rearWeapon1List", {124, 116, 78, 112}, weapons, &element<&C::rearWeapons, 0>, recalc,
             5),
        list("rearWeapon2List", {124, 132, 78, 96}, weapons, &element<&C::rearWeapons, 1>, recalc,
             6),
        list("dropper1List", {124, 159, 78, 69}, droppers, &element<&C::droppers, 0>, recalc, 7),
        list("dropper2List", {124, 175, 78, 53}, droppers, &element<&C::droppers, 1>, recalc, 8),
        list("paintList", {124, 206, 98, 68}, nullptr, nullptr, &EditorWindow::paintRule),
        captioned(K::ArmorFrame, "armorGroup", {2, 160, 60, 60}, "Armor"),
        captioned(K::ChassisFrame, "chassisGroup", {61, 160, 60, 60}, "Chassis"),
        numberField(K::Points, "armorFrontField", {23, 170, 16, 14}, &element<&C::armor, Front>),
        sideSpin("armorFrontSpin", {39, 168, 9, 16}, Points::Armor, Front),
        numberField(K::Points, "armorLeftField", {14, 186, 16, 14}, &element<&C::armor, Left>),
        sideSpin("armorLeftSpin", {6, 186, 9, 16}, Points::Armor, Left),
        numberField(K::Points, "armorRightField", {32, 186, 16, 14}, &element<&C::armor, Right>),
        sideSpin("armorRightSpin", {48, 185, 9, 16}, Points::Armor, Right),
        numberField(K::Points, "armorRearField", {23, 202, 16, 14}, &element<&C::armor, Rear>),
        sideSpin("armorRearSpin", {15, 202, 9, 16}, Points::Armor, Rear),
        numberField(K::Points, "chassisFrontField", {83, 169, 16, 14},
                    &element<&C::chassis, Front>),
        sideSpin("chassisFrontSpin", {99, 168, 9, 16}, Points::Chassis, Front),
        numberField(K::Points, "chassisLeftField", {74, 185, 16, 14}, &element<&C::chassis, Left>),
        sideSpin("chassisLeftSpin", {66, 185, 9, 16}, Points::Chassis, Left),
        numberField(K::Points, "chassisRightField", {92, 185, 16, 14},
                    &element<&C::chassis, Right>),
        sideSpin("chassisRightSpin", {108, 185, 9, 16}, Points::Chassis, Right),
        numberField(K::Points, "chassisRearField", {83, 201, 16, 14}, &element<&C::chassis, Rear>),
        sideSpin("chassisRearSpin", {75, 201, 9, 16}, Points::Chassis, Rear),
        numberField(K::FreePoints, "freePointsField", {50, 156, 22, 16}, &field<&C::freePoints>),
        captioned(K::TransferSpin, "transferSpin", {52, 208, 20, 12}, nullptr),
        priceField(K::Price, "modelPrice", {101, 12, 19, 13}, &field<&C::modelPrice>),
        priceField(K::Price, "enginePrice", {101, 41, 19, 13}, &field<&C::enginePrice>),
        priceField(K::Price, "suspensionPrice", {101, 68, 19, 13}, &field<&C::suspensionPrice>),
        priceField(K::Price, "brakesPrice", {101, 96, 19, 13}, &field<&C::brakesPrice>),
        priceField(K::Price, "frontTiresPrice", {101, 124, 19, 13}, &field<&C::frontTiresPrice>),
        priceField(K::Price, "rearTiresPrice", {101, 140, 19, 13}, &field<&C::rearTiresPrice>),
        priceField(K::Price, "frontWeapon1Price", {203, 12, 19, 13},
                   &element<&C::frontWeaponPrices, 0>),
        priceField(K::Price, "frontWeapon2Price", {203, 28, 19, 13},
                   &element<&C::frontWeaponPrices, 1>),
        priceField(K::Price, "frontWeapon3Price", {203, 44, 19, 13},
                   &element<&C::frontWeaponPrices, 2>),
        priceField(K::Price, "topWeapon1Price", {203, 72, 19, 13},
                   &element<&C::topWeaponPrices, 0>),
        priceField(K::Price, "topWeapon2Price", {203, 88, 19, 13},
                   &element<&C::topWeaponPrices, 1>),
        priceField(K::Price, "rearWeapon1Price", {203, 116, 19, 13},
                   &element<&C::rearWeaponPrices, 0>),
        priceField(K::Price, "rearWeapon2Price", {203, 132, 19, 13},
                   &element<&C::rearWeaponPrices, 1>),
        priceField(K::Price, "dropper1Price", {203, 159, 19, 13}, &element<&C::dropperPrices, 0>),
        priceField(K::Price, "dropper2Price", {203, 175, 19, 13}, &element<&C::dropperPrices, 1>),
        priceField(K::Price, "special1Price", {300, 12, 19, 13}, &element<&C::specialPrices, 0>),
        priceField(K::Price, "special2Price", {300, 28, 19, 13}, &element<&C::specialPrices, 1>),
        priceField(K::Price, "special3Price", {300, 44, 19, 13}, &element<&C::specialPrices, 2>),
        captioned(K::Button, "quitButton", {272, 200, 48, 20}, "&QUIT", &QDialog::reject),
        captioned(K::Button, "aboutButton", {276, 180, 43, 16}, "&ABOUT", &EditorWindow::openAbout),
        captioned(K::HiddenButton, "exportButton", {276, 160, 43, 16}, "&EXPORT",
                  &EditorWindow::exportCar),
        captioned(K::Button, "openButton", {228, 160, 43, 16}, "&OPEN", &EditorWindow::openCar),
        captioned(K::Button, "saveButton", {228, 180, 43, 16}, "&SAVE", &EditorWindow::saveCar),
        captioned(K::Label, "modelLabel", {2, 4, 98, 8}, "Model"),
        captioned(K::Label, "engineLabel", {2, 32, 98, 8}, "Engine"),
        captioned(K::Label, "suspensionLabel", {2, 60, 98, 8}, "Suspension"),
        captioned(K::Label, "brakesLabel", {2, 88, 98, 8}, "Brakes"),
        captioned(K::Label, "tiresLabel", {2, 116, 98, 8}, "Tires"),
        captioned(K::Label, "frontWeaponsLabel", {124, 4, 78, 8}, "Front Weapons"),
        captioned(K::Label, "topWeaponsLabel", {124, 64, 78, 8}, "Top Weapons"),
        captioned(K::Check, "turretBox", {200, 62, 22, 8}, "TRT", recalc),
        captioned(K::Label, "rearWeaponsLabel", {124, 107, 78, 8}, "Rear Weapons"),
        captioned(K::Label, "droppersLabel", {124, 151, 78, 8}, "Droppers"),
        captioned(K::Label, "specialsLabel", {225, 4, 68, 8}, "Specials"),
        captioned(K::Label, "paintSchemeLabel", {124, 198, 98, 8}, "Paint Scheme"),
        captioned(K::Label, "dollarLabel", {224, 209, 8, 8}, "$"),
        priceField(K::Total, "totalPrice", {228, 204, 42, 16}, &field<&C::totalPrice>),
        captioned(K::NameBox, "nameBox", {228, 88, 74, 136}, nullptr),
        captioned(K::Label, "nameLabel", {228, 80, 72, 8}, "Name"),
        captioned(K::HiddenButton, "hackbusterButton", {228, 116, 92, 28}, "Hackbuster",
                  &EditorWindow::openHackbuster),
    };
    return table;
}

EditorWindow::EditorWindow(std::string commandLineFile, UiServices& services, QWidget* parent)
    : QDialog(parent), commandLineFile_(std::move(commandLineFile)), services_(services)
{
    setObjectName("editorWindow");
    setWindowTitle("  Vexillo's Rivetbay  1.9");
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowIcon(QIcon(":/rivetbay/appIcon.png"));
    setFont(dialogFont(8));
    setAcceptDrops(true);
    buildControls();
    syncToControls();
    new QShortcut(QKeySequence::HelpContents, this, this, &EditorWindow::openAbout);
    pageFolder_ = CBrowser::programFolder();
#ifdef Q_OS_WIN
    // Where the platform has a system menu, the About entry goes there too.
    HMENU systemMenu = GetSystemMenu(reinterpret_cast<HWND>(winId()), FALSE);
    AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(systemMenu, MF_STRING, aboutCommand, L"&About Rivetbay");
#endif
}

#ifdef Q_OS_WIN
bool EditorWindow::nativeEvent(const QByteArray& eventType, void* message, qintptr* result)
{
    const MSG* msg = static_cast<const MSG*>(message);
    if (msg->message == WM_SYSCOMMAND && (msg->wParam & 0xFFF0) == aboutCommand) {
        openAbout();
        *result = 0;
        return true;
    }
    return QDialog::nativeEvent(eventType, message, result);
}
#endif

void EditorWindow::buildControls()
{
    SyncGuard guard(syncing_); // filling the lists raises no action
    const DialogUnits du(font());
    resize(du.x(322), du.y(223));
    QLineEdit* lastField = nullptr; // a side spin steps the field made just before it
    for (const Control& row : controlTable()) {
        QWidget* control = makeControl(row, lastField);
        control->setObjectName(row.name);
        if (auto* field = qobject_cast<QLineEdit*>(control)) lastField = field;
    }
}

QWidget* EditorWindow::makeControl(const Control& row, QLineEdit* lastField)
{
    const DialogUnits du(font());
    const QRect at = du.rect(row.x, row.y, row.w, row.h);
    switch (row.kind) {
    case K::List: {
        auto* list = new QComboBox(this);
        if (row.entries) {
            QStringList items;
            for (std::string_view entry : row.entries()) items.append(fromCp1252(entry));
            list->addItems(items);
        }
        placeList(list, row);
        showDisabledAsThePlatformDoes(list);
        if (row.field) lists_.push_back({list, row.field, row.mount});
        if (!row.field) paintList_ = list;
        connect(list, &QComboBox::currentIndexChanged, this, [this, action = row.action] {
            if (!syncing_) (this->*action)();
        });
        return list;
    }
    case K::NameBox: {
        nameBox_ = new QComboBox(this);
        nameBox_->setEditable(true);
        nameBox_->setInsertPolicy(QComboBox::NoInsert);
        nameBox_->setCompleter(nullptr); // the record's name is exactly what was typed
        placeList(nameBox_, row);
        nameBox_->lineEdit()->setValidator(new FitsFieldValidator(nameBox_->lineEdit()));
        nameBox_->lineEdit()->setAcceptDrops(false); // a dropped file is a car to load
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
        numbers_.push_back({field, row.field, row.price});
        return field;
    }
    case K::SideSpin:
    case K::TransferSpin: {
        auto* spin = new SpinArrows(row.kind == K::SideSpin ? Qt::Vertical : Qt::Horizontal, this);
        spin->setGeometry(at);
        if (row.kind == K::SideSpin) {
            spin->setBuddy(lastField);
            connect(spin, &SpinArrows::stepped, this,
                    [this, points = row.points, side = row.side](int step) {
                        stepRule(points, side, step);
                    });
        } else {
            connect(spin, &SpinArrows::stepped, this, &EditorWindow::transferRule);
        }
        return spin;
    }
    case K::Check: {
        turretBox_ = new QCheckBox(row.text, this);
        turretBox_->adjustSize(); // as tall as its text, centred on its row
        turretBox_->move(at.x(), at.y() - (turretBox_->height() - at.height()) / 2);
        connect(turretBox_, &QCheckBox::clicked, this, [this, action = row.action] {
            if (!syncing_) (this->*action)();
        });
        return turretBox_;
    }
    case K::Button:
    case K::HiddenButton: {
        auto* button = new QPushButton(row.text, this);
        button->setGeometry(at);
        button->setAutoDefault(false); // Enter acts only on the focused button
        button->setVisible(row.kind == K::Button);
        connect(button, &QPushButton::clicked, this,
                [this, action = row.action] { (this->*action)(); });
        if (row.action == &EditorWindow::openCar) openButton_ = button;
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

void EditorWindow::placeList(QComboBox* list, const Control& row)
{
    const DialogUnits du(font());
    const int closed = std::min(list->sizeHint().height(), du.y(14));
    list->setGeometry(du.x(row.x), du.y(row.y), du.x(row.w), closed);
    // The given height includes the dropped-down part: as many rows as fit
    // there, the rest behind a scroll bar. Without this the style drops a
    // list down whole, taller than the screen for the 38 models.
    list->setStyleSheet("QComboBox { combobox-popup: 0; }");
    const int rowHeight = list->view()->sizeHintForRow(0) > 0 ? list->view()->sizeHintForRow(0)
                                                              : list->fontMetrics().height() + 4;
    list->setMaxVisibleItems(std::max(1, (du.y(row.h) - closed) / rowHeight));
    // The wheel only for a list with the focus: it must not take the focus by
    // the wheel either, which the toolkit would grant before any filter.
    list->setFocusPolicy(Qt::StrongFocus);
    list->installEventFilter(this);
}

void EditorWindow::syncFromControls()
{
    for (const ListBinding& b : lists_) b.field(config_) = b.list->currentIndex();
    config_.turret = turretBox_->isChecked() ? 1 : 0;
    for (const NumberBinding& n : numbers_) {
        bool ok = false;
        if (n.points) {
            const int value = n.field->text().toInt(&ok);
            if (!ok) {
                services_.showMessage(this, MessageIcon::Stop, applicationName(),
                                      "Please enter an integer.");
                return;
            }
            n.points(config_) = value;
        } else {
            const unsigned value = n.field->text().toUInt(&ok);
            if (!ok) {
                services_.showMessage(this, MessageIcon::Stop, applicationName(),
                                      "Please enter a positive integer.");
                return;
            }
            n.price(config_) = value;
        }
    }
    normaliseSelections(config_); // a list without a selection reads as -1
}

void EditorWindow::syncToControls()
{
    SyncGuard guard(syncing_);
    for (const ListBinding& b : lists_) {
        const std::int32_t index = b.field(config_);
        b.list->setCurrentIndex(index < b.list->count() ? index : -1);
    }
    turretBox_->setChecked(config_.turret != 0);
    for (const NumberBinding& n : numbers_)
        n.field->setText(n.points ? QString::number(n.points(config_))
                                  : QString::number(n.price(config_)));
}

void EditorWindow::showName(const QString& name)
{
    SyncGuard guard(syncing_);
    nameBox_->setEditText(name);
    nameBox_->lineEdit()->setCursorPosition(0); // a long name shows its start
    shownName_ = name;
}

bool EditorWindow::namePending() const { return nameBox_->currentText() != shownName_; }

void EditorWindow::takePendingName()
{
    if (namePending()) takeName();
}

void EditorWindow::recalculate()
{
    syncFromControls();
    // A name typed but not yet taken survives whatever started this pass.
    if (namePending()) config_.name = toCp1252(nameBox_->currentText());
    RecalcResult view;
    {
        WaitCursor wait(services_); // the listing reads the vehicle directory
        view = recalculateWithListing(config_, paths_.vcfPath);
    }
    applyView(view);
    syncToControls();
}

void EditorWindow::applyView(const RecalcResult& view)
{
    SyncGuard guard(syncing_);
    listedNames_ = view.variantNames;
    nameBox_->clear();
    QStringList names;
    names.reserve(static_cast<qsizetype>(view.variantNames.size()));
    for (const std::string& name : view.variantNames) names.append(fromCp1252(name));
    nameBox_->addItems(names); // at once: one item at a time costs a pass per name
    nameBox_->setCurrentIndex(-1);
    showName(fromCp1252(view.nameFieldText));

    paintList_->clear();
    for (std::string_view scheme : view.paintSchemes) paintList_->addItem(fromCp1252(scheme));
    paintList_->setCurrentIndex(view.paintSelection);

    for (const ListBinding& b : lists_)
        if (b.mount >= 0) b.list->setEnabled(mountEnabled(view, b.mount));
    turretBox_->setEnabled(view.turretEnabled);
}

template <typename Rule> void EditorWindow::runRule(Rule rule)
{
    if (syncing_) return;
    syncFromControls();
    rule();
    syncToControls();
    recalculate();
}

void EditorWindow::changeModelRule()
{
    runRule([this] { changeModel(config_); });
}

void EditorWindow::paintRule()
{
    runRule([this] { config_.paintScheme = paintList_->currentIndex(); });
}

void EditorWindow::stepRule(Points points, Side side, int step)
{
    runRule([&] { stepSide(config_, points, side, step); });
}

void EditorWindow::transferRule(int step)
{
    runRule([&] { transferPoints(config_, step); });
}

void EditorWindow::takeName()
{
    runRule([this] { config_.name = toCp1252(nameBox_->currentText()); });
}

namespace {

// The first-run setup's dialogs, shown by the window.
class WindowFirstRun final : public FirstRunDialogs {
public:
    WindowFirstRun(QWidget* owner, UiServices& services) : owner_(owner), services_(services) {}
    void explain() override
    {
        services_.showMessage(owner_, MessageIcon::Information, firstRunCaption, firstRunText);
    }
    std::optional<std::string> locateGame() override
    {
        FileDialogRequest request;
        request.title = firstRunDialogTitle;
        request.filter = "Any (*)";
        request.defaultSuffix = "exe";
        request.directory = ".";
#ifndef Q_OS_WIN
        // The game usually sits inside a Wine prefix, a hidden folder.
        request.showHidden = true;
        const auto env = [](const char* name) { return toNative(qEnvironmentVariable(name)); };
        for (const auto& drive : wineDriveFolders(env("HOME"), env("WINEPREFIX")))
            request.sidebarFolders.append(fromNative(utf8FromPath(drive)));
#endif
        const auto chosen = services_.chooseFile(owner_, request);
        if (!chosen) return std::nullopt;
        return toNative(*chosen);
    }

private:
    QWidget* owner_;
    UiServices& services_;
};

} // namespace

void EditorWindow::start(const std::string& startDirectory)
{
    WindowFirstRun dialogs(this, services_);
    settings_ = startUp(startDirectory, dialogs);
    // A car that fails to load is reported, and the window still shows the
    // current design with its prices and lists.
    if (!commandLineFile_.empty()) loadCar(fromNative(commandLineFile_));
    recalculate();
    openButton_->setFocus(Qt::OtherFocusReason);
}

bool EditorWindow::loadCar(const QString& path)
{
    const std::filesystem::path file = toPath(path);
    std::vector<std::string> warnings;
    {
        WaitCursor wait(services_);
        syncFromControls();
        // A vehicle file of the game is told by its content and imported;
        // read as a car file it would show a design of garbage.
        const FileResult read = readDesignFile(file, config_, warnings);
        if (!read) {
            showFileError(read.error().message);
            return false;
        }
        normaliseSelections(config_); // no index outside its list reaches the controls
        showName(fromCp1252(config_.name));
        syncToControls();
        recalculate();
    }
    if (!warnings.empty()) {
        QString text = "The vehicle file was imported with these changes:\n";
        for (const std::string& warning : warnings) text += "\n" + fromNative(warning);
        services_.showMessage(this, MessageIcon::Information, applicationName(), text);
    }
    return true;
}

std::optional<QString> EditorWindow::chooseCarFile(bool save)
{
    FileDialogRequest request;
    request.kind = save ? FileDialogRequest::Kind::Save : FileDialogRequest::Kind::Open;
    request.title = save ? "Save Rivetbay Car" : "Open Rivetbay Car";
    request.filter = carFilter;
    request.defaultSuffix = "rbc";
    request.directory = fromNative(paths_.rbcPath);
    auto chosen = services_.chooseFile(this, request);
    if (chosen) {
        // Remembered before the file is touched, so it is kept even if that fails.
        paths_.rbcPath = directoryOf(toNative(*chosen));
        writePathSettings(settings_.settingsFile, paths_);
    }
    return chosen;
}

void EditorWindow::openCar()
{
    if (const auto chosen = chooseCarFile(false)) loadCar(*chosen);
}

void EditorWindow::saveCar()
{
    const auto chosen = chooseCarFile(true);
    if (!chosen) return;
    WaitCursor wait(services_);
    if (const FileResult saved = saveCarFile(toPath(*chosen), config_); !saved)
        showFileError(saved.error().message);
}

void EditorWindow::exportCar()
{
    ExportResult result;
    {
        WaitCursor wait(services_);
        result = exportVariant(config_, paths_.vcfPath, listedNames_);
    }
    if (result.outcome == ExportResult::Outcome::Refused)
        services_.showMessage(this, MessageIcon::Stop, exportCaption,
                              QString::fromStdString(result.refusal));
    recalculate();
}

void EditorWindow::openAbout()
{
    takePendingName();
    AboutWindow about(services_, this, pageFolder_);
    about.exec();
}

void EditorWindow::openHackbuster() { (new HackbusterWindow(this))->show(); }

void EditorWindow::done(int result)
{
    // The editor's end takes its Hackbuster windows with it.
    for (auto* window : findChildren<HackbusterWindow*>(Qt::FindDirectChildrenOnly))
        window->close();
    QDialog::done(result);
}

void EditorWindow::showFileError(const std::string& message)
{
    services_.showMessage(this, MessageIcon::Stop, applicationName(), fromNative(message));
}

void EditorWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Enter is no default command: it presses only a focused button.
        if (auto* button = qobject_cast<QPushButton*>(focusWidget())) button->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event); // Escape ends the window
}

void EditorWindow::contextMenuEvent(QContextMenuEvent* event)
{
    takePendingName();
    QMenu menu(this);
    menu.addSeparator();
    menu.addAction("&About Rivetbay", this, &EditorWindow::openAbout);
    menu.exec(event->globalPos());
}

void EditorWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void EditorWindow::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile()) return;
    event->acceptProposedAction();
    takePendingName();
    loadCar(urls.first().toLocalFile());
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
        takeName();
    return QDialog::eventFilter(watched, event);
}

} // namespace rivetbay
