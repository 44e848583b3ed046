// Rivetbay: the editor for I'76 Nitro cars.

#include "app/Startup.h"
#include "ui/EditorWindow.h"
#include "ui/UiServices.h"

#include <QApplication>
#include <QFile>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    std::vector<std::string> arguments;
    const QStringList args = QApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i)
        arguments.push_back(QFile::encodeName(args[i]).toStdString());

    rivetbay::QtUiServices services;
    rivetbay::EditorWindow editor(rivetbay::commandLineFile(arguments), services);
    editor.start();
    editor.exec();
    return 0;
}
