#include "Startup.h"

#include "MessageBox.h"
#include "Settings.h"
#include "frmMain.h"

#include <QApplication>
#include <QFileInfo>
#include <cstdio>

StartupResult Main(const QString& database) {
    auto window = std::make_unique<frmMain>();

    const SettingsLocation location = ComposeSettingsLocation(
        SettingsBaseFolder(), QFileInfo(QCoreApplication::applicationFilePath()).fileName());
    if (!FolderExists(location.folder)) {
        const FolderResult made = MakeSettingsFolder(location.folder);
        if (!made.ok) {
            return made.error;
        }
    }
    SetSettingsFile(location.file);
    LoadSettings(*window);
    // A database given on the command line (or by a file manager) takes the place of the stored path.
    if (!database.isEmpty())
        window->setPath(database);

    window->show();
    return window;
}

int RunProgram(const QString& database) {
    StartupResult started = Main(database);
    if (const QString* failure = std::get_if<QString>(&started)) {
        const QString text = QStringLiteral("Veltrane could not start.\n\n") + *failure;
        std::fprintf(stderr, "%s\n", qPrintable(text));
        ShowMessageBox(nullptr, text);
        return 1;
    }
    const std::unique_ptr<frmMain>& window = std::get<std::unique_ptr<frmMain>>(started);
    QObject::connect(window.get(), &frmMain::unloaded, qApp, &QCoreApplication::quit);
    return QApplication::exec();
}
