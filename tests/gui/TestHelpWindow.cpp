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

QString besideProgram() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/help.txt");
}

// The data folder of the prefix the program would be installed in: <prefix>/bin/.. /share/veltrane.
QString prefixDataFolder() {
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/veltrane"));
}

// A help file installed on this machine means none can be missing.
bool helpFileInstalled() {
    return QFileInfo::exists(QStringLiteral(VELTRANE_INSTALLED_HELP));
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

QString pdfSource(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
}

int pdfPageCount(const QString& path) {
    return int(pdfSource(path).count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?![s\\w])"))));
}

// The distinct page sizes (MediaBox) of a PDF file, in points.
QStringList pdfPageSizes(const QString& path) {
    QStringList sizes;
    const QRegularExpression mediaBox(QStringLiteral("/MediaBox\\s*\\[\\s*([^\\]]*?)\\s*\\]"));
    for (const QRegularExpressionMatch& match : mediaBox.globalMatch(pdfSource(path))) {
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

// Stands in for the print dialog: the user "chooses" an A4 PDF printer writing to `outputFile`, or cancels
// when it is empty.
PrinterChooser pdfPrinter(const QString& outputFile, PrintRequest& request) {
    return [outputFile, &request](QWidget*, bool hasSelection) {
        ++request.calls;
        request.hasSelection = hasSelection;
        if (outputFile.isEmpty()) {
            return std::unique_ptr<QPrinter>();
        }
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

// Selects `count` whole lines from the zero-based line `first` on; a count of 0 selects nothing.
void selectLines(frmHelp* help, int first, int count) {
    QTextCursor cursor(textOf(help)->document()->findBlockByNumber(first));
    if (count > 0) {
        cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, count - 1);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    }
    textOf(help)->setTextCursor(cursor);
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
    void printsSelectionOrEverything_data();
    void printsSelectionOrEverything();
    void printedTextIsTheSelection();
    void failedPrintingIsSilent_data();
    void failedPrintingIsSilent();

private:
    QString outputPdf() const { return scratch_.filePath(QStringLiteral("out.pdf")); }

    QTemporaryDir scratch_;
    QStringList messages_;
};

void TestHelpWindow::initTestCase() {
    QVERIFY(scratch_.isValid());
    // The XDG data folders of the test are its own, so a help file installed on this machine is not found.
    qputenv("XDG_DATA_HOME", QFile::encodeName(scratch_.filePath(QStringLiteral("home-data"))));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(scratch_.filePath(QStringLiteral("data"))));
    SetMessageHookForTests([this](const QString& text) { messages_ << text; });
}

void TestHelpWindow::init() {
    messages_.clear();
}

void TestHelpWindow::cleanup() {
    QFile::remove(besideProgram());
    QDir(QFileInfo(prefixDataFolder()).absolutePath()).removeRecursively();
    QDir(scratch_.filePath(QStringLiteral("data"))).removeRecursively();
    QFile::remove(outputPdf());
}

void TestHelpWindow::findsTheHelpFile_data() {
    QTest::addColumn<QString>("helpFile"); // empty: none anywhere
    QTest::addRow("beside the program") << besideProgram();
    QTest::addRow("in the data folder of the program's prefix") << prefixDataFolder() + "/help.txt";
    QTest::addRow("in an XDG data folder only")
        << scratch_.filePath(QStringLiteral("data/veltrane/help.txt"));
    QTest::addRow("nowhere") << QString();
}

void TestHelpWindow::findsTheHelpFile() {
    QFETCH(QString, helpFile);
    const bool found = !helpFile.isEmpty();
    if (!found && helpFileInstalled()) {
        QSKIP("a help file is installed on this machine (" VELTRANE_INSTALLED_HELP
              "), so none can be missing");
    }
    const QByteArray content = "Veltrane help\nCaf\xc3\xa9 and \"quotes\" stay as they are.\n";
    QVERIFY(!found || writeFile(helpFile, content));

    frmHelp help;
    QCOMPARE(textOf(&help)->toPlainText(), found ? QString::fromUtf8(content) : QString());
    QCOMPARE(messages_, found ? QStringList() : QStringList{QStringLiteral("Help file missing")});
}

void TestHelpWindow::windowLayout() {
    QVERIFY(writeFile(besideProgram(), "help\n"));
    frmHelp help;
    QCOMPARE(help.windowTitle(), QStringLiteral("Veltrane Help"));
    QVERIFY(help.windowFlags().testFlag(Qt::Tool));
    help.show();
    QVERIFY(QTest::qWaitForWindowExposed(&help));

    // 8190 x 7215 twips of client area below the menu bar, the text box 8175 twips wide.
    const auto* menu = help.findChild<QMenuBar*>();
    QVERIFY(menu);
    QCOMPARE(textOf(&help)->geometry(), QRect(0, 0, 545, 481));
    QCOMPARE(help.size(), QSize(546, menu->height() + 481));
    QCOMPARE(help.minimumSize(), help.maximumSize());

    QStringList items;
    for (const QAction* action : menu->actions()) {
        QVERIFY2(action->menu() == nullptr, "menu items act directly");
        items << action->objectName() + QLatin1Char('=') + action->text();
    }
    QCOMPARE(items, (QStringList{QStringLiteral("mnuExit=Exit"), QStringLiteral("mnuPrint=Print")}));
}

void TestHelpWindow::showingAnOpenWindowWarnsOnlyOnce() {
    if (helpFileInstalled()) {
        QSKIP("a help file is installed on this machine (" VELTRANE_INSTALLED_HELP
              "), so none can be missing");
    }
    QPointer<frmHelp> help;
    frmHelp* first = showSingle(help, nullptr);
    QVERIFY(first->isVisible());
    QCOMPARE(messages_.size(), 1);

    QCOMPARE(showSingle(help, nullptr), first);
    QCOMPARE(messages_.size(), 1);

    first->close();
    QTRY_VERIFY(help.isNull());
    QVERIFY(showSingle(help, nullptr) != nullptr);
    QCOMPARE(messages_,
             (QStringList{QStringLiteral("Help file missing"), QStringLiteral("Help file missing")}));
    delete help;
}

// Exit unloads the Help window alone; the next show reads the file again, a show of the open window does not.
void TestHelpWindow::closedWindowReadsTheFileAgain() {
    QVERIFY(writeFile(besideProgram(), "first text"));
    QWidget owner;
    owner.show();
    QPointer<frmHelp> help;
    showSingle(help, &owner);
    QVERIFY(help->isWindow());
    QCOMPARE(textOf(help)->toPlainText(), QStringLiteral("first text"));

    QVERIFY(writeFile(besideProgram(), "second text"));
    showSingle(help, &owner);
    QCOMPARE(textOf(help)->toPlainText(), QStringLiteral("first text"));

    menuItem(help, "mnuExit")->trigger();
    QTRY_VERIFY(help.isNull());
    QVERIFY(owner.isVisible());
    showSingle(help, &owner);
    QCOMPARE(textOf(help)->toPlainText(), QStringLiteral("second text"));
    QVERIFY(messages_.isEmpty());
}

void TestHelpWindow::printsSelectionOrEverything_data() {
    QTest::addColumn<int>("selectedLines");
    QTest::addColumn<int>("fewestPages");
    QTest::addColumn<int>("mostPages");
    // 300 lines do not fit on one A4 page; one line does.
    QTest::addRow("nothing selected: everything") << 0 << 3 << 100;
    QTest::addRow("one line selected: that line") << 1 << 1 << 1;
}

void TestHelpWindow::printsSelectionOrEverything() {
    QFETCH(int, selectedLines);
    QFETCH(int, fewestPages);
    QFETCH(int, mostPages);
    QVERIFY(writeFile(besideProgram(), numberedLines(300)));
    PrintRequest request;
    frmHelp help;
    help.setPrinterChooser(pdfPrinter(outputPdf(), request));
    selectLines(&help, 149, selectedLines);

    menuItem(&help, "mnuPrint")->trigger();
    QCOMPARE(request.calls, 1);
    QCOMPARE(request.hasSelection, selectedLines > 0);
    const int pages = pdfPageCount(outputPdf());
    QVERIFY2(pages >= fewestPages && pages <= mostPages, qPrintable(QStringLiteral("pages: %1").arg(pages)));
    QCOMPARE(pdfPageSizes(outputPdf()), QStringList{QStringLiteral("0 0 595 842")}); // A4, every page
    QVERIFY(messages_.isEmpty());
}

void TestHelpWindow::printedTextIsTheSelection() {
    if (QStandardPaths::findExecutable(QStringLiteral("gs")).isEmpty()) {
        QSKIP("Ghostscript (gs) is not installed; the printed text cannot be read back");
    }
    QVERIFY(writeFile(besideProgram(), numberedLines(300)));
    PrintRequest request;
    frmHelp help;
    help.setPrinterChooser(pdfPrinter(outputPdf(), request));
    selectLines(&help, 149, 2);

    menuItem(&help, "mnuPrint")->trigger();
    const QString printed = pdfText(outputPdf());
    QVERIFY2(printed.contains(QStringLiteral("Line 150 of the help text")), qPrintable(printed));
    QVERIFY2(printed.contains(QStringLiteral("Line 151 of the help text")), qPrintable(printed));
    QVERIFY2(!printed.contains(QStringLiteral("Line 001")) && !printed.contains(QStringLiteral("Line 152")),
             qPrintable(printed));

    // Without a selection the first page starts at the first line.
    textOf(&help)->moveCursor(QTextCursor::Start);
    menuItem(&help, "mnuPrint")->trigger();
    QVERIFY(pdfText(outputPdf()).contains(QStringLiteral("Line 001 of the help text")));
}

void TestHelpWindow::failedPrintingIsSilent_data() {
    QTest::addColumn<QString>("outputFile"); // empty: the dialog is cancelled
    QTest::addRow("cancelled dialog") << QString();
    QTest::addRow("printer that cannot write") << scratch_.filePath(QStringLiteral("no-such-folder/out.pdf"));
}

void TestHelpWindow::failedPrintingIsSilent() {
    QFETCH(QString, outputFile);
    QVERIFY(writeFile(besideProgram(), numberedLines(10)));
    PrintRequest request;
    QPointer<frmHelp> help = new frmHelp;
    help->setPrinterChooser(pdfPrinter(outputFile, request));

    menuItem(help, "mnuPrint")->trigger();
    QCOMPARE(request.calls, 1);
    QVERIFY(outputFile.isEmpty() || !QFileInfo::exists(outputFile));
    QVERIFY(messages_.isEmpty());
    QVERIFY(!help.isNull());
    delete help;
}

QTEST_MAIN(TestHelpWindow)
#include "TestHelpWindow.moc"
