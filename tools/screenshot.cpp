// Renders the editor window offscreen into a PNG, for the README.
//   screenshot OUT.png [CAR.rbc]     the editor
//   screenshot OUT.png --about       the About window

#include "ui/AboutWindow.h"
#include "ui/CBrowser.h"
#include "ui/EditorWindow.h"
#include "ui/UiServices.h"

#include <QApplication>
#include <QPixmap>

#include <filesystem>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) return 2;
    rivetbay::SilentServices services;
    if (argc > 2 && QString(argv[2]) == "--about") {
        rivetbay::AboutWindow about(services, nullptr, rivetbay::CBrowser::programFolder());
        about.show();
        QApplication::processEvents();
        return about.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
    }
    rivetbay::EditorWindow editor(services);
    editor.start({std::filesystem::current_path(), argc > 2 ? argv[2] : ""});
    editor.show();
    QApplication::processEvents();
    return editor.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
