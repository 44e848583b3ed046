#include "ui/EditorWindow.h"

#include "app/WinePrefixes.h"
#include "car/Allocation.h"
#include "catalogue/CarCatalogue.h"
#include "files/CarFile.h"
#include "files/Export.h"
#include "files/VariantListing.h"
#include "files/VcfReader.h"
#include "files/Windows1252.h"
#include "ui/AboutWindow.h"
#include "ui/CBrowser.h"
#include "ui/DialogUnits.h"
#include "ui/FrameBox.h"
#include "ui/HackbusterWindow.h"
#include "ui/NumberField.h"
#include "ui/SpinArrows.h"
#include "ui/UiServices.h"

#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QAbstractItemView>
#include <QDropEvent>
#include <QFile>
#include <QIcon>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QShortcut>
#include <QStandardPaths>
#include <QUrl>

#include <system_error>

#ifdef Q_OS_WIN
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

// Paths travel in the platform's own narrow encoding, as the settings file
// and std::filesystem hold them.
QString fromNative(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }
std::string toNative(const QString& path) { return QFile::encodeName(path).toStdString(); }

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

std::string_view displayNameOf(std::string_view name) { return name; }
std::string_view displayNameOf(const PricedItem& item) { return item.displayName; }
std::string_view displayNameOf(const ModelSpec& model) { return model.displayName; }

// A table's display names in index order: the entries of its list.
template <typename Table> std::vector<std::string_view> namesOf(const Table& table)
{
    std::vector<std::string_view> names;
    for (const auto& row : table) names.push_back(displayNameOf(row));
    return names;
}

class SyncGuard {
public:
    explicit SyncGuard(bool& flag) : flag_(flag), previous_(flag) { flag_ = true; }
    ~SyncGuard() { flag_ = previous_; }

private:
    bool& flag_;
    bool previous_;
};

} // namespace

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
    new QShortcut(QKeySequence::HelpContents, this, this, &EditorWindow::aboutRequested);
    pageFolder_ = CBrowser::programFolder();
    connect(this, &EditorWindow::aboutRequested, this, &EditorWindow::openAbout);
    connect(this, &EditorWindow::hackbusterRequested, this, &EditorWindow::openHackbuster);
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
        emit aboutRequested();
        *result = 0;
        return true;
    }
    return QDialog::nativeEvent(eventType, message, result);
}
#endif

void EditorWindow::openAbout()
{
    takePendingName();
    AboutWindow about(services_, this, pageFolder_);
    about.exec();
}

void EditorWindow::openHackbuster()
{
    (new HackbusterWindow(this))->show();
}

void EditorWindow::done(int result)
{
    // The editor's end takes its Hackbuster windows with it.
    for (auto* window : findChildren<HackbusterWindow*>(Qt::FindDirectChildrenOnly))
        window->close();
    QDialog::done(result);
}

QComboBox* EditorWindow::addList(const char* name, int x, int y, int w, int h,
                                 const std::vector<std::string_view>& entries)
{
    const DialogUnits du(font());
    auto* list = new QComboBox(this);
    list->setObjectName(name);
    QStringList items;
    for (std::string_view entry : entries) items.append(fromCp1252(entry));
    list->addItems(items);
    placeList(list, x, y, w, h);
    showDisabledAsThePlatformDoes(list);
    connect(list, &QComboBox::currentIndexChanged, this, [this] {
        if (!syncing_) recalculate();
    });
    return list;
}

void EditorWindow::placeList(QComboBox* list, int x, int y, int w, int h)
{
    const DialogUnits du(font());
    const int closed = std::min(list->sizeHint().height(), du.y(14));
    list->setGeometry(du.x(x), du.y(y), du.x(w), closed);
    // The given height includes the dropped-down part: as many rows as fit
    // there, the rest behind a scroll bar. Without this the style drops a
    // list down whole, taller than the screen for the 38 models.
    list->setStyleSheet("QComboBox { combobox-popup: 0; }");
    const int row = std::max(1, list->view()->sizeHintForRow(0) > 0
                                    ? list->view()->sizeHintForRow(0)
                                    : list->fontMetrics().height() + 4);
    list->setMaxVisibleItems(std::max(1, (du.y(h) - closed) / row));
    // The wheel only for a list with the focus: it must not take the focus by
    // the wheel either, which the toolkit would grant before any filter.
    list->setFocusPolicy(Qt::StrongFocus);
    list->installEventFilter(this);
}

void EditorWindow::showDisabledAsThePlatformDoes(QWidget* control)
{
    // Grey face and grey text, so an unusable mount is told at a glance from
    // an empty one. Polished first, or the style sheet's polish resets it.
    control->ensurePolished();
    QPalette palette = control->palette();
    const QColor face = palette.color(QPalette::Active, QPalette::Window).darker(115);
    for (auto role : {QPalette::Button, QPalette::Base}) palette.setColor(QPalette::Disabled, role, face);
    const QColor grey = palette.color(QPalette::Active, QPalette::Dark);
    for (auto role : {QPalette::ButtonText, QPalette::Text}) palette.setColor(QPalette::Disabled, role, grey);
    control->setPalette(palette);
}

QLineEdit* EditorWindow::addPrice(const char* name, int x, int y, int w, int h)
{
    const DialogUnits du(font());
    auto* field = new NumberField(this);
    field->setObjectName(name);
    field->setGeometry(du.rect(x, y, w, h));
    field->setFrame(false);
    field->setReadOnly(true);
    field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    field->setFocusPolicy(Qt::NoFocus);
    field->setValidator(new QIntValidator(0, INT_MAX, field));
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    field->setPalette(palette);
    field->setTextMargins(0, 0, 0, 0);
    field->setContentsMargins(0, 0, 0, 0);
    return field;
}

QLineEdit* EditorWindow::addPoints(const char* name, int x, int y, int w, int h, bool centred)
{
    const DialogUnits du(font());
    auto* field = new NumberField(this);
    field->setObjectName(name);
    field->setGeometry(du.rect(x, y, w, h));
    field->setReadOnly(true);
    field->setAlignment((centred ? Qt::AlignHCenter : Qt::AlignRight) | Qt::AlignVCenter);
    field->setValidator(new QIntValidator(field));
    field->setFocusPolicy(Qt::StrongFocus);
    field->setTextMargins(0, 0, 0, 0);
    return field;
}

SpinArrows* EditorWindow::addSpin(const char* name, Qt::Orientation orientation, int x, int y,
                                  int w, int h, QLineEdit* buddy)
{
    const DialogUnits du(font());
    auto* spin = new SpinArrows(orientation, this);
    spin->setObjectName(name);
    spin->setGeometry(du.rect(x, y, w, h));
    if (buddy) spin->setBuddy(buddy);
    return spin;
}

void EditorWindow::buildControls()
{
    SyncGuard guard(syncing_); // filling the lists raises no action
    const DialogUnits du(font());
    resize(du.x(322), du.y(223));
    const auto models = namesOf(cat::modelTable);
    const auto weapons = namesOf(cat::weaponNames);
    const auto droppers = namesOf(cat::dropperNames);
    const auto specialNames = namesOf(cat::specialNames);
    const auto tires = namesOf(cat::tireTable);

    modelList_ = addList("modelList", 2, 12, 98, 216, models);
    auto* engine = addList("engineList", 2, 41, 98, 187, namesOf(cat::engineTable));
    auto* suspension = addList("suspensionList", 2, 68, 98, 160, namesOf(cat::suspensionNames));
    auto* brakes = addList("brakesList", 2, 96, 98, 132, namesOf(cat::brakesNames));
    auto* frontTires = addList("frontTiresList", 2, 124, 98, 104, tires);
    auto* rearTires = addList("rearTiresList", 2, 140, 98, 88, tires);
    std::array<QComboBox*, 3> specials{addList("special1List", 225, 12, 74, 224, specialNames),
                                       addList("special2List", 225, 28, 74, 208, specialNames),
                                       addList("special3List", 225, 44, 74, 192, specialNames)};
    frontLists_ = {addList("frontWeapon1List", 124, 12, 78, 216, weapons),
                   addList("frontWeapon2List", 124, 28, 78, 200, weapons),
                   addList("frontWeapon3List", 124, 44, 78, 184, weapons)};
    topLists_ = {addList("topWeapon1List", 124, 72, 78, 156, weapons),
                 addList("topWeapon2List", 124, 88, 78, 140, weapons)};
    rearLists_ = {addList("rearWeapon1List", 124, 116, 78, 112, weapons),
                  addList("rearWeapon2List", 124, 132, 78, 96, weapons)};
    dropperLists_ = {addList("dropper1List", 124, 159, 78, 69, droppers),
                     addList("dropper2List", 124, 175, 78, 53, droppers)};
    paintList_ = addList("paintList", 124, 206, 98, 68);
    disconnect(modelList_, &QComboBox::currentIndexChanged, this, nullptr);
    connect(modelList_, &QComboBox::currentIndexChanged, this,
            [this] { runRule([this] { changeModel(config_); }); });
    disconnect(paintList_, &QComboBox::currentIndexChanged, this, nullptr);
    connect(paintList_, &QComboBox::currentIndexChanged, this,
            [this] { runRule([this] { config_.paintScheme = paintList_->currentIndex(); }); });

    auto* armorBox = new FrameBox("Armor", Qt::AlignLeft, this);
    armorBox->setObjectName("armorGroup");
    armorBox->setGeometry(du.rect(2, 160, 60, 60));
    auto* chassisBox = new FrameBox("Chassis", Qt::AlignRight, this);
    chassisBox->setObjectName("chassisGroup");
    chassisBox->setGeometry(du.rect(61, 160, 60, 60));

    struct SidePair {
        const char* field;
        const char* spin;
        int fx, fy, sx, sy;
        bool chassis;
        Side side;
    };
    const SidePair sides[] = {
        {"armorFrontField", "armorFrontSpin", 23, 170, 39, 168, false, Front},
        {"armorLeftField", "armorLeftSpin", 14, 186, 6, 186, false, Left},
        {"armorRightField", "armorRightSpin", 32, 186, 48, 185, false, Right},
        {"armorRearField", "armorRearSpin", 23, 202, 15, 202, false, Rear},
        {"chassisFrontField", "chassisFrontSpin", 83, 169, 99, 168, true, Front},
        {"chassisLeftField", "chassisLeftSpin", 74, 185, 66, 185, true, Left},
        {"chassisRightField", "chassisRightSpin", 92, 185, 108, 185, true, Right},
        {"chassisRearField", "chassisRearSpin", 83, 201, 75, 201, true, Rear},
    };
    for (const SidePair& s : sides) {
        QLineEdit* field = addPoints(s.field, s.fx, s.fy, 16, 14, false);
        SpinArrows* spin = addSpin(s.spin, Qt::Vertical, s.sx, s.sy, 9, 16, field);
        auto& values = s.chassis ? config_.chassis : config_.armor;
        numbers_.push_back({field, &values[s.side], nullptr});
        const bool chassis = s.chassis;
        const Side side = s.side;
        connect(spin, &SpinArrows::stepped, this, [this, chassis, side](int step) {
            runRule([&] { stepSide(config_, chassis, side, step); });
        });
    }
    QLineEdit* freePoints = addPoints("freePointsField", 50, 156, 22, 16, true);
    numbers_.push_back({freePoints, &config_.freePoints, nullptr});
    SpinArrows* transfer = addSpin("transferSpin", Qt::Horizontal, 52, 208, 20, 12, nullptr);
    connect(transfer, &SpinArrows::stepped, this,
            [this](int step) { runRule([&] { transferPoints(config_, step); }); });

    const auto price = [&](const char* name, int x, int y, std::uint32_t* value) {
        numbers_.push_back({addPrice(name, x, y, 19, 13), nullptr, value});
    };
    price("modelPrice", 101, 12, &config_.modelPrice);
    price("enginePrice", 101, 41, &config_.enginePrice);
    price("suspensionPrice", 101, 68, &config_.suspensionPrice);
    price("brakesPrice", 101, 96, &config_.brakesPrice);
    price("frontTiresPrice", 101, 124, &config_.frontTiresPrice);
    price("rearTiresPrice", 101, 140, &config_.rearTiresPrice);
    price("frontWeapon1Price", 203, 12, &config_.frontWeaponPrices[0]);
    price("frontWeapon2Price", 203, 28, &config_.frontWeaponPrices[1]);
    price("frontWeapon3Price", 203, 44, &config_.frontWeaponPrices[2]);
    price("topWeapon1Price", 203, 72, &config_.topWeaponPrices[0]);
    price("topWeapon2Price", 203, 88, &config_.topWeaponPrices[1]);
    price("rearWeapon1Price", 203, 116, &config_.rearWeaponPrices[0]);
    price("rearWeapon2Price", 203, 132, &config_.rearWeaponPrices[1]);
    price("dropper1Price", 203, 159, &config_.dropperPrices[0]);
    price("dropper2Price", 203, 175, &config_.dropperPrices[1]);
    price("special1Price", 300, 12, &config_.specialPrices[0]);
    price("special2Price", 300, 28, &config_.specialPrices[1]);
    price("special3Price", 300, 44, &config_.specialPrices[2]);

    const auto button = [&](const char* name, const char* text, int x, int y, int w, int h) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setGeometry(du.rect(x, y, w, h));
        b->setAutoDefault(false); // Enter acts only on the focused button
        return b;
    };
    connect(button("quitButton", "&QUIT", 272, 200, 48, 20), &QPushButton::clicked, this,
            &QDialog::reject);
    connect(button("aboutButton", "&ABOUT", 276, 180, 43, 16), &QPushButton::clicked, this,
            &EditorWindow::aboutRequested);
    QPushButton* exportButton = button("exportButton", "&EXPORT", 276, 160, 43, 16);
    exportButton->setVisible(false);
    connect(exportButton, &QPushButton::clicked, this, &EditorWindow::exportCar);
    openButton_ = button("openButton", "&OPEN", 228, 160, 43, 16);
    connect(openButton_, &QPushButton::clicked, this, &EditorWindow::openCar);
    connect(button("saveButton", "&SAVE", 228, 180, 43, 16), &QPushButton::clicked, this,
            &EditorWindow::saveCar);

    const auto label = [&](const char* name, const char* text, int x, int y, int w, int h) {
        auto* l = new QLabel(text, this);
        l->setObjectName(name);
        l->setGeometry(du.rect(x, y, w, h));
        return l;
    };
    label("modelLabel", "Model", 2, 4, 98, 8);
    label("engineLabel", "Engine", 2, 32, 98, 8);
    label("suspensionLabel", "Suspension", 2, 60, 98, 8);
    label("brakesLabel", "Brakes", 2, 88, 98, 8);
    label("tiresLabel", "Tires", 2, 116, 98, 8);
    label("frontWeaponsLabel", "Front Weapons", 124, 4, 78, 8);
    label("topWeaponsLabel", "Top Weapons", 124, 64, 78, 8);
    turretBox_ = new QCheckBox("TRT", this);
    turretBox_->setObjectName("turretBox");
    turretBox_->setGeometry(du.rect(200, 62, 22, 8));
    turretBox_->adjustSize();
    turretBox_->move(du.x(200), du.y(62) - (turretBox_->height() - du.y(8)) / 2);
    connect(turretBox_, &QCheckBox::clicked, this, [this] {
        if (!syncing_) recalculate();
    });
    label("rearWeaponsLabel", "Rear Weapons", 124, 107, 78, 8);
    label("droppersLabel", "Droppers", 124, 151, 78, 8);
    label("specialsLabel", "Specials", 225, 4, 68, 8);
    label("paintSchemeLabel", "Paint Scheme", 124, 198, 98, 8);
    QLabel* dollar = label("dollarLabel", "$", 224, 209, 8, 8);
    dollar->setTextFormat(Qt::PlainText);
    dollar->setWordWrap(false);

    auto* total = new NumberField(this);
    total->setObjectName("totalPrice");
    total->setGeometry(du.rect(228, 204, 42, 16));
    total->setFrame(false);
    total->setReadOnly(true);
    total->setAlignment(Qt::AlignCenter);
    total->setFocusPolicy(Qt::NoFocus);
    QPalette palette = total->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    total->setPalette(palette);
    numbers_.push_back({total, nullptr, &config_.totalPrice});

    nameBox_ = new QComboBox(this);
    nameBox_->setObjectName("nameBox");
    nameBox_->setEditable(true);
    nameBox_->setInsertPolicy(QComboBox::NoInsert);
    nameBox_->setCompleter(nullptr); // the record's name is exactly what was typed
    placeList(nameBox_, 228, 88, 74, 136);
    nameBox_->lineEdit()->setValidator(new FitsFieldValidator(nameBox_->lineEdit()));
    nameBox_->lineEdit()->setAcceptDrops(false); // a dropped file is a car to load
    // The combo box holds the focus for its line edit, so its own focus-out
    // is the one that signals the end of typing.
    nameBox_->installEventFilter(this);
    label("nameLabel", "Name", 228, 80, 72, 8);

    QPushButton* hackbuster = button("hackbusterButton", "Hackbuster", 228, 116, 92, 28);
    hackbuster->setVisible(false);
    connect(hackbuster, &QPushButton::clicked, this, &EditorWindow::hackbusterRequested);

    lists_ = {{modelList_, &config_.model},
              {engine, &config_.engine},
              {suspension, &config_.suspension},
              {frontTires, &config_.frontTires},
              {rearTires, &config_.rearTires},
              {brakes, &config_.brakes},
              {frontLists_[0], &config_.frontWeapons[0]},
              {frontLists_[1], &config_.frontWeapons[1]},
              {frontLists_[2], &config_.frontWeapons[2]},
              {topLists_[0], &config_.topWeapons[0]},
              {topLists_[1], &config_.topWeapons[1]},
              {rearLists_[0], &config_.rearWeapons[0]},
              {rearLists_[1], &config_.rearWeapons[1]},
              {dropperLists_[0], &config_.droppers[0]},
              {dropperLists_[1], &config_.droppers[1]},
              {specials[0], &config_.specials[0]},
              {specials[1], &config_.specials[1]},
              {specials[2], &config_.specials[2]}};
}

void EditorWindow::syncFromControls()
{
    for (const ListBinding& b : lists_) *b.field = b.list->currentIndex();
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
            *n.points = value;
        } else {
            const unsigned value = n.field->text().toUInt(&ok);
            if (!ok) {
                services_.showMessage(this, MessageIcon::Stop, applicationName(),
                                      "Please enter a positive integer.");
                return;
            }
            *n.price = value;
        }
    }
    normaliseSelections(config_); // a list without a selection reads as -1
}

void EditorWindow::syncToControls()
{
    SyncGuard guard(syncing_);
    for (const ListBinding& b : lists_)
        b.list->setCurrentIndex(*b.field < b.list->count() ? *b.field : -1);
    turretBox_->setChecked(config_.turret != 0);
    for (const NumberBinding& n : numbers_)
        n.field->setText(n.points ? QString::number(*n.points) : QString::number(*n.price));
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

    for (std::size_t k = 0; k < 3; ++k) frontLists_[k]->setEnabled(view.frontEnabled[k]);
    for (std::size_t k = 0; k < 2; ++k) {
        topLists_[k]->setEnabled(view.topEnabled[k]);
        rearLists_[k]->setEnabled(view.rearEnabled[k]);
        dropperLists_[k]->setEnabled(view.droppersEnabled[k]);
    }
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

void EditorWindow::start()
{
    std::error_code ec;
    startDirectory_ = std::filesystem::current_path(ec).string();
    settingsFile_ = settingsFileIn(startDirectory_);
    paths_ = readPathSettings(settingsFile_, startDirectory_);
    writePathSettings(settingsFile_, paths_);
    if (!pathExists(paths_.rbcPath)) paths_.rbcPath = startDirectory_;
    if (!pathExists(paths_.vcfPath)) firstRunSetup();
    // A car that fails to load is reported, and the window still shows the
    // current design with its prices and lists.
    if (!commandLineFile_.empty()) loadCar(fromNative(commandLineFile_));
    recalculate();
    openButton_->setFocus(Qt::OtherFocusReason);
}

void EditorWindow::firstRunSetup()
{
    services_.showMessage(this, MessageIcon::Information, firstRunCaption, firstRunText);
    FileDialogRequest request;
    request.title = firstRunDialogTitle;
    request.filter = "Any (*)";
    request.defaultSuffix = "exe";
    request.directory = ".";
#ifndef Q_OS_WIN
    // The game usually sits inside a Wine prefix, a hidden folder.
    request.showHidden = true;
    const auto env = [](const char* name) { return QFile::encodeName(qEnvironmentVariable(name)).toStdString(); };
    for (const auto& drive : wineDriveFolders(env("HOME"), env("WINEPREFIX")))
        request.sidebarFolders.append(fromNative(drive.string()));
#endif
    const auto chosen = services_.chooseFile(this, request);
    paths_.vcfPath = chosen ? vcfPathFromChosenFile(toNative(*chosen)) : std::string(".");
    writePathSettings(settingsFile_, paths_);
}

bool EditorWindow::loadCar(const QString& path)
{
    const std::filesystem::path file = toNative(path);
    std::vector<std::string> warnings;
    {
        WaitCursor wait(services_);
        syncFromControls();
        // A vehicle file of the game is told by its content and imported;
        // read as a car file it would show a design of garbage.
        FileResult read;
        if (isVehicleFile(file)) {
            VcfImport imported;
            read = importVehicleFile(file, imported);
            if (read) {
                config_ = imported.config;
                warnings = std::move(imported.warnings);
            }
        } else {
            read = loadCarFile(file, config_);
        }
        if (!read) {
            showFileError(read.error().message);
            return false;
        }
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
        writePathSettings(settingsFile_, paths_);
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
    if (const FileResult saved = saveCarFile(toNative(*chosen), config_); !saved)
        showFileError(saved.error().message);
}

void EditorWindow::exportCar()
{
    std::vector<std::string> listed;
    for (int i = 0; i < nameBox_->count(); ++i) listed.push_back(toCp1252(nameBox_->itemText(i)));
    ExportResult result;
    {
        WaitCursor wait(services_);
        result = exportVariant(config_, paths_.vcfPath, listed);
    }
    if (result.outcome == ExportResult::Outcome::Refused)
        services_.showMessage(this, MessageIcon::Stop, exportCaption,
                              QString::fromStdString(result.refusal));
    recalculate();
}

void EditorWindow::takeName()
{
    runRule([this] { config_.name = toCp1252(nameBox_->currentText()); });
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
    menu.addAction("&About Rivetbay", this, &EditorWindow::aboutRequested);
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
    if (watched == nameBox_ && event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
        takeName();
    return QDialog::eventFilter(watched, event);
}

} // namespace rivetbay
