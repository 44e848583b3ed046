// Renders the editor window offscreen into a PNG, for the README.
//   screenshot OUT.png [CAR.rbc]     the editor
//   screenshot OUT.png --about       the About window

#include "ui/AboutWindow.h"
#include "ui/CBrowser.h"
#include "ui/EditorWindow.h"
#include "ui/UiServices.h"

#include <QApplication>
#include <QPixmap>

namespace {

// Answers every dialog with "cancel" so that nothing blocks.
class SilentServices final : public rivetbay::UiServices {
public:
    std::optional<QString> chooseFile(QWidget*, const rivetbay::FileDialogRequest&) override
    {
        return std::nullopt;
    }
    void showMessage(QWidget*, rivetbay::MessageIcon, const QString&, const QString&) override {}
    void pushWaitCursor() override {}
    void popWaitCursor() override {}
};

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) return 2;
    SilentServices services;
    if (argc > 2 && QString(argv[2]) == "--about") {
        rivetbay::AboutWindow about(services, nullptr, rivetbay::CBrowser::programFolder());
        about.show();
        QApplication::processEvents();
        return about.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
    }
    rivetbay::EditorWindow editor(argc > 2 ? argv[2] : "", services);
    editor.start();
    editor.show();
    QApplication::processEvents();
    return editor.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
