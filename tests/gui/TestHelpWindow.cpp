// The Help window: where it finds the help file, the message when there is none, showing it once, reading
// the file again after it was closed, and printing the selection or the whole text to a PDF file.

#include "MessageBox.h"
#include "ShowSingle.h"
#include "frmHelp.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

namespace {

enum class Place { BesideProgram, PrefixDataFolder, XdgDataFolder, Nowhere };

QString besideProgram() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/help.txt");
}

// The data folder of the prefix the program would be installed in: <prefix>/bin/.. /share/veltrane.
QString prefixDataFolder() {
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/veltrane"));
}

bool writeFile(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QByteArray numberedLines(int count) {
    QByteArray text;
    for (int i = 1; i <= count; ++i) {
        text += QStringLiteral("Line %1 of the help text\n").arg(i, 3, 10, QLatin1Char('0')).toUtf8();
    }
    return text;
}

int pdfPageCount(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return -1;
    }
    const QString pdf = QString::fromLatin1(file.readAll());
    return int(pdf.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?![s\\w])"))));
}

// The distinct page sizes (MediaBox) of a PDF file, in points.
QStringList pdfPageSizes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QStringList sizes;
    const QString pdf = QString::fromLatin1(file.readAll());
    const QRegularExpression mediaBox(QStringLiteral("/MediaBox\\s*\\[\\s*([^\\]]*?)\\s*\\]"));
    for (const QRegularExpressionMatch& match : mediaBox.globalMatch(pdf)) {
        QStringList corners;
        for (const QString& number : match.captured(1).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            corners << QString::number(qRound(number.toDouble()));
        }
        const QString size = corners.join(QLatin1Char(' '));
        if (!sizes.contains(size)) {
            sizes << size;
        }
    }
    return sizes;
}

// Ghostscript turns a PDF back into text; the tests that need it skip when it is not installed.
QString pdfText(const QString& path) {
    QProcess gs;
    gs.start(QStringLiteral("gs"),
             {QStringLiteral("-q"), QStringLiteral("-dNOPAUSE"), QStringLiteral("-dBATCH"),
              QStringLiteral("-sDEVICE=txtwrite"), QStringLiteral("-sOutputFile=-"), path});
    gs.waitForFinished(30000);
    return QString::fromUtf8(gs.readAllStandardOutput()).simplified();
}

struct PrintRequest {
    int calls = 0;
    bool hasSelection = false;
};

// Stands in for the print dialog: the user "chooses" a PDF printer writing to the given file.
PrinterChooser pdfPrinter(const QString& outputFile, PrintRequest& request) {
    return [outputFile, &request](QWidget*, bool hasSelection) {
        ++request.calls;
        request.hasSelection = hasSelection;
        auto printer = std::make_unique<QPrinter>();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(outputFile);
        printer->setPageSize(QPageSize(QPageSize::A4));
        return printer;
    };
}

QTextEdit* textOf(frmHelp* help) {
    return help->findChild<QTextEdit*>(QStringLiteral("txtHelp"));
}

QAction* menuItem(frmHelp* help, const char* name) {
    return help->findChild<QAction*>(QLatin1String(name));
}

} // namespace

class TestHelpWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void findsTheHelpFile_data();
    void findsTheHelpFile();
    void windowLayout();
    void showingAnOpenWindowWarnsOnlyOnce();
    void closedWindowReadsTheFileAgain();
    void exitClosesOnlyTheHelpWindow();
    void printsEverythingWithoutSelection();
    void printsOnlyTheSelection();
    void printedTextIsTheSelection();
    void cancelledDialogPrintsNothing();
    void failingPrinterIsSilent();

private:
    QTemporaryDir scratch;
    QStringList messages;
};

void TestHelpWindow::initTestCase() {
    QVERIFY(scratch.isValid());
    // The XDG data folders of the test are its own, so a help file installed on this machine is not found.
    qputenv("XDG_DATA_HOME", QFile::encodeName(scratch.filePath(QStringLiteral("home-data"))));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(scratch.filePath(QStringLiteral("data"))));
    SetMessageHookForTests([this](const QString& text) { messages << text; });
}

void TestHelpWindow::init() {
    messages.clear();
}

void TestHelpWindow::cleanup() {
    QFile::remove(besideProgram());
    QDir(QFileInfo(prefixDataFolder()).absolutePath()).removeRecursively();
    QDir(scratch.filePath(QStringLiteral("data"))).removeRecursively();
    QFile::remove(scratch.filePath(QStringLiteral("out.pdf")));
}

void TestHelpWindow::findsTheHelpFile_data() {
    QTest::addColumn<Place>("place");
    QTest::addColumn<bool>("found");
    QTest::addRow("beside the program") << Place::BesideProgram << true;
    QTest::addRow("in the data folder of the program's prefix") << Place::PrefixDataFolder << true;
    QTest::addRow("in an XDG data folder only") << Place::XdgDataFolder << true;
    QTest::addRow("nowhere") << Place::Nowhere << false;
}

void TestHelpWindow::findsTheHelpFile() {
    QFETCH(Place, place);
    QFETCH(bool, found);
    if (!found && QFileInfo::exists(QStringLiteral(VELTRANE_INSTALLED_HELP))) {
        QSKIP("a help file is installed on this machine (" VELTRANE_INSTALLED_HELP
              "), so none can be missing");
    }
    const QByteArray content = "Veltrane help\nCaf\xc3\xa9 and \"quotes\" stay as they are.\n";
    switch (place) {
    case Place::BesideProgram:
        QVERIFY(writeFile(besideProgram(), content));
        break;
    case Place::PrefixDataFolder:
        QVERIFY(writeFile(prefixDataFolder() + QStringLiteral("/help.txt"), content));
        break;
    case Place::XdgDataFolder:
        QVERIFY(writeFile(scratch.filePath(QStringLiteral("data/veltrane/help.txt")), content));
        break;
    case Place::Nowhere:
        break;
    }

    QPointer<frmHelp> help = new frmHelp;
    QCOMPARE(textOf(help)->toPlainText(), found ? QString::fromUtf8(content) : QString());
    QCOMPARE(messages, found ? QStringList() : QStringList{QStringLiteral("Help file missing")});
    delete help;
}

void TestHelpWindow::windowLayout() {
    QVERIFY(writeFile(besideProgram(), "help\n"));
    QPointer<frmHelp> help = new frmHelp;
    QCOMPARE(help->windowTitle(), QStringLiteral("Veltrane Help"));
    QVERIFY(help->windowFlags().testFlag(Qt::Tool));
    QVERIFY(help->testAttribute(Qt::WA_DeleteOnClose));
    help->show();
    QVERIFY(QTest::qWaitForWindowExposed(help));

    // 8190 x 7215 twips of client area below the menu bar, the text box 8175 twips wide.
    const auto* menu = help->findChild<QMenuBar*>();
    QVERIFY(menu);
    QCOMPARE(textOf(help)->geometry(), QRect(0, 0, 545, 481));
    QCOMPARE(help->size(), QSize(546, menu->height() + 481));
    QCOMPARE(help->minimumSize(), help->maximumSize());

    QStringList items;
    for (const QAction* action : menu->actions()) {
        QVERIFY2(action->menu() == nullptr, "menu items act directly");
        items << action->objectName() + QLatin1Char('=') + action->text();
    }
    QCOMPARE(items, (QStringList{QStringLiteral("mnuExit=Exit"), QStringLiteral("mnuPrint=Print")}));
    delete help;
}

void TestHelpWindow::showingAnOpenWindowWarnsOnlyOnce() {
    if (QFileInfo::exists(QStringLiteral(VELTRANE_INSTALLED_HELP))) {
        QSKIP("a help file is installed on this machine (" VELTRANE_INSTALLED_HELP
              "), so none can be missing");
    }
    QPointer<frmHelp> help;
    frmHelp* first = showSingle(help, nullptr);
    QVERIFY(first->isVisible());
    QCOMPARE(messages.size(), 1);

    QCOMPARE(showSingle(help, nullptr), first);
    QCOMPARE(messages.size(), 1);

    first->close();
    QTRY_VERIFY(help.isNull());
    QVERIFY(showSingle(help, nullptr) != nullptr);
    QCOMPARE(messages,
             (QStringList{QStringLiteral("Help file missing"), QStringLiteral("Help file missing")}));
    delete help;
}

void TestHelpWindow::closedWindowReadsTheFileAgain() {
    QVERIFY(writeFile(besideProgram(), "first text"));
    QPointer<frmHelp> help;
    showSingle(help, nullptr);
    QCOMPARE(textOf(help)->toPlainText(), QStringLiteral("first text"));

    QVERIFY(writeFile(besideProgram(), "second text"));
    showSingle(help, nullptr);
    QCOMPARE(textOf(help)->toPlainText(), QStringLiteral("first text"));

    menuItem(help, "mnuExit")->trigger();
    QTRY_VERIFY(help.isNull());
    showSingle(help, nullptr);
    QCOMPARE(textOf(help)->toPlainText(), QStringLiteral("second text"));
    QVERIFY(messages.isEmpty());
    delete help;
}

void TestHelpWindow::exitClosesOnlyTheHelpWindow() {
    QVERIFY(writeFile(besideProgram(), "help\n"));
    QWidget owner;
    owner.show();
    QPointer<frmHelp> help;
    showSingle(help, &owner);
    QVERIFY(help->isWindow());
    menuItem(help, "mnuExit")->trigger();
    QTRY_VERIFY(help.isNull());
    QVERIFY(owner.isVisible());
}

void TestHelpWindow::printsEverythingWithoutSelection() {
    QVERIFY(writeFile(besideProgram(), numberedLines(300)));
    const QString pdf = scratch.filePath(QStringLiteral("out.pdf"));
    PrintRequest request;
    QPointer<frmHelp> help = new frmHelp;
    help->setPrinterChooser(pdfPrinter(pdf, request));

    menuItem(help, "mnuPrint")->trigger();
    QCOMPARE(request.calls, 1);
    QVERIFY(!request.hasSelection);
    // 300 lines do not fit on one A4 page.
    QVERIFY2(pdfPageCount(pdf) > 2, qPrintable(QStringLiteral("pages: %1").arg(pdfPageCount(pdf))));
    QCOMPARE(pdfPageSizes(pdf), QStringList{QStringLiteral("0 0 595 842")}); // A4, every page
    QVERIFY(messages.isEmpty());
    delete help;
}

void TestHelpWindow::printsOnlyTheSelection() {
    QVERIFY(writeFile(besideProgram(), numberedLines(300)));
    const QString pdf = scratch.filePath(QStringLiteral("out.pdf"));
    PrintRequest request;
    QPointer<frmHelp> help = new frmHelp;
    help->setPrinterChooser(pdfPrinter(pdf, request));
    QTextCursor cursor(textOf(help)->document()->findBlockByNumber(149));
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    textOf(help)->setTextCursor(cursor);

    menuItem(help, "mnuPrint")->trigger();
    QCOMPARE(request.calls, 1);
    QVERIFY(request.hasSelection);
    QCOMPARE(pdfPageCount(pdf), 1);
    QVERIFY(messages.isEmpty());
    delete help;
}

void TestHelpWindow::printedTextIsTheSelection() {
    if (QStandardPaths::findExecutable(QStringLiteral("gs")).isEmpty()) {
        QSKIP("Ghostscript (gs) is not installed; the printed text cannot be read back");
    }
    QVERIFY(writeFile(besideProgram(), numberedLines(300)));
    const QString pdf = scratch.filePath(QStringLiteral("out.pdf"));
    PrintRequest request;
    QPointer<frmHelp> help = new frmHelp;
    help->setPrinterChooser(pdfPrinter(pdf, request));
    QTextCursor cursor(textOf(help)->document()->findBlockByNumber(149));
    cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    textOf(help)->setTextCursor(cursor);

    menuItem(help, "mnuPrint")->trigger();
    const QString printed = pdfText(pdf);
    QVERIFY2(printed.contains(QStringLiteral("Line 150 of the help text")), qPrintable(printed));
    QVERIFY2(printed.contains(QStringLiteral("Line 151 of the help text")), qPrintable(printed));
    QVERIFY2(!printed.contains(QStringLiteral("Line 001")) && !printed.contains(QStringLiteral("Line 152")),
             qPrintable(printed));

    // Without a selection the first page starts at the first line.
    textOf(help)->moveCursor(QTextCursor::Start);
    menuItem(help, "mnuPrint")->trigger();
    QVERIFY(pdfText(pdf).contains(QStringLiteral("Line 001 of the help text")));
    delete help;
}

void TestHelpWindow::cancelledDialogPrintsNothing() {
    QVERIFY(writeFile(besideProgram(), "help\n"));
    int calls = 0;
    QPointer<frmHelp> help = new frmHelp;
    help->setPrinterChooser([&calls](QWidget*, bool) {
        ++calls;
        return std::unique_ptr<QPrinter>();
    });
    menuItem(help, "mnuPrint")->trigger();
    QCOMPARE(calls, 1);
    QVERIFY(messages.isEmpty());
    delete help;
}

void TestHelpWindow::failingPrinterIsSilent() {
    QVERIFY(writeFile(besideProgram(), numberedLines(10)));
    const QString unwritable = scratch.filePath(QStringLiteral("no-such-folder/out.pdf"));
    PrintRequest request;
    QPointer<frmHelp> help = new frmHelp;
    help->setPrinterChooser(pdfPrinter(unwritable, request));

    menuItem(help, "mnuPrint")->trigger();
    QCOMPARE(request.calls, 1);
    QVERIFY(!QFileInfo::exists(unwritable));
    QVERIFY(messages.isEmpty());
    QVERIFY(!help.isNull());
    delete help;
}

QTEST_MAIN(TestHelpWindow)
#include "TestHelpWindow.moc"
