// Rivetbay: the editor for I'76 Nitro cars.

#include "app/CommandLine.h"
#include "app/ExportToGame.h"
#include "files/TextEncoding.h"
#include "ui/EditorWindow.h"
#include "ui/UiServices.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string_view>

namespace {

constexpr const char* usage =
    "Usage: Rivetbay [CAR.rbc]\n"
    "The car editor for I'76 Nitro. Opens the car file, if one is given, in the editor window.\n"
    "Settings are kept in Rivetbay.ini in the folder Rivetbay is started from.\n"
    "\n"
    "  --help              show this text and exit\n"
    "  --version           show the version and exit\n"
    "  --export CAR.rbc    export the car into the game's folder, say how it went, and exit\n"
    "  --settings-at-home  keep the settings in the home folder, as the desktop entries do\n";

// Answers --help and --version before anything else, so that neither needs a
// display nor touches the settings. Returns -1 to go on.
int answerInformation(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            std::fputs(usage, stdout);
            return 0;
        }
        if (argument == "--version") {
            std::puts("Rivetbay " RIVETBAY_VERSION);
            return 0;
        }
    }
    return -1;
}

// Without a display the toolkit would abort with a message about
// reinstalling; say plainly what is missing instead.
bool displayAvailable()
{
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
#else
    return true;
#endif
}

// A display that is set but cannot be reached makes the toolkit abort with
// advice to reinstall; while the application starts, that end is turned
// into the same plain word as for no display at all.
bool starting = true;
void startupMessages(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (starting && type == QtFatalMsg) {
        const char* display = std::getenv("DISPLAY");
        std::fprintf(stderr,
                     "Rivetbay: the graphical display%s%s%s could not be reached. Rivetbay is a "
                     "desktop program and needs one; rivetbay-cli works without.\n",
                     display ? " \"" : "", display ? display : "", display ? "\"" : "");
        std::_Exit(1);
    }
    if (starting && QByteArray(context.category ? context.category : "").startsWith("qt.qpa"))
        return; // the toolkit's own words on the same failure
    std::fputs(qFormatLogMessage(type, context, text).toLocal8Bit().append('\n').constData(), stderr);
}

} // namespace

int main(int argc, char** argv)
{
    if (const int answered = answerInformation(argc, argv); answered >= 0) return answered;
    if (!displayAvailable()) {
        std::fputs(
            "Rivetbay: no graphical display was found (DISPLAY and WAYLAND_DISPLAY are not "
            "set). Rivetbay is a desktop program and needs one; rivetbay-cli works without.\n",
            stderr);
        return 1;
    }
    const QtMessageHandler ordinary = qInstallMessageHandler(startupMessages);
    QApplication app(argc, argv);
    starting = false;
    qInstallMessageHandler(ordinary);
    rivetbay::keepToolkitSettingsAway();
    // Docks group the window with its launcher, and Wayland names it, by this.
    QGuiApplication::setDesktopFileName("org.rivetbay.Rivetbay");
    // The words as the file system's bytes, from argv itself (the toolkit has
    // taken out its own switches): its decoded copy loses a name that is not
    // UTF-8, such as a Latin-1 "caf\xe9.rbc" from an old archive.
    const std::vector<std::string> arguments(argv + 1, argv + argc);

    // The desktop entries start in the settings' folder whatever folder the
    // file manager starts them in: a car opened there leaves no settings beside it.
    const char* home = std::getenv("HOME");
    std::error_code ec;
    const rivetbay::EditorLaunch launch =
        rivetbay::launchFrom(arguments, std::filesystem::current_path(ec), home ? home : "");
    if (launch.moves) std::filesystem::current_path(launch.startDirectory, ec); // "." in the settings means there
    rivetbay::QtUiServices services;
    const std::string name = rivetbay::applicationName().toStdString();
    if (launch.exportToGame) return rivetbay::exportToGame(launch.file, launch.startDirectory, services, name);
    rivetbay::EditorWindow editor(services);
    services.setOwner(&editor);
    editor.start({launch.startDirectory, launch.file, name});
    editor.exec();
    return 0;
}
