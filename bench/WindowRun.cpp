// veltrane-window-run: drives the real main window, as a user would, through one conversion and prints how
// long the run took, from the click on "Gen SQL" until the window shows "Done...". For bench/window-bench.sh;
// runs offscreen (QT_QPA_PLATFORM=offscreen) or on any display.
//   veltrane-window-run DATABASE [SCRIPT_TYPE]

#include "frmMain.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 2 || arguments.size() > 3) {
        std::fprintf(stderr, "usage: veltrane-window-run DATABASE [SCRIPT_TYPE]\n");
        return 64;
    }
    frmMain window; // its own reader process, as the program has
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 70;
    window.findChild<QLineEdit*>(QStringLiteral("txtPath"))->setText(arguments.at(1));
    if (arguments.size() == 3)
        window.findChild<QComboBox*>(QStringLiteral("cboSQLType"))->setEditText(arguments.at(2));

    QElapsedTimer run;
    run.start();
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("cmdGenSQL")), Qt::LeftButton);
    const double seconds = double(run.nsecsElapsed()) / 1e9;

    const QString caption = window.findChild<QLabel*>(QStringLiteral("lblOut"))->text();
    if (caption != QLatin1String("Done...")) {
        std::fprintf(stderr, "the run ended with \"%s\"\n", qPrintable(caption));
        return 65;
    }
    std::printf("%.3f %lld\n", seconds, static_cast<long long>(window.scriptText().size()));
    return 0;
}
