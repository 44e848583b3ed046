#pragma once

// The program's one window: every control made from one table, bound to the
// car record, and every action a core rule between syncFromControls and
// syncToControls.

#include "app/Startup.h"
#include "car/Allocation.h"
#include "car/CarConfig.h"
#include "car/Recalculate.h"

#include <QDialog>

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace rivetbay {

class UiServices;

class EditorWindow : public QDialog {
    Q_OBJECT
public:
    EditorWindow(std::string commandLineFile, UiServices& services, QWidget* parent = nullptr);

    // Settings, first-run setup, the command-line car and the first
    // recalculation; run once before the window is shown. `startDirectory`
    // is the working directory at start.
    void start(const std::string& startDirectory);

    void syncFromControls();
    void syncToControls();
    void recalculate();

    const CarConfig& config() const { return config_; }
    const PathSettings& paths() const { return paths_; }

    // Where the About window finds its pages; the program's folder by default.
    void setPageFolder(const QString& folder) { pageFolder_ = folder; }

    // One row of the window's control table.
    struct Control;

public slots:
    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
#ifdef Q_OS_WIN
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
#endif

private:
    struct ListBinding {
        QComboBox* list;
        std::int32_t& (*field)(CarConfig&);
        int mount; // which mount's availability enables it; -1 for none
    };
    struct NumberBinding {
        QLineEdit* field;
        std::int32_t& (*points)(CarConfig&); // one of these two is set
        std::uint32_t& (*price)(CarConfig&);
    };

    static std::span<const Control> controlTable();
    void buildControls();
    QWidget* makeControl(const Control& row, QLineEdit* lastField);
    void placeList(QComboBox* list, const Control& row);

    // The handlers the table names.
    void changeModelRule();
    void paintRule();
    void stepRule(Points points, Side side, int step);
    void transferRule(int step);
    void openAbout();
    void openHackbuster();
    void openCar();
    void saveCar();
    void exportCar();

    bool loadCar(const QString& path);
    std::optional<QString> chooseCarFile(bool save);
    void takeName();
    // Text typed into the name box that no rule has taken yet.
    bool namePending() const;
    void takePendingName();
    void showName(const QString& name);
    void showFileError(const std::string& message);
    void applyView(const RecalcResult& view);

    template <typename Rule> void runRule(Rule rule);

    CarConfig config_;
    StartupState settings_;
    PathSettings& paths_ = settings_.paths;
    std::string commandLineFile_;
    UiServices& services_;
    QString pageFolder_;
    bool syncing_ = false;
    QString shownName_;                    // the name box's text as the program last wrote it
    std::vector<std::string> listedNames_; // the name list of the last pass

    QComboBox* paintList_ = nullptr;
    QComboBox* nameBox_ = nullptr;
    QCheckBox* turretBox_ = nullptr;
    QWidget* openButton_ = nullptr;
    std::vector<ListBinding> lists_;
    std::vector<NumberBinding> numbers_;
};

} // namespace rivetbay
