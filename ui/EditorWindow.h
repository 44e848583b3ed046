#pragma once

// The editor's Qt window: widgets made from the form table, each event handed
// to the Editor, and the controls shown as the Editor tells.

#include "app/Editor.h"
#include "app/EditorView.h"

#include <QDialog>

#include <unordered_map>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace rivetbay {

struct FormControl;

class EditorWindow : public QDialog, public EditorView {
    Q_OBJECT
public:
    explicit EditorWindow(UiServices& services, QWidget* parent = nullptr);

    void start(const EditorStart& start) { editor_.start(start); }
    Editor& editor() { return editor_; }
    const CarConfig& config() const { return editor_.config(); }
    const PathSettings& paths() const { return editor_.paths(); }

    // Where the About window finds its pages; the program's folder by default.
    void setPageFolder(const QString& folder) { pageFolder_ = folder; }

    int selection(int id) const override;
    void setSelection(int id, int index) override;
    bool checked(int id) const override;
    void setChecked(int id, bool checked) override;
    std::string text(int id) const override;
    void setText(int id, const std::string& text) override;
    void enable(int id, bool enabled) override;
    void fillList(int id, const std::vector<std::string>& entries) override;
    void focus(int id) override;
    void showAbout() override;
    void showHackbuster() override;
    void closeEditor() override;

public slots:
    void reject() override; // Escape and the close box: the same as QUIT
    void done(int result) override;
    void setVisible(bool visible) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void nameCharactersDropped();
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* makeControl(const FormControl& row);
    void placeList(QComboBox* list, const FormControl& row);
    template <typename T> T* control(int id) const;

    UiServices& services_;
    Editor editor_;
    QString pageFolder_;
    std::unordered_map<int, QWidget*> controls_;
    QComboBox* nameBox_ = nullptr;
    bool writingName_ = false; // the editor, not the player, is writing the name box
};

} // namespace rivetbay
