// The main window driven through its controls, found by their names as a user would find them by caption.

#include "ConversionRun.h"
#include "FakeSchemaReader.h"
#include "FileTestHelpers.h"
#include "IniFile.h"
#include "LiveConnection.h"
#include "MessageBox.h"
#include "MigrateDialog.h"
#include "ReaderProcess.h"
#include "RecordingWindow.h"
#include "RowsReader.h"
#include "Settings.h"
#include "frmAbout.h"
#include "frmHelp.h"
#include "frmMain.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCompleter>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

namespace {

const QString noDatabaseMessage = QStringLiteral("You must select a DB first. Exiting...");
const QString wrongFormatMessage =
    QStringLiteral("This DB doesn't appear to be the correct format. Exiting...");

template <typename T = QWidget> T* control(const frmMain& window, const char* name) {
    T* found = window.findChild<T*>(QLatin1String(name));
    if (found == nullptr) {
        qFatal("no control named %s", name);
    }
    return found;
}

QAction* menuItem(const frmMain& window, const char* name) {
    return control<QAction>(window, name);
}

// A reader with two tables (one of them a system table) and an index, enough for every part of a script.
FakeSchemaReader twoTableReader() {
    FakeSchemaReader reader;
    reader.tables =
        names({QStringLiteral("Customer Orders"), QStringLiteral("MSysObjects"), QStringLiteral("Parts")});
    reader.fields[QStringLiteral("Customer Orders")] =
        FieldTable({field(QStringLiteral("ID"), 4, QStringLiteral("4"), QStringLiteral("False"), 49),
                    field(QStringLiteral("Ship To"), 10, QStringLiteral("50"), QStringLiteral("True"), 2)});
    reader.fields[QStringLiteral("Parts")] = FieldTable({field(QStringLiteral("Part No"), 4)});
    reader.indexes[QStringLiteral("Parts")] = names({QStringLiteral("PrimaryKey")});
    return reader;
}

// The values the settings file holds for `keys`, in their order.
QStringList storedValues(const QStringList& keys) {
    QStringList values;
    for (const QString& key : keys) {
        values << ReadIniValue(SettingsFile(), QStringLiteral("Options"), key, QStringLiteral("<missing>"));
    }
    return values;
}

const QStringList permissionControls{"chkSel", "chkIns", "chkDel", "chkUp", "txtUserNames"};

// The names of the enabled controls among those the permission rule enables and disables.
QStringList enabledPermissionControls(const frmMain& window) {
    QStringList enabled;
    for (const QString& name : permissionControls) {
        if (control(window, qPrintable(name))->isEnabled()) {
            enabled << name;
        }
    }
    return enabled;
}

QStringList menuEntries(const frmMain& window, const char* menu) {
    QStringList entries;
    for (QAction* item : control<QMenu>(window, menu)->actions()) {
        entries << (item->objectName() + QLatin1Char(':') + item->text());
    }
    return entries;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

public slots:
    // Where QDesktopServices::openUrl sends a file's address during the tests, in place of a browser.
    void openedInBrowser(const QUrl& url) { browsed << url; }

private:
    QList<QUrl> browsed;

private slots:
    void initTestCase();
    void init();
    void migrateToServer();
    void migrationKeepsKeysWhateverTheClassicBoxes();

    void controls_data();
    void controls();
    void fixedClientArea();
    void captionsAreNotCutOffOrOverlapping();
    void tabOrderAndStartFocus();
    void menu();
    void assessmentReportOpensInTheBrowser();

    void buttonAndMenuGiveTheSameScript();
    void fixtureFromButtonAndMenu_data();
    void fixtureFromButtonAndMenu();
    void scriptBoxHoldsExactlyWhatWasWritten();
    void progressLabelFollowsItsCaption();

    void permissionRuleAfterLoad_data();
    void permissionRuleAfterLoad();
    void clicksToggleBetweenCheckedAndUnchecked();
    void runUnchecksCreatePermissionsWhenNoUsers();
    void messagesForBadFile();
    void messagesForBadFileFromReaderProcess();
    void messageAfterPartlyReadFile();
    void exportVbaCode();
    void optionsReadFromControls_data();
    void optionsReadFromControls();

    void browseAndCancel();
    void browseStartsInTheFolderOfThePathInTheBox();
    void settingsSavedOnEveryWayOfClosing_data();
    void settingsSavedOnEveryWayOfClosing();
    void closingEndsTheOtherWindows();
    void closeDuringARunEndsIt();
    void inputDuringARunIsDropped();
    void messageDuringARunCanBeAnswered();
    void scriptTypeStaysAsTyped_data();
    void scriptTypeStaysAsTyped();
    void tabLeavesTheScriptBox();
    void keyboard();
    void saveScriptAs();
    void saveScriptAsToAPlaceThatCannotBeWritten_data();
    void saveScriptAsToAPlaceThatCannotBeWritten();
    void saveScriptWithData();
    void encryptedFileAsksForItsPassword_data();
    void encryptedFileAsksForItsPassword();
    void encryptedFileSavedWithData();
    void droppedFileGoesIntoThePathBox_data();
    void droppedFileGoesIntoThePathBox();

private:
    QTemporaryDir folder_;
    QStringList messages_;
};

void TestMainWindow::initTestCase() {
    QVERIFY(folder_.isValid());
    SetMessageHookForTests([this](const QString& text) { messages_ << text; });
}

void TestMainWindow::init() {
    messages_.clear();
    QFile::remove(folder_.filePath(QStringLiteral("main.ini")));
    SetSettingsFile(folder_.filePath(QStringLiteral("main.ini")));
}

void TestMainWindow::controls_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("parent");

    const auto row = [](const char* name, const char* caption, const char* parent) {
        QTest::newRow(name) << QString(name) << QString(caption) << QString(parent);
    };
    row("Label3", "Veltrane Script generator", "client");
    row("Frame1", "General Options", "client");
    row("optStrip", "Strip Spaces From Field Names", "Frame1");
    row("optChange", "Change Spaces to Underscores", "Frame1");
    row("chkStripIll", "Modify Illeal Charaters In Field Names", "Frame1");
    row("chkCreatePK", "Create Constraint For Primary Key", "Frame1");
    row("chkIndex", "Create Indexes On Fields", "Frame1");
    row("chkGO", "Create GO Statement", "Frame1");
    row("chkMS", "Include MS Tables", "Frame1");
    row("cboSQLType", "Access SQL", "Frame1");
    row("Label4", "Out Script Type", "Frame1");
    row("Frame2", "Security Options", "client");
    row("chkCrePer", "Create Permissions", "Frame2");
    row("chkSel", "SELECT", "Frame2");
    row("chkIns", "INSERT", "Frame2");
    row("chkDel", "DELETE", "Frame2");
    row("chkUp", "UPDATE", "Frame2");
    row("Label1", "Users", "Frame2");
    row("txtUserNames", "", "Frame2");
    row("cmdGenSQL", "Gen SQL", "client");
    row("cmdExit", "Exit", "client");
    row("Label2", "Access DB", "client");
    row("txtPath", "", "client");
    row("cmdBrowse", "...", "client");
    row("lblOut", "", "client");
    row("txtSQL", "", "client");
}

void TestMainWindow::controls() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, parent);

    frmMain window;
    QWidget* widget = window.findChild<QWidget*>(name);
    QVERIFY2(widget != nullptr, qPrintable(name));
    QCOMPARE(widget->parentWidget()->objectName(), parent);
    QString text;
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        text = button->text();
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        text = label->text();
    } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
        text = frame->title();
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        text = combo->currentText();
    } else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        text = line->text();
    } else if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) {
        text = box->toPlainText();
    }
    QCOMPARE(text, caption);
}

void TestMainWindow::fixedClientArea() {
    frmMain window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(control(window, "client")->size(), QSize(555, 562));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QVERIFY(!(window.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(!(window.windowFlags() & Qt::WindowMinimizeButtonHint));
    QCOMPARE(window.windowTitle(), QStringLiteral("Veltrane"));

    // Positions in twips at 15 to the pixel.
    QCOMPARE(control(window, "Frame1")->geometry(), QRect(8, 32, 265, 177));
    QCOMPARE(control(window, "Frame2")->geometry(), QRect(280, 32, 265, 145));
    QCOMPARE(control(window, "cmdGenSQL")->geometry(), QRect(296, 184, 105, 25));
    QCOMPARE(control(window, "txtPath")->geometry(), QRect(8, 232, 505, 19));
    QCOMPARE(control(window, "txtSQL")->geometry(), QRect(8, 280, 537, 273));
    QCOMPARE(control(window, "lblOut")->pos(), QPoint(8, 264));

    auto* combo = control<QComboBox>(window, "cboSQLType");
    QVERIFY(combo->isEditable());
    const QStringList types{"Access SQL", "T-SQL", "SQL Server", "PostgreSQL", "MySQL", "SQLite"};
    QCOMPARE(combo->count(), int(types.size()));
    for (int i = 0; i < combo->count(); ++i)
        QCOMPARE(combo->itemText(i), types[i]);
    auto* script = control<QPlainTextEdit>(window, "txtSQL");
    QCOMPARE(script->lineWrapMode(), QPlainTextEdit::NoWrap);
    QCOMPARE(script->font().pointSize(), 9);
    const QFontMetrics metrics(script->font());
    QCOMPARE(metrics.horizontalAdvance(QLatin1Char('i')), metrics.horizontalAdvance(QLatin1Char('W')));
    QCOMPARE(control(window, "Label3")->font().pointSizeF(), 13.5);
    QVERIFY(control(window, "Label3")->font().bold());
}

void TestMainWindow::captionsAreNotCutOffOrOverlapping() {
    frmMain window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QList<QWidget*> all = window.findChildren<QWidget*>();
    QList<QWidget*> placed;
    for (QWidget* widget : all) {
        const QString name = widget->objectName();
        if (name.isEmpty() || name == QLatin1String("client") || !widget->isVisible() ||
            widget->parentWidget() == nullptr || widget->parentWidget()->objectName().isEmpty()) {
            continue;
        }
        placed << widget;
        // A push button asks for more room than its caption needs; the caption itself must fit.
        if (auto* button = qobject_cast<QPushButton*>(widget)) {
            QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) + 8 <= button->width(),
                     qPrintable(name + QStringLiteral(" is cut off")));
        } else if (qobject_cast<QAbstractButton*>(widget) || qobject_cast<QLabel*>(widget)) {
            QVERIFY2(widget->sizeHint().width() <= widget->width(),
                     qPrintable(name + QStringLiteral(" is cut off")));
        }
        QVERIFY2(widget->parentWidget()->rect().contains(widget->geometry()),
                 qPrintable(name + QStringLiteral(" sticks out of ") + widget->parentWidget()->objectName()));
    }
    for (QWidget* one : placed) {
        for (QWidget* other : placed) {
            // The layout itself lets two option rows share one pixel line.
            if (one != other && one->parentWidget() == other->parentWidget()) {
                const QRect shared = one->geometry().intersected(other->geometry());
                QVERIFY2(shared.isEmpty() || shared.height() <= 1,
                         qPrintable(one->objectName() + QStringLiteral(" overlaps ") + other->objectName()));
            }
        }
    }
}

void TestMainWindow::tabOrderAndStartFocus() {
    frmMain window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCOMPARE(QApplication::focusWidget(), control(window, "cmdGenSQL"));

    const QStringList expected = {"cmdGenSQL",   "txtSQL",   "optStrip",   "optChange",    "chkCreatePK",
                                  "chkStripIll", "chkIndex", "chkGO",      "txtUserNames", "chkUp",
                                  "chkDel",      "chkIns",   "chkSel",     "chkCrePer",    "cmdExit",
                                  "cmdBrowse",   "txtPath",  "cboSQLType", "chkMS"};
    QStringList order;
    QWidget* widget = control(window, "cmdGenSQL");
    do {
        if (expected.contains(widget->objectName()) && !order.contains(widget->objectName())) {
            order << widget->objectName();
        }
        widget = widget->nextInFocusChain();
    } while (widget != control(window, "cmdGenSQL"));
    QCOMPARE(order, expected);
}

// File > "Assessment Report..." writes the report of the database in the path box to the temporary folder
// and hands its address to the browser.
void TestMainWindow::assessmentReportOpensInTheBrowser() {
    REQUIRE_FIXTURES();
    QTemporaryDir temporary;
    const QByteArray savedTmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", temporary.path().toLocal8Bit());
    QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "openedInBrowser");
    browsed.clear();
    frmMain window;
    control<QLineEdit>(window, "txtPath")->setText(QStringLiteral(VELTRANE_FIXTURES_DIR "/testV2007.accdb"));
    menuItem(window, "mnuAssess")->trigger();
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    qputenv("TMPDIR", savedTmp);
    const QString report = temporary.filePath("testV2007-assessment.html");
    QCOMPARE(browsed, QList<QUrl>({QUrl::fromLocalFile(report)}));
    QFile page(report);
    QVERIFY(page.open(QIODevice::ReadOnly));
    const QByteArray html = page.readAll();
    QVERIFY2(html.contains("<h1>Assessment of 1 Access database</h1>"), html.constData());
    QVERIFY2(html.contains("<tr><td>Table1</td><td><div class=\"cell\">"), html.constData());
}

void TestMainWindow::menu() {
    frmMain window;
    // The captions are the same words; the underlined letter opens the menu with Alt.
    QCOMPARE(control<QMenu>(window, "mnuFile")->title(), QStringLiteral("&File"));
    QCOMPARE(control<QMenu>(window, "mnuHe")->title(), QStringLiteral("&Help"));
    QCOMPARE(menuEntries(window, "mnuFile"),
             QStringList({"mnuGen:Generat SQL", "mnuSaveAs:Save Script As...",
                          "mnuSaveWithData:Save Script with Data As...", "mnuMigrate:Migrate to Server...",
                          "mnuExportCode:Export VBA Code...", "mnuAssess:Assessment Report...",
                          "mnuln1:", "mnuExit:Exit"}));
    QVERIFY(menuItem(window, "mnuln1")->isSeparator());
    QCOMPARE(menuEntries(window, "mnuHe"),
             QStringList({"mnuHelp:Help With Veltrane", "mnuAbout:About Veltrane"}));
    QCOMPARE(menuItem(window, "mnuSaveAs")->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    QCOMPARE(menuItem(window, "mnuHelp")->shortcut(), QKeySequence(QStringLiteral("F1")));
    QCOMPARE(menuItem(window, "mnuExit")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
    QCOMPARE(menuItem(window, "mnuGen")->shortcut(), QKeySequence());
}

void TestMainWindow::buttonAndMenuGiveTheSameScript() {
    FakeSchemaReader reader = twoTableReader();
    frmMain window(&reader);
    window.show();
    control<QLineEdit>(window, "txtPath")->setText(QStringLiteral("c:\\data\\shop.mdb"));
    control<QComboBox>(window, "cboSQLType")->setEditText(QStringLiteral("T-SQL"));

    QTest::mouseClick(control(window, "cmdGenSQL"), Qt::LeftButton);
    const QString fromButton = window.scriptText();
    QVERIFY(fromButton.startsWith(QStringLiteral("RESULTS: \r\n")));
    QVERIFY(fromButton.contains(QStringLiteral("Database ~ C:\\DATA\\SHOP.MDB\r\nTables   ~ 2\r\n")));
    QCOMPARE(control<QLabel>(window, "lblOut")->text(), QStringLiteral("Done..."));

    control<QPlainTextEdit>(window, "txtSQL")->setPlainText(QStringLiteral("typed over"));
    menuItem(window, "mnuGen")->trigger();
    QCOMPARE(window.scriptText(), fromButton);
    QVERIFY(messages_.isEmpty());

    // The box shows that script line for line.
    QCOMPARE(control<QPlainTextEdit>(window, "txtSQL")->toPlainText(),
             QString(fromButton).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void TestMainWindow::fixtureFromButtonAndMenu_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("scriptType");
    for (const char* file : {"testV1997.mdb", "testV2007.accdb"}) {
        for (const char* type : {"Access SQL", "T-SQL"}) {
            QTest::addRow("%s, %s", file, type) << QString::fromLatin1(file) << QString::fromLatin1(type);
        }
    }
}

// The window's script is exactly what the run writes through the window operations, whichever way it starts.
void TestMainWindow::fixtureFromButtonAndMenu() {
    QFETCH(QString, file);
    QFETCH(QString, scriptType);
    REQUIRE_FIXTURES();
    const QString path = QStringLiteral(VELTRANE_FIXTURES_DIR "/") + file;

    ReaderProcess reader;
    RecordingWindow plain;
    frmMain window(&reader);
    plain.options = window.readOptions();
    plain.options.DatabasePath = path;
    plain.options.ScriptType = scriptType;
    cmdGenSQL_Click(plain, reader);
    QVERIFY(plain.messages.isEmpty());

    control<QLineEdit>(window, "txtPath")->setText(path);
    control<QComboBox>(window, "cboSQLType")->setEditText(scriptType);
    QTest::mouseClick(control(window, "cmdGenSQL"), Qt::LeftButton);
    QCOMPARE(window.scriptText(), plain.script);
    menuItem(window, "mnuGen")->trigger();
    QCOMPARE(window.scriptText(), plain.script);
    QVERIFY(window.scriptText().contains(QStringLiteral("Tables   ~ 4\r\n")));
    QVERIFY(messages_.isEmpty());
}

void TestMainWindow::scriptBoxHoldsExactlyWhatWasWritten() {
    frmMain window;
    auto* box = control<QPlainTextEdit>(window, "txtSQL");
    window.setScriptText(QString());
    // Pieces that split lines anywhere, as the writers' appends do.
    const QStringList pieces = {"CREATE TABLE A (\r\n", "   B INT", " NOT NULL\r\n);\r\n", "\r\n\r\n", "x"};
    for (const QString& piece : pieces) {
        window.appendScript(piece);
    }
    const QString written = pieces.join(QString());
    QCOMPARE(window.scriptText(), written);
    const QString header = QStringLiteral("RESULTS: \r\n\r\n");
    window.setScriptText(header + window.scriptText());
    QCOMPARE(window.scriptText(), header + written);
    QCOMPARE(box->toPlainText(),
             QString(header + written).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));

    window.setScriptText(QStringLiteral("short"));
    QCOMPARE(box->toPlainText(), QStringLiteral("short"));

    // Once edited by hand, the box itself is the script, with the system's line breaks.
    box->setFocus();
    box->moveCursor(QTextCursor::End);
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClicks(box, QStringLiteral("GO"));
    QCOMPARE(window.scriptText(), QStringLiteral("short\r\nGO"));
    window.appendScript(QStringLiteral("\r\n"));
    QCOMPARE(window.scriptText(), QStringLiteral("short\r\nGO\r\n"));
}

void TestMainWindow::progressLabelFollowsItsCaption() {
    frmMain window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* label = control<QLabel>(window, "lblOut");
    window.setProgress(QStringLiteral("Building SQL Script for table A very long table name indeed"));
    QVERIFY(label->width() >= label->sizeHint().width());
    const int wide = label->width();
    window.setProgress(QStringLiteral("Done..."));
    QCOMPARE(label->text(), QStringLiteral("Done..."));
    QVERIFY(label->width() < wide);
    QCOMPARE(label->pos(), QPoint(8, 264));
}

void TestMainWindow::permissionRuleAfterLoad_data() {
    QTest::addColumn<int>("stored");
    QTest::addColumn<bool>("enabled");
    // A stored 0 is no change from the window's own unchecked box, whose rule ran when the window was made.
    QTest::addRow("0 unchecked") << 0 << false;
    QTest::addRow("1 checked") << 1 << true;
    QTest::addRow("2 grayed") << 2 << false;
}

void TestMainWindow::permissionRuleAfterLoad() {
    QFETCH(int, stored);
    QFETCH(bool, enabled);
    QFile file(SettingsFile());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(
        QStringLiteral("[Options]\nchkcreper=%1\nchksel=0\nchkins=1\nchkdel=2\nchkup=1\ntxtusers=dbo\n")
            .arg(stored)
            .toUtf8());
    file.close();

    frmMain window;
    LoadSettings(window);
    QCOMPARE(window.check(StoredCheck::chkCrePer), static_cast<CheckState>(stored));
    QCOMPARE(enabledPermissionControls(window), enabled ? permissionControls : QStringList());
    // The rule changes no state of the boxes it enables or disables.
    QCOMPARE(window.check(StoredCheck::chkSel), CheckState::Unchecked);
    QCOMPARE(window.check(StoredCheck::chkDel), CheckState::Grayed);
    QCOMPARE(window.userNames(), QStringLiteral("dbo"));
}

void TestMainWindow::clicksToggleBetweenCheckedAndUnchecked() {
    frmMain window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* box = control<QCheckBox>(window, "chkCrePer");
    QTest::mouseClick(box, Qt::LeftButton);
    QCOMPARE(window.check(StoredCheck::chkCrePer), CheckState::Checked);
    QCOMPARE(enabledPermissionControls(window), permissionControls);
    QTest::mouseClick(box, Qt::LeftButton);
    QCOMPARE(window.check(StoredCheck::chkCrePer), CheckState::Unchecked);
    QCOMPARE(enabledPermissionControls(window), QStringList());
    // A grayed box is not checked, so a click checks it; no click ever grays a box.
    window.setCheck(StoredCheck::chkGO, CheckState::Grayed);
    for (CheckState expected : {CheckState::Checked, CheckState::Unchecked, CheckState::Checked}) {
        QTest::mouseClick(control(window, "chkGO"), Qt::LeftButton);
        QCOMPARE(window.check(StoredCheck::chkGO), expected);
    }
}

// Blank users and a blank path: the run unchecks chkCrePer, then stops at the path before any progress.
void TestMainWindow::runUnchecksCreatePermissionsWhenNoUsers() {
    FakeSchemaReader reader = twoTableReader();
    frmMain window(&reader);
    window.show();
    window.setCheck(StoredCheck::chkCrePer, CheckState::Checked);
    control<QLineEdit>(window, "txtUserNames")->setText(QStringLiteral("   "));
    control<QLineEdit>(window, "txtPath")->setText(QStringLiteral("   "));

    QTest::mouseClick(control(window, "cmdGenSQL"), Qt::LeftButton);
    QCOMPARE(window.check(StoredCheck::chkCrePer), CheckState::Unchecked);
    QCOMPARE(enabledPermissionControls(window), QStringList());
    QCOMPARE(window.userNames(), QStringLiteral("   "));
    QCOMPARE(messages_, QStringList{noDatabaseMessage});
    QCOMPARE(window.scriptText(), QString());
    QCOMPARE(control<QLabel>(window, "lblOut")->text(), QString());
}

void TestMainWindow::messagesForBadFile() {
    FakeSchemaReader reader;
    reader.tables = ReadFailure{3343, QStringLiteral("Unrecognized database format 'x.mdb'.")};
    frmMain window(&reader);
    window.setScriptText(QStringLiteral("left from before"));
    control<QLineEdit>(window, "txtPath")->setText(QStringLiteral("x.mdb"));
    QTest::mouseClick(control(window, "cmdGenSQL"), Qt::LeftButton);
    QCOMPARE(messages_, QStringList({QStringLiteral("3343  Unrecognized database format 'x.mdb'."),
                                     wrongFormatMessage}));
    QCOMPARE(control<QLabel>(window, "lblOut")->text(), QStringLiteral("Getting Tables"));
    QCOMPARE(control<QPlainTextEdit>(window, "txtSQL")->toPlainText(), QString());
}

void TestMainWindow::messagesForBadFileFromReaderProcess() {
    frmMain window; // the window's own engine
    control<QLineEdit>(window, "txtPath")
        ->setText(QStringLiteral(VELTRANE_TEST_DATA_DIR "/not-a-database.txt"));
    QTest::mouseClick(control(window, "cmdGenSQL"), Qt::LeftButton);
    QCOMPARE(messages_.size(), 2);
    QCOMPARE(messages_.last(), wrongFormatMessage);
    QCOMPARE(window.scriptText(), QString());
}

// File > Export VBA Code... asks for a folder, starting beside the database, and writes the modules and
// objects.txt there with the window's own reader process; a database without code says so.
void TestMainWindow::exportVbaCode() {
    REQUIRE_FIXTURES();
    const QString path =
        unpackRealWorld(QStringLiteral("statdata__Northwind-Databse__Northwind.mdb"), folder_.path());
    QVERIFY(!path.isEmpty());
    frmMain window;
    QString offered;
    const QString code = folder_.filePath(QStringLiteral("code"));
    window.setFolderDialog([&](QWidget*, const QString& start) {
        offered = start;
        return code;
    });
    control<QLineEdit>(window, "txtPath")->setText(path);
    menuItem(window, "mnuExportCode")->trigger();
    QCOMPARE(offered, QFileInfo(path).absolutePath());
    QCOMPARE(messages_, QStringList{QStringLiteral("1 module and objects.txt written to ") + code});
    QVERIFY(QFile::exists(code + QStringLiteral("/objects.txt")));
    QVERIFY(menuItem(window, "mnuExportCode")->isEnabled());
}

// A truncated copy of a real file, read table by table: the script is shown, then one message names the
// tables that could not be read.
void TestMainWindow::messageAfterPartlyReadFile() {
    REQUIRE_FIXTURES();
    QFile in(QStringLiteral(VELTRANE_FIXTURES_DIR "/testV2007.accdb"));
    QVERIFY(in.open(QIODevice::ReadOnly));
    const QByteArray bytes = in.readAll();
    QFile out(folder_.filePath(QStringLiteral("truncated.accdb")));
    QVERIFY(out.open(QIODevice::WriteOnly));
    QVERIFY(out.write(bytes.left(bytes.size() * 7 / 10)) > 0);
    out.close();

    frmMain window; // the window's own engine, one request per table
    control<QLineEdit>(window, "txtPath")->setText(out.fileName());
    QTest::mouseClick(control(window, "cmdGenSQL"), Qt::LeftButton);
    QCOMPARE(messages_,
             QStringList{QStringLiteral("The script is incomplete: 2 of the tables could not be read, "
                                        "the file may be damaged: Table3, Table4.")});
    QCOMPARE(control<QLabel>(window, "lblOut")->text(), QStringLiteral("Done..."));
    QVERIFY(window.scriptText().contains(
        QStringLiteral("CREATE TABLE Table4 (\r\n     -- fields could not be read")));
}

void TestMainWindow::optionsReadFromControls_data() {
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("includeSystemTables");
    QTest::addColumn<bool>("createGo");
    QTest::addRow("unchecked") << 0 << false << false;
    QTest::addRow("checked") << 1 << true << true;
    // Grayed counts as on only for the system-tables box.
    QTest::addRow("grayed") << 2 << true << false;
}

void TestMainWindow::optionsReadFromControls() {
    QFETCH(int, state);
    QFETCH(bool, includeSystemTables);
    QFETCH(bool, createGo);
    frmMain window;
    window.setCheck(StoredCheck::chkMS, static_cast<CheckState>(state));
    window.setCheck(StoredCheck::chkGO, static_cast<CheckState>(state));
    window.setCheck(StoredCheck::chkCrePer, static_cast<CheckState>(state));
    const ConversionOptions options = window.readOptions();
    QCOMPARE(options.IncludeSystemTables, includeSystemTables);
    QCOMPARE(options.CreateGo, createGo);
    QCOMPARE(options.CreatePermissions, createGo);
}

void TestMainWindow::browseAndCancel() {
    frmMain window;
    QStringList answers; // what the dialog answers, in turn; empty for a cancel
    QStringList offered; // where each dialog started
    window.setOpenFileDialog([&](QWidget*, const QString& startAt) {
        offered << startAt;
        return answers.takeFirst();
    });
    auto* path = control<QLineEdit>(window, "txtPath");
    auto* browse = control(window, "cmdBrowse");
    path->setText(QStringLiteral("typed.mdb"));

    answers = {QString(), QStringLiteral("/no-such-folder/first.mdb"), QString(),
               QStringLiteral("/no-such-folder/second.accdb")};
    QTest::mouseClick(browse, Qt::LeftButton);
    QCOMPARE(messages_, QStringList{QStringLiteral("No file selected")});
    QCOMPARE(path->text(), QStringLiteral("typed.mdb"));

    QTest::mouseClick(browse, Qt::LeftButton);
    QCOMPARE(path->text(), QStringLiteral("/no-such-folder/first.mdb"));

    path->setText(QStringLiteral("edited by hand"));
    QTest::mouseClick(browse, Qt::LeftButton);
    QCOMPARE(path->text(), QStringLiteral("/no-such-folder/first.mdb"));

    QTest::mouseClick(browse, Qt::LeftButton);
    QCOMPARE(path->text(), QStringLiteral("/no-such-folder/second.accdb"));
    QCOMPARE(messages_.size(), 1);
    // The dialog starts at the path in the box while its folder exists, else at the file chosen last.
    const QDir here = QDir::current();
    QCOMPARE(offered, QStringList({here.absoluteFilePath("typed.mdb"), here.absoluteFilePath("typed.mdb"),
                                   here.absoluteFilePath("edited by hand"), "/no-such-folder/first.mdb"}));
}

void TestMainWindow::browseStartsInTheFolderOfThePathInTheBox() {
    frmMain window;
    QString startedAt;
    window.setOpenFileDialog([&](QWidget*, const QString& startAt) {
        startedAt = startAt;
        return QString();
    });
    auto* path = control<QLineEdit>(window, "txtPath");
    path->setText(folder_.filePath(QStringLiteral("not yet there.mdb")));
    QTest::mouseClick(control(window, "cmdBrowse"), Qt::LeftButton);
    QCOMPARE(startedAt, folder_.filePath(QStringLiteral("not yet there.mdb")));
    path->setText(folder_.path());
    QTest::mouseClick(control(window, "cmdBrowse"), Qt::LeftButton);
    QCOMPARE(startedAt, folder_.path());
}

void TestMainWindow::settingsSavedOnEveryWayOfClosing_data() {
    QTest::addColumn<QString>("way");
    QTest::addRow("Exit button") << "cmdExit";
    QTest::addRow("File menu Exit") << "mnuExit";
    QTest::addRow("close box") << "close";
}

void TestMainWindow::settingsSavedOnEveryWayOfClosing() {
    QFETCH(QString, way);
    frmMain window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy unloaded(&window, &frmMain::unloaded);
    QTest::mouseClick(control(window, "optStrip"), Qt::LeftButton);
    QTest::mouseClick(control(window, "chkGO"), Qt::LeftButton);
    window.setCheck(StoredCheck::chkMS, CheckState::Grayed);
    control<QLineEdit>(window, "txtPath")->setText(QStringLiteral("  /data/shop.mdb "));

    if (way == QLatin1String("cmdExit")) {
        QTest::mouseClick(control(window, "cmdExit"), Qt::LeftButton);
    } else if (way == QLatin1String("mnuExit")) {
        menuItem(window, "mnuExit")->trigger();
    } else {
        // What the window system sends for a click on the close box.
        QCloseEvent event;
        QApplication::sendEvent(window.windowHandle(), &event);
    }
    QCOMPARE(unloaded.count(), 1);
    QVERIFY(!window.isVisible());
    QCOMPARE(storedValues({"optstrip", "optchange", "chkgo", "chkms", "chkstripill", "path"}),
             QStringList({"True", "False", "1", "2", "1", "/data/shop.mdb"}));
}

void TestMainWindow::closingEndsTheOtherWindows() {
    frmMain window;
    window.show();
    menuItem(window, "mnuAbout")->trigger();
    menuItem(window, "mnuAbout")->trigger();
    QCOMPARE(window.findChildren<frmAbout*>().size(), 1);
    QPointer<frmAbout> about = window.findChild<frmAbout*>();
    QVERIFY(about->isVisible());
    QTest::mouseClick(control(window, "cmdExit"), Qt::LeftButton);
    QVERIFY(about.isNull() || !about->isVisible());
}

// A close request during a run (the window system's, while the run lets the window paint) ends the run
// before its next table, and the window closes at once, saving the settings as any close does.
void TestMainWindow::closeDuringARunEndsIt() {
    class ClosingReader : public FakeSchemaReader {
    public:
        QWidget* window = nullptr;
        FieldTable GetTableFields(const QString& path, const QString& table) override {
            QCloseEvent event;
            QApplication::sendEvent(window->windowHandle(), &event);
            return FakeSchemaReader::GetTableFields(path, table);
        }
    };
    ClosingReader reader;
    static_cast<FakeSchemaReader&>(reader) = twoTableReader();
    frmMain window(&reader);
    reader.window = &window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy unloaded(&window, &frmMain::unloaded);
    control<QLineEdit>(window, "txtPath")->setText(QStringLiteral("shop.mdb"));
    QTest::mouseClick(control(window, "cmdGenSQL"), Qt::LeftButton);
    QCOMPARE(reader.fieldRequests, QStringList{"Customer Orders"});
    QVERIFY(!window.scriptText().contains(QStringLiteral("RESULTS")));
    QCOMPARE(unloaded.count(), 1);
    QVERIFY(!window.isVisible());
    QCOMPARE(storedValues({"path"}), QStringList{"shop.mdb"});
}

// Clicks and keys that reach the window during a run are dropped, not replayed after it: the options stay
// as the run read them, no second run starts, nothing is typed into the boxes.
void TestMainWindow::inputDuringARunIsDropped() {
    class BusyReader : public FakeSchemaReader {
    public:
        frmMain* window = nullptr;
        QStringList enabledDuringRun;
        FieldTable GetTableFields(const QString& path, const QString& table) override {
            if (fieldRequests.isEmpty()) {
                for (const char* name : {"cmdGenSQL", "chkGO", "txtPath"}) {
                    if (control(*window, name)->isEnabled()) {
                        enabledDuringRun << name;
                    }
                }
                for (const char* name : {"mnuGen", "mnuSaveAs", "mnuExit"}) {
                    if (menuItem(*window, name)->isEnabled()) {
                        enabledDuringRun << name;
                    }
                }
                // Queued as the window system queues input that comes while the thread is busy.
                for (const char* name : {"chkGO", "cmdGenSQL", "optStrip"}) {
                    postClick(control(*window, name));
                }
                for (QWidget* box : {control(*window, "txtPath"), control(*window, "cboSQLType")}) {
                    QCoreApplication::postEvent(
                        box, new QKeyEvent(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x")));
                    QCoreApplication::postEvent(box, new QKeyEvent(QEvent::KeyRelease, Qt::Key_X,
                                                                   Qt::NoModifier, QStringLiteral("x")));
                }
                QCoreApplication::postEvent(
                    window, new QKeyEvent(QEvent::KeyPress, Qt::Key_S, Qt::ControlModifier, QString()));
            }
            return FakeSchemaReader::GetTableFields(path, table);
        }
        static void postClick(QWidget* target) {
            const QPointF centre = QRectF(target->rect()).center();
            const QPointF global = target->mapToGlobal(centre);
            for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
                QCoreApplication::postEvent(
                    target, new QMouseEvent(type, centre, global, Qt::LeftButton,
                                            type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                                            Qt::NoModifier));
            }
        }
    };
    BusyReader reader;
    static_cast<FakeSchemaReader&>(reader) = twoTableReader();
    frmMain window(&reader);
    reader.window = &window;
    int saveDialogs = 0;
    window.setSaveFileDialog([&](QWidget*, const QString&) {
        ++saveDialogs;
        return QString();
    });
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    control<QLineEdit>(window, "txtPath")->setText(QStringLiteral("shop.mdb"));

    QTest::mouseClick(control(window, "cmdGenSQL"), Qt::LeftButton);
    QCOMPARE(reader.enabledDuringRun, QStringList({"chkGO", "txtPath", "mnuExit"}));
    const QString script = window.scriptText();
    QVERIFY(script.contains(QStringLiteral("Tables   ~ 2\r\n")));
    QTest::qWait(50);
    QCoreApplication::processEvents();

    QCOMPARE(reader.fieldRequests.size(), 2); // one run only
    QCOMPARE(window.check(StoredCheck::chkGO), CheckState::Unchecked);
    QVERIFY(!window.optStrip());
    QCOMPARE(window.path(), QStringLiteral("shop.mdb"));
    QCOMPARE(control<QComboBox>(window, "cboSQLType")->currentText(), QStringLiteral("Access SQL"));
    QCOMPARE(saveDialogs, 0);
    QCOMPARE(window.scriptText(), script);
    // After the run the window takes input again, and the focus is where the click left it.
    QVERIFY(control(window, "cmdGenSQL")->isEnabled());
    QVERIFY(menuItem(window, "mnuGen")->isEnabled());
    QCOMPARE(QApplication::focusWidget(), control(window, "cmdGenSQL"));
    QTest::mouseClick(control(window, "chkGO"), Qt::LeftButton);
    QCOMPARE(window.check(StoredCheck::chkGO), CheckState::Checked);
}

// A message during a run can be answered: the box is not blocked like the window's own controls.
void TestMainWindow::messageDuringARunCanBeAnswered() {
    SetMessageHookForTests({});
    FakeSchemaReader reader;
    reader.tables = ReadFailure{3343, QStringLiteral("Unrecognized database format 'x.mdb'.")};
    frmMain window(&reader);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    control<QLineEdit>(window, "txtPath")->setText(QStringLiteral("x.mdb"));
    QStringList answered;
    // Answers each box with its OK button, by a click, as a user would.
    std::function<void()> answer = [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (box != nullptr && box->isVisible()) {
                answered << box->text();
                QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
                break;
            }
        }
        if (answered.size() < 2) {
            QTimer::singleShot(20, answer);
        }
    };
    QTimer::singleShot(20, answer);
    QTest::mouseClick(control(window, "cmdGenSQL"), Qt::LeftButton);
    SetMessageHookForTests([this](const QString& text) { messages_ << text; });
    QCOMPARE(answered, QStringList({QStringLiteral("3343  Unrecognized database format 'x.mdb'."),
                                    wrongFormatMessage}));
}

void TestMainWindow::scriptTypeStaysAsTyped_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accessSql");
    QTest::addRow("exact Access SQL") << "Access SQL" << true;
    QTest::addRow("lower case") << "access sql" << false;
    QTest::addRow("upper case") << "ACCESS SQL" << false;
    QTest::addRow("first word") << "Access" << false;
    QTest::addRow("first letter") << "A" << false;
    QTest::addRow("t-sql") << "t-sql" << false;
    QTest::addRow("T-SQL") << "T-SQL" << false;
    QTest::addRow("other") << "Oracle" << false;
}

// What the user types into the script type box stays exactly as typed, and only "Access SQL" selects the
// Access SQL script.
void TestMainWindow::scriptTypeStaysAsTyped() {
    QFETCH(QString, typed);
    QFETCH(bool, accessSql);
    FakeSchemaReader reader = twoTableReader();
    frmMain window(&reader);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    control<QLineEdit>(window, "txtPath")->setText(QStringLiteral("shop.mdb"));
    auto* combo = control<QComboBox>(window, "cboSQLType");
    combo->setFocus();
    combo->lineEdit()->selectAll();
    QTest::keyClick(combo->lineEdit(), Qt::Key_Backspace);
    QTest::keyClicks(combo->lineEdit(), typed);
    QCOMPARE(combo->currentText(), typed);
    QAbstractItemView* offer = combo->completer() != nullptr ? combo->completer()->popup() : nullptr;
    if (offer != nullptr && offer->isVisible()) {
        // An offer the user does not take.
        QTest::keyClick(offer, Qt::Key_Escape);
    }
    QCOMPARE(combo->currentText(), typed);
    // Leaving the box, by the keyboard, and then running.
    QTest::keyClick(combo->lineEdit(), Qt::Key_Tab);
    QVERIFY(!combo->hasFocus());
    QCOMPARE(combo->currentText(), typed);
    QTest::mouseClick(control(window, "cmdGenSQL"), Qt::LeftButton);
    QCOMPARE(combo->currentText(), typed);
    QCOMPARE(window.scriptText().contains(QStringLiteral("ID COUNTER NOT NULL")), accessSql);
    QCOMPARE(window.scriptText().contains(QStringLiteral("ID INT IDENTITY (1,1) NOT NULL")), !accessSql);
}

// Tab moves on from the script box like from any other control; Ctrl+Tab writes a tab into it.
void TestMainWindow::tabLeavesTheScriptBox() {
    frmMain window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto* box = control<QPlainTextEdit>(window, "txtSQL");
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), control(window, "optStrip"));
    QCOMPARE(box->toPlainText(), QString());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), box);
    QTest::keyClick(box, Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(box->toPlainText(), QStringLiteral("\t"));
    QCOMPARE(QApplication::focusWidget(), box);
}

void TestMainWindow::keyboard() {
    FakeSchemaReader reader = twoTableReader();
    frmMain window(&reader);
    QStringList offered;
    window.setSaveFileDialog([&](QWidget*, const QString& file) {
        offered << file;
        return QString();
    });
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QSignalSpy unloaded(&window, &frmMain::unloaded);

    // Return in the path box runs Gen SQL.
    auto* path = control<QLineEdit>(window, "txtPath");
    path->setFocus();
    QTest::keyClicks(path, QStringLiteral("shop.mdb"));
    QTest::keyClick(path, Qt::Key_Return);
    QCOMPARE(reader.fieldRequests.size(), 2);
    QVERIFY(window.scriptText().startsWith(QStringLiteral("RESULTS: ")));
    QCOMPARE(QApplication::focusWidget(), path);

    // Alt+F opens the File menu.
    QTest::keyClick(&window, Qt::Key_F, Qt::AltModifier);
    QTRY_VERIFY(control<QMenu>(window, "mnuFile")->isVisible());
    QTest::keyClick(control<QMenu>(window, "mnuFile"), Qt::Key_Escape);
    QTRY_VERIFY(!control<QMenu>(window, "mnuFile")->isVisible());
    QTest::keyClick(window.menuBar(), Qt::Key_Escape);

    QTRY_VERIFY(QApplication::activeWindow() == &window);
    path->setFocus();
    QTest::keyClick(path, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(offered.size(), 1);

    QTest::keyClick(path, Qt::Key_F1);
    QTRY_VERIFY(window.findChild<frmHelp*>() != nullptr && window.findChild<frmHelp*>()->isVisible());
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    path->setFocus();
    QTest::keyClick(path, Qt::Key_Q, Qt::ControlModifier);
    QCOMPARE(unloaded.count(), 1);
    QCOMPARE(storedValues({"path"}), QStringList{"shop.mdb"});
}

void TestMainWindow::saveScriptAs() {
    FakeSchemaReader reader = twoTableReader();
    frmMain window(&reader);
    QString offered;
    QString answer;
    window.setSaveFileDialog([&](QWidget*, const QString& file) {
        offered = file;
        return answer;
    });
    window.show();
    control<QLineEdit>(window, "txtPath")->setText(folder_.filePath(QStringLiteral("shop.data.mdb")));
    QTest::mouseClick(control(window, "cmdGenSQL"), Qt::LeftButton);
    // Words that UTF-8 writes in more than one byte.
    window.appendScript(QStringLiteral("-- Grüße, 東京\r\n"));
    const QString script = window.scriptText();

    // Cancelled: nothing written, nothing said.
    menuItem(window, "mnuSaveAs")->trigger();
    QCOMPARE(offered, folder_.filePath(QStringLiteral("shop.data.sql")));
    QVERIFY(!QFile::exists(offered));
    QVERIFY(messages_.isEmpty());

    answer = folder_.filePath(QStringLiteral("saved.sql"));
    menuItem(window, "mnuSaveAs")->trigger();
    QFile saved(answer);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    QCOMPARE(bytes, script.toUtf8());
    QVERIFY(bytes.contains("Tables   ~ 2\r\n"));
    QVERIFY(!bytes.contains("\n\n"));
    QVERIFY(messages_.isEmpty());

    // Edited by hand: what the box shows, with CR LF line breaks.
    auto* box = control<QPlainTextEdit>(window, "txtSQL");
    box->setPlainText(QStringLiteral("one\ntwo"));
    menuItem(window, "mnuSaveAs")->trigger();
    saved.close();
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), QByteArray("one\r\ntwo"));
}

void TestMainWindow::saveScriptAsToAPlaceThatCannotBeWritten_data() {
    QTest::addColumn<QString>("target");
    QTest::addRow("missing folder") << "no such folder/x.sql";
    QTest::addRow("a folder") << "a folder";
}

void TestMainWindow::saveScriptAsToAPlaceThatCannotBeWritten() {
    QFETCH(QString, target);
    QVERIFY(QDir(folder_.path()).mkpath(QStringLiteral("a folder")));
    frmMain window;
    window.setScriptText(QStringLiteral("CREATE TABLE A (\r\n)\r\n"));
    const QString path = folder_.filePath(target);
    window.setSaveFileDialog([&](QWidget*, const QString&) { return path; });
    menuItem(window, "mnuSaveAs")->trigger();
    QCOMPARE(messages_.size(), 1);
    QVERIFY2(messages_.first().startsWith(QStringLiteral("The script could not be saved to ") + path),
             qPrintable(messages_.first()));
    QVERIFY(!QFileInfo(path).isFile());
    QCOMPARE(
        QDir(folder_.filePath(QStringLiteral("a folder"))).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
        QStringList());
}

// A file dropped on the window, or on one of its edit boxes, goes into the path box; nothing runs.
void TestMainWindow::droppedFileGoesIntoThePathBox_data() {
    QTest::addColumn<QString>("target");
    QTest::addRow("window") << "frmMain";
    QTest::addRow("path box") << "txtPath";
    QTest::addRow("script box") << "txtSQL";
}

void TestMainWindow::droppedFileGoesIntoThePathBox() {
    QFETCH(QString, target);
    FakeSchemaReader reader = twoTableReader();
    frmMain window(&reader);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    control<QLineEdit>(window, "txtPath")->setText(QStringLiteral("before.mdb"));
    QWidget* receiver = &window;
    if (target == QLatin1String("txtSQL")) {
        receiver = control<QPlainTextEdit>(window, "txtSQL")->viewport();
    } else if (target != QLatin1String("frmMain")) {
        receiver = control(window, qPrintable(target));
    }

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QStringLiteral("/home/me/Shop Data.accdb"))});
    data.setText(QStringLiteral("file:///home/me/Shop%20Data.accdb"));
    const QPoint at = receiver->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(receiver, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(receiver, &drop);
    QVERIFY(drop.isAccepted());
    QCOMPARE(window.path(), QStringLiteral("/home/me/Shop Data.accdb"));
    QCOMPARE(window.scriptText(), QString());
    QVERIFY(reader.fieldRequests.isEmpty());

    // Text that names no file is no drop of a file.
    QMimeData text;
    text.setText(QStringLiteral("just words"));
    QDragEnterEvent other(at, Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    other.ignore();
    QApplication::sendEvent(&window, &other);
    QVERIFY(!other.isAccepted());
}

// Enabled for the script types that take rows; the file holds the tables and every row; a cancel while the
// rows are written leaves no file.
void TestMainWindow::saveScriptWithData() {
    RowsReader reader;
    frmMain window(&reader);
    QString answer;
    window.setSaveFileDialog([&](QWidget*, const QString&) { return answer; });
    window.show();
    auto* type = control<QComboBox>(window, "cboSQLType");
    type->setEditText(QStringLiteral("T-SQL"));
    QVERIFY(!menuItem(window, "mnuSaveWithData")->isEnabled());
    type->setEditText(QStringLiteral("SQLite"));
    QVERIFY(menuItem(window, "mnuSaveWithData")->isEnabled());
    control<QLineEdit>(window, "txtPath")->setText(folder_.filePath(QStringLiteral("rows.mdb")));

    answer = folder_.filePath(QStringLiteral("rows.sql"));
    menuItem(window, "mnuSaveWithData")->trigger();
    QFile saved(answer);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    QVERIFY(bytes.contains("CREATE TABLE \"Customers\""));
    QVERIFY(bytes.contains("INSERT INTO \"Orders\" (\"Number\", \"Customer\") VALUES\r\n(100, 40),"));
    QVERIFY(bytes.endsWith("COMMIT;\r\n"));
    // The script box is not touched; what SQLite cannot hold is said.
    QVERIFY(window.scriptText().isEmpty());
    QCOMPARE(messages_.size(), 1);
    QVERIFY(messages_.first().contains("negative zeros written as 0"));

    reader.slow = true;
    answer = folder_.filePath(QStringLiteral("cancelled.sql"));
    QTimer::singleShot(300, &window, [&window] {
        if (auto* dialog = window.findChild<QProgressDialog*>())
            dialog->cancel();
    });
    menuItem(window, "mnuSaveWithData")->trigger();
    QVERIFY(!QFile::exists(answer));
    QCOMPARE(messages_.size(), 1);
    QVERIFY(menuItem(window, "mnuSaveWithData")->isEnabled());
}

// The dialog migrates into a new SQLite file with its progress and report, keeps the target in a section of
// its own, and a Cancel while the rows go leaves no file.
void TestMainWindow::migrateToServer() {
    RowsReader reader;
    frmMain window(&reader);
    window.show();
    control<QLineEdit>(window, "txtPath")->setText(folder_.filePath(QStringLiteral("rows.mdb")));
    const QString target = folder_.filePath(QStringLiteral("migrated.db"));
    const QString stopped = folder_.filePath(QStringLiteral("stopped.db"));
    QStringList shown;
    QString copied;
    QString status;
    QString tested;
    QString verified;
    QStringList synced; // table=rows in file/unchanged
    QString syncStatus;
    bool wasRunning = false;
    // The dialog is closed whatever the checks find, so that the run goes on to report them.
    QTimer::singleShot(0, &window, [&] {
        auto* dialog = window.findChild<MigrateDialog*>();
        if (!dialog)
            return;
        const auto finished = [dialog] {
            return QTest::qWaitFor([dialog] { return !dialog->running(); }, 20000);
        };
        dialog->findChild<QComboBox*>(QStringLiteral("kind"))->setCurrentIndex(2);
        dialog->findChild<QLineEdit*>(QStringLiteral("file"))->setText(target);
        dialog->findChild<QPushButton*>(QStringLiteral("test"))->click();
        finished();
        tested = dialog->findChild<QLabel*>(QStringLiteral("status"))->text();
        dialog->findChild<QCheckBox*>(QStringLiteral("verify"))->setChecked(true);
        dialog->findChild<QPushButton*>(QStringLiteral("migrate"))->click();
        finished();
        auto* report = dialog->findChild<QTableWidget*>(QStringLiteral("report"));
        for (int r = 0; r < report->rowCount(); ++r)
            shown << report->item(r, 0)->text() + "=" + report->item(r, 1)->text() + "/" +
                         report->item(r, 2)->text();
        dialog->findChild<QPushButton*>(QStringLiteral("copy"))->click();
        copied = QApplication::clipboard()->text();
        verified = dialog->findChild<QLabel*>(QStringLiteral("status"))->text();

        // Again into the same file, synchronizing: every row is there already.
        auto* sync = dialog->findChild<QCheckBox*>(QStringLiteral("sync"));
        sync->setChecked(true);
        dialog->findChild<QPushButton*>(QStringLiteral("migrate"))->click();
        finished();
        for (int r = 0; r < report->rowCount(); ++r)
            synced << report->item(r, 0)->text() + "=" + report->item(r, 1)->text() + "/" +
                          report->item(r, 5)->text();
        syncStatus = dialog->findChild<QLabel*>(QStringLiteral("status"))->text();
        sync->setChecked(false);

        reader.startDelayMs = 500;
        dialog->findChild<QLineEdit*>(QStringLiteral("file"))->setText(stopped);
        dialog->findChild<QPushButton*>(QStringLiteral("migrate"))->click();
        QTest::qWait(100);
        wasRunning = dialog->running();
        dialog->findChild<QPushButton*>(QStringLiteral("cancel"))->click();
        finished();
        status = dialog->findChild<QLabel*>(QStringLiteral("status"))->text();
        dialog->reject();
    });
    menuItem(window, "mnuMigrate")->trigger();
    QVERIFY2(shown == QStringList({"Customers=5/5", "Orders=3/3", "Total=8/8"}), qPrintable(verified));
    QVERIFY2(copied.startsWith("Table\tRows read\tIn target\tValues\nCustomers\t5\t5\tsame\n"),
             qPrintable(copied));
    QVERIFY2(verified.contains("Every row read back from the target is a row that was sent."),
             qPrintable(verified));
    QVERIFY(QFile::exists(target));
    QVERIFY2(synced == QStringList({"Customers=5/5", "Orders=3/3", "Total=8/8"}), qPrintable(syncStatus));
    QVERIFY2(syncStatus.contains("2 tables synchronized with"), qPrintable(syncStatus));
    QCOMPARE(tested, QStringLiteral("The file can be written."));
    QVERIFY2(wasRunning, qPrintable(status));
    QVERIFY2(status.contains("Stopped"), qPrintable(status));
    QVERIFY(!QFile::exists(stopped));
    // The target is kept without a password, apart from the fourteen options.
    QCOMPARE(ReadIniValue(SettingsFile(), "Migrate", "File", {}), stopped);
    QCOMPARE(ReadIniValue(SettingsFile(), "Migrate", "Kind", {}), QStringLiteral("2"));
    QVERIFY(menuItem(window, "mnuMigrate")->isEnabled());
}

// The dialog's own choices, on unless unchecked, decide the migration: with the classic boxes off it still
// makes the primary key and the child tables of the complex columns. Its unchecked key box is kept under
// "Migrate" and leaves the values out, and its report names them with their count.
void TestMainWindow::migrationKeepsKeysWhateverTheClassicBoxes() {
    REQUIRE_FIXTURES();
    frmMain window; // the window's own engine
    window.show();
    for (const char* box : {"chkCreatePK", "chkIndex"})
        control<QCheckBox>(window, box)->setCheckState(Qt::Unchecked);
    control<QLineEdit>(window, "txtPath")
        ->setText(QStringLiteral(VELTRANE_FIXTURES_DIR "/complexDataTestV2010.accdb"));
    const QString faithful = folder_.filePath(QStringLiteral("faithful.db"));
    const QString keyless = folder_.filePath(QStringLiteral("keyless.db"));
    QFile::remove(faithful);
    QFile::remove(keyless);
    QStringList offered;
    QList<QStringList> shown;
    QStringList statuses;
    // The file is asked whether it is encrypted before the dialog opens: the dialog is waited for.
    QTimer opened;
    connect(&opened, &QTimer::timeout, &window, [&] {
        auto* dialog = window.findChild<MigrateDialog*>();
        if (!dialog || !dialog->isVisible())
            return;
        opened.stop();
        for (const char* name : {"primaryKeys", "indexes", "views"})
            if (auto* box = dialog->findChild<QCheckBox*>(QString::fromLatin1(name)); box && box->isChecked())
                offered << QString::fromLatin1(name);
        auto* keys = dialog->findChild<QCheckBox*>(QStringLiteral("primaryKeys"));
        dialog->findChild<QComboBox*>(QStringLiteral("kind"))->setCurrentIndex(2);
        for (const QString& file : {faithful, keyless}) {
            if (keys)
                keys->setChecked(file == faithful);
            dialog->findChild<QLineEdit*>(QStringLiteral("file"))->setText(file);
            dialog->findChild<QPushButton*>(QStringLiteral("migrate"))->click();
            if (!QTest::qWaitFor([dialog] { return !dialog->running(); }, 60000))
                break;
            auto* report = dialog->findChild<QTableWidget*>(QStringLiteral("report"));
            QStringList rows;
            for (int r = 0; r < report->rowCount(); ++r)
                rows << report->item(r, 0)->text() + "=" + report->item(r, 2)->text();
            shown << rows;
            statuses << dialog->findChild<QLabel*>(QStringLiteral("status"))->text();
        }
        dialog->reject();
    });
    opened.start(50);
    menuItem(window, "mnuMigrate")->trigger();
    QCOMPARE(offered, QStringList({"primaryKeys", "indexes", "views"}));
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown[0],
             QStringList({"Table1=4", "Table1_VersionHistory_F5F8918F-0A3F-4DA9-AE71-184EE5012880=5",
                          "Table1_multi-value-data=6", "Table1_attach-data=3", "Total=18"}));
    QVERIFY2(!statuses[0].contains("left out"), qPrintable(statuses[0]));
    Connected target = connectTarget(TargetAddress{.kind = TargetKind::Sqlite, .path = faithful}, {});
    QVERIFY(std::holds_alternative<std::unique_ptr<LiveConnection>>(target));
    const auto made = std::get<std::unique_ptr<LiveConnection>>(target)->query(
        "SELECT sql FROM sqlite_master WHERE name = 'Table1'");
    QVERIFY(std::holds_alternative<QList<QStringList>>(made));
    QVERIFY2(std::get<QList<QStringList>>(made).value(0).value(0).contains("PRIMARY KEY"),
             qPrintable(std::get<QList<QStringList>>(made).value(0).value(0)));
    QCOMPARE(shown[1], QStringList({"Table1=4", "Total=4"}));
    for (const char* left : {"Table Table1, column multi-value-data: 6 values left out",
                             "Table Table1, column attach-data: 3 values left out"})
        QVERIFY2(statuses[1].contains(left), qPrintable(statuses[1]));
    QCOMPARE(ReadIniValue(SettingsFile(), "Migrate", "PrimaryKeys", {}), QStringLiteral("0"));
    QCOMPARE(ReadIniValue(SettingsFile(), "Migrate", "Indexes", {}), QStringLiteral("1"));
}

void TestMainWindow::encryptedFileAsksForItsPassword_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("answer"); // null: Cancel
    QTest::addColumn<bool>("asked");
    QTest::addColumn<QString>("table"); // empty: the run ends as for a file it cannot read
    QTest::addRow("agile, right password") << "db2013-enc.accdb"
                                           << "1234" << true << "Customers";
    QTest::addRow("RC4 CryptoAPI, right password") << "db2007-oldenc.accdb"
                                                   << "Test123" << true << "Table1";
    QTest::addRow("wrong password") << "db2007-enc.accdb"
                                    << "test123" << true << "";
    QTest::addRow("cancel") << "db2013-enc.accdb" << QString() << true << "";
    QTest::addRow("not encrypted") << "testV2007.accdb"
                                   << "unused" << false << "Table1";
    QTest::addRow("encoded by the engine") << "db-enc.mdb"
                                           << "unused" << false << "Table1";
}

// Asked once per run and only for an encrypted file; nothing is kept, so the next run asks again.
void TestMainWindow::encryptedFileAsksForItsPassword() {
    REQUIRE_FIXTURES();
    QFETCH(QString, file);
    QFETCH(QString, answer);
    QFETCH(bool, asked);
    QFETCH(QString, table);
    const QString path = QStringLiteral(VELTRANE_FIXTURES_DIR "/") + file;
    frmMain window; // the window's own engine
    QStringList askedFor;
    window.setPasswordDialog([&](QWidget*, const QString& database) -> std::optional<QString> {
        askedFor << database;
        return answer.isNull() ? std::nullopt : std::optional(answer);
    });
    control<QLineEdit>(window, "txtPath")->setText(path);
    for (int run = 1; run <= 2; ++run) {
        messages_.clear();
        QTest::mouseClick(control(window, "cmdGenSQL"), Qt::LeftButton);
        QCOMPARE(askedFor, asked ? QStringList(run, path) : QStringList());
        if (table.isEmpty()) {
            QCOMPARE(messages_, QStringList({"3031  The database '" + path +
                                                 "' is encrypted, and its password is missing or wrong.",
                                             wrongFormatMessage}));
            QCOMPARE(window.scriptText(), QString());
        } else {
            QCOMPARE(messages_, QStringList());
            QVERIFY(window.scriptText().contains("CREATE TABLE " + table + " ("));
        }
    }
}

void TestMainWindow::encryptedFileSavedWithData() {
    REQUIRE_FIXTURES();
    frmMain window; // the window's own engine, and a reader process of the save's own
    int asked = 0;
    window.setPasswordDialog([&](QWidget*, const QString&) -> std::optional<QString> {
        ++asked;
        return QStringLiteral("1234");
    });
    const QString target = folder_.filePath(QStringLiteral("encrypted.sql"));
    window.setSaveFileDialog([&](QWidget*, const QString&) { return target; });
    window.show();
    control<QComboBox>(window, "cboSQLType")->setEditText(QStringLiteral("SQLite"));
    control<QLineEdit>(window, "txtPath")->setText(QStringLiteral(VELTRANE_FIXTURES_DIR "/db2013-enc.accdb"));
    menuItem(window, "mnuSaveWithData")->trigger();
    QCOMPARE(asked, 1);
    QFile saved(target);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QVERIFY(
        saved.readAll().contains("INSERT INTO \"Customers\" (\"ID\", \"Field1\") VALUES\r\n(1, 'Test'),\r\n"
                                 "(2, 'Test2'),\r\n(3, 'a'),\r\n(4, NULL),\r\n(5, 'c'),\r\n(6, 'd'),\r\n"
                                 "(7, 'f');\r\n"));
    QCOMPARE(messages_, QStringList());
}

QTEST_MAIN(TestMainWindow)
#include "TestMainWindow.moc"
