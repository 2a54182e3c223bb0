// veltrane-window-run: drives the real main window, as a user would, through one conversion and prints how
// long the run took, from the click on "Gen SQL" until the window shows "Done...", the length of the script,
// and how long closing the window took afterwards (settings saved, reader process ended, window gone). For
// bench/window-bench.sh; runs offscreen (QT_QPA_PLATFORM=offscreen) or on any display. The settings are saved
// into a temporary folder.
//   veltrane-window-run DATABASE [SCRIPT_TYPE]

#include "Settings.h"
#include "frmMain.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 2 || arguments.size() > 3) {
        std::fprintf(stderr, "usage: veltrane-window-run DATABASE [SCRIPT_TYPE]\n");
        return 64;
    }
    QTemporaryDir settings;
    SetSettingsFile(settings.filePath(QStringLiteral("veltrane.ini")));
    auto window = std::make_unique<frmMain>(); // its own reader process, as the program has
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        return 70;
    window->findChild<QLineEdit*>(QStringLiteral("txtPath"))->setText(arguments.at(1));
    if (arguments.size() == 3)
        window->findChild<QComboBox*>(QStringLiteral("cboSQLType"))->setEditText(arguments.at(2));

    QElapsedTimer run;
    run.start();
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("cmdGenSQL")), Qt::LeftButton);
    const double seconds = double(run.nsecsElapsed()) / 1e9;

    const QString caption = window->findChild<QLabel*>(QStringLiteral("lblOut"))->text();
    if (caption != QLatin1String("Done...")) {
        std::fprintf(stderr, "the run ended with \"%s\"\n", qPrintable(caption));
        return 65;
    }
    const long long length = window->scriptText().size();

    QElapsedTimer closing;
    closing.start();
    window->close();
    window.reset();
    const double closeSeconds = double(closing.nsecsElapsed()) / 1e9;
    std::printf("%.3f %lld %.3f\n", seconds, length, closeSeconds);
    return 0;
}
