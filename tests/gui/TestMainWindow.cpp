// The main window driven through its controls, found by their names as a user would find them by caption.

#include "ConversionRun.h"
#include "FakeSchemaReader.h"
#include "FileTestHelpers.h"
#include "IniFile.h"
#include "MessageBox.h"
#include "ReaderProcess.h"
#include "RecordingWindow.h"
#include "Settings.h"
#include "frmAbout.h"
#include "frmMain.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

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

private slots:
    void initTestCase();
    void init();

    void controls_data();
    void controls();
    void fixedClientArea();
    void captionsAreNotCutOffOrOverlapping();
    void tabOrderAndStartFocus();
    void menu();

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
    void optionsReadFromControls_data();
    void optionsReadFromControls();

    void browseAndCancel();
    void settingsSavedOnEveryWayOfClosing_data();
    void settingsSavedOnEveryWayOfClosing();
    void closingEndsTheOtherWindows();
    void closeDuringARunWaitsForItsEnd();

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

void TestMainWindow::menu() {
    frmMain window;
    QCOMPARE(control<QMenu>(window, "mnuFile")->title(), QStringLiteral("File"));
    QCOMPARE(control<QMenu>(window, "mnuHe")->title(), QStringLiteral("Help"));
    QCOMPARE(menuEntries(window, "mnuFile"), QStringList({"mnuGen:Generat SQL", "mnuln1:", "mnuExit:Exit"}));
    QVERIFY(menuItem(window, "mnuln1")->isSeparator());
    QCOMPARE(menuEntries(window, "mnuHe"),
             QStringList({"mnuHelp:Help With Veltrane", "mnuAbout:About Veltrane"}));
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
    // A stored 0 is no change from the window's own unchecked box, so the rule does not run.
    QTest::addRow("0 unchecked") << 0 << true;
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
    QStringList offered; // the file name each dialog opened with
    window.setOpenFileDialog([&](QWidget*, const QString& lastChosen) {
        offered << lastChosen;
        return answers.takeFirst();
    });
    auto* path = control<QLineEdit>(window, "txtPath");
    auto* browse = control(window, "cmdBrowse");
    path->setText(QStringLiteral("typed.mdb"));

    answers = {QString(), QStringLiteral("/data/first.mdb"), QString(), QStringLiteral("/data/second.accdb")};
    QTest::mouseClick(browse, Qt::LeftButton);
    QCOMPARE(messages_, QStringList{QStringLiteral("No file selected")});
    QCOMPARE(path->text(), QStringLiteral("typed.mdb"));

    QTest::mouseClick(browse, Qt::LeftButton);
    QCOMPARE(path->text(), QStringLiteral("/data/first.mdb"));

    path->setText(QStringLiteral("edited by hand"));
    QTest::mouseClick(browse, Qt::LeftButton);
    QCOMPARE(path->text(), QStringLiteral("/data/first.mdb"));

    QTest::mouseClick(browse, Qt::LeftButton);
    QCOMPARE(path->text(), QStringLiteral("/data/second.accdb"));
    QCOMPARE(messages_.size(), 1);
    QCOMPARE(offered, QStringList({QString(), QString(), "/data/first.mdb", "/data/first.mdb"}));
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

// The window system may ask the window to close while a run lets it paint; the run finishes first.
void TestMainWindow::closeDuringARunWaitsForItsEnd() {
    class ClosingReader : public FakeSchemaReader {
    public:
        QWidget* window = nullptr;
        FieldTable GetTableFields(const QString& path, const QString& table) override {
            window->close();
            return FakeSchemaReader::GetTableFields(path, table);
        }
    };
    ClosingReader reader;
    static_cast<FakeSchemaReader&>(reader) = twoTableReader();
    frmMain window(&reader);
    reader.window = &window;
    window.show();
    QSignalSpy unloaded(&window, &frmMain::unloaded);
    control<QLineEdit>(window, "txtPath")->setText(QStringLiteral("shop.mdb"));
    QTest::mouseClick(control(window, "cmdGenSQL"), Qt::LeftButton);
    QCOMPARE(reader.fieldRequests.size(), 2);
    QVERIFY(window.scriptText().contains(QStringLiteral("Tables   ~ 2\r\n")));
    QCOMPARE(unloaded.count(), 1);
    QVERIFY(!window.isVisible());
    QCOMPARE(storedValues({"path"}), QStringList{"shop.mdb"});
}

QTEST_MAIN(TestMainWindow)
#include "TestMainWindow.moc"
