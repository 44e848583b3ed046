#pragma once

// The program's one window: every control bound to the car record, and every
// action a core rule between syncFromControls and syncToControls.

#include "app/Startup.h"
#include "car/CarConfig.h"
#include "car/Recalculate.h"

#include <QDialog>

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace rivetbay {

class SpinArrows;
class UiServices;

class EditorWindow : public QDialog {
    Q_OBJECT
public:
    EditorWindow(std::string commandLineFile, UiServices& services, QWidget* parent = nullptr);

    // Settings, first-run setup, the command-line car and the first
    // recalculation; run once before the window is shown.
    void start();

    void syncFromControls();
    void syncToControls();
    void recalculate();

    const CarConfig& config() const { return config_; }
    const PathSettings& paths() const { return paths_; }

    // Where the About window finds its pages; the program's folder by default.
    void setPageFolder(const QString& folder) { pageFolder_ = folder; }

signals:
    void aboutRequested();
    void hackbusterRequested();

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
        std::int32_t* field;
    };
    struct NumberBinding {
        QLineEdit* field;
        std::int32_t* points;   // one of these two is set
        std::uint32_t* price;
    };

    void buildControls();
    QComboBox* addList(const char* name, int x, int y, int w, int h,
                       const std::vector<std::string_view>& entries = {});
    QLineEdit* addPrice(const char* name, int x, int y, int w, int h);
    QLineEdit* addPoints(const char* name, int x, int y, int w, int h, bool centred);
    void placeList(QComboBox* list, int x, int y, int w, int h);
    static void showDisabledAsThePlatformDoes(QWidget* control);
    SpinArrows* addSpin(const char* name, Qt::Orientation orientation, int x, int y, int w, int h,
                        QLineEdit* buddy);

    void openAbout();
    void openHackbuster();
    void firstRunSetup();
    bool loadCar(const QString& path);
    std::optional<QString> chooseCarFile(bool save);
    void openCar();
    void saveCar();
    void exportCar();
    void takeName();
    // Text typed into the name box that no rule has taken yet.
    bool namePending() const;
    void takePendingName();
    void showName(const QString& name);
    void showFileError(const std::string& message);
    void applyView(const RecalcResult& view);

    template <typename Rule> void runRule(Rule rule);

    CarConfig config_;
    PathSettings paths_;
    std::string startDirectory_;
    std::filesystem::path settingsFile_;
    std::string commandLineFile_;
    UiServices& services_;
    QString pageFolder_;
    bool syncing_ = false;
    QString shownName_; // the name box's text as the program last wrote it

    QComboBox* modelList_ = nullptr;
    QComboBox* paintList_ = nullptr;
    QComboBox* nameBox_ = nullptr;
    QCheckBox* turretBox_ = nullptr;
    QPushButton* openButton_ = nullptr;
    std::array<QComboBox*, 3> frontLists_{};
    std::array<QComboBox*, 2> topLists_{};
    std::array<QComboBox*, 2> rearLists_{};
    std::array<QComboBox*, 2> dropperLists_{};
    std::vector<ListBinding> lists_;
    std::vector<NumberBinding> numbers_;
};

} // namespace rivetbay
