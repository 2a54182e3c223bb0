#include "Startup.h"

#include "MessageBox.h"
#include "Settings.h"
#include "frmMain.h"

#include <QApplication>
#include <QFileInfo>
#include <cstdio>

StartupResult Main() {
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

    window->show();
    return window;
}

int RunProgram() {
    StartupResult started = Main();
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
