// Start-up against a settings folder of the test's own: first run, a restart, and folders that cannot be
// made.

#include "MessageBox.h"
#include "ProgramArguments.h"
#include "Settings.h"
#include "Startup.h"
#include "frmMain.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The settings folder and file are named after the running executable, here the test program.
QString executableName() {
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

bool anyWindowVisible() {
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.cbegin(), windows.cend(),
                       [](const QWidget* window) { return window->isVisible(); });
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void firstRun();
    void optionsKeptAcrossARestart();
    void existingFolderLeftAsItIs();
    void folderThatCannotBeMade_data();
    void folderThatCannotBeMade();
    void databaseArgumentReplacesStoredPath();
    void programArguments_data();
    void programArguments();

private:
    std::unique_ptr<frmMain> start(const QString& database = QString());

    std::unique_ptr<QTemporaryDir> base;
    QStringList messages_;
};

void TestStartup::initTestCase() {
    SetMessageHookForTests([this](const QString& text) { messages_ << text; });
    qunsetenv("AppData");
    qunsetenv("APPDATA");
}

void TestStartup::init() {
    messages_.clear();
    base = std::make_unique<QTemporaryDir>();
    QVERIFY(base->isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(base->path()));
}

std::unique_ptr<frmMain> TestStartup::start(const QString& database) {
    StartupResult started = Main(database);
    if (const QString* failure = std::get_if<QString>(&started)) {
        qWarning("start-up failed: %s", qPrintable(*failure));
        return nullptr;
    }
    return std::move(std::get<std::unique_ptr<frmMain>>(started));
}

void TestStartup::firstRun() {
    const QString folder = base->filePath(executableName());
    QVERIFY(!QFileInfo::exists(folder));

    std::unique_ptr<frmMain> window = start();
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QVERIFY(QFileInfo(folder).isDir());
    const QString file = folder + QLatin1Char('/') + executableName() + QStringLiteral(".ini");
    QCOMPARE(SettingsFile(), file);
    QVERIFY(!QFileInfo::exists(file)); // made by the first save, not by start-up

    // No file: every stored box comes out unchecked, and the permission controls follow the unchecked
    // "Create Permissions": disabled.
    QVERIFY(window->optStrip());
    QVERIFY(!window->optChange());
    for (int box = 0; box < 10; ++box) {
        QCOMPARE(window->check(static_cast<StoredCheck>(box)), CheckState::Unchecked);
    }
    for (const char* name : {"chkSel", "chkIns", "chkDel", "chkUp"}) {
        QVERIFY2(!window->findChild<QCheckBox*>(QLatin1String(name))->isEnabled(), name);
    }
    QVERIFY(!window->findChild<QLineEdit*>(QStringLiteral("txtUserNames"))->isEnabled());

    QSignalSpy unloaded(window.get(), &frmMain::unloaded);
    window->close();
    QCOMPARE(unloaded.count(), 1);
    QVERIFY(QFileInfo(file).isFile());
    QVERIFY(messages_.isEmpty());
}

void TestStartup::optionsKeptAcrossARestart() {
    std::unique_ptr<frmMain> first = start();
    QVERIFY(first);
    first->setOptChange(true);
    first->setCheck(StoredCheck::chkCrePer, CheckState::Checked);
    first->setCheck(StoredCheck::chkIndex, CheckState::Checked);
    first->setUserNames(QStringLiteral("dbo, sales"));
    first->setPath(QStringLiteral("/data/shop.mdb"));
    first->close();
    first.reset();

    std::unique_ptr<frmMain> second = start();
    QVERIFY(second);
    QVERIFY(second->optChange());
    QVERIFY(!second->optStrip());
    QCOMPARE(second->check(StoredCheck::chkCrePer), CheckState::Checked);
    QCOMPARE(second->check(StoredCheck::chkIndex), CheckState::Checked);
    QCOMPARE(second->check(StoredCheck::chkGO), CheckState::Unchecked);
    QCOMPARE(second->userNames(), QStringLiteral("dbo, sales"));
    QCOMPARE(second->path(), QStringLiteral("/data/shop.mdb"));
    QVERIFY(second->findChild<QLineEdit*>(QStringLiteral("txtUserNames"))->isEnabled());
    second->close();
}

void TestStartup::existingFolderLeftAsItIs() {
    const QString folder = base->filePath(executableName());
    QVERIFY(QDir().mkpath(folder));
    QFile other(folder + QStringLiteral("/kept.txt"));
    QVERIFY(other.open(QIODevice::WriteOnly));
    other.close();

    std::unique_ptr<frmMain> window = start();
    QVERIFY(window);
    QVERIFY(QFileInfo::exists(folder + QStringLiteral("/kept.txt")));
    window->close();
}

void TestStartup::folderThatCannotBeMade_data() {
    QTest::addColumn<QString>("blocker");
    // A file where the settings folder should be, or where its parent should be.
    QTest::addRow("file named like the folder") << QString();
    QTest::addRow("file as the base folder") << QStringLiteral("base");
}

void TestStartup::folderThatCannotBeMade() {
    QFETCH(QString, blocker);
    QString blockingFile = base->filePath(executableName());
    if (!blocker.isEmpty()) {
        blockingFile = base->filePath(blocker);
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(blockingFile));
    }
    QFile file(blockingFile);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();

    StartupResult started = Main();
    QVERIFY(std::holds_alternative<QString>(started));
    QVERIFY(!std::get<QString>(started).isEmpty());
    QVERIFY(!anyWindowVisible());
}

// "veltrane FILE": the file takes the stored path's place in the box, and nothing is run.
void TestStartup::databaseArgumentReplacesStoredPath() {
    std::unique_ptr<frmMain> first = start();
    QVERIFY(first);
    first->setPath(QStringLiteral("/data/stored.mdb"));
    first->close();
    first.reset();

    std::unique_ptr<frmMain> second = start(QStringLiteral("/home/me/given.accdb"));
    QVERIFY(second);
    QCOMPARE(second->path(), QStringLiteral("/home/me/given.accdb"));
    QCOMPARE(second->scriptText(), QString());
    QCOMPARE(second->findChild<QLabel*>(QStringLiteral("lblOut"))->text(), QString());
    second->close();
    second.reset();

    // Without one, the stored path comes back; the given one was saved as any path in the box is.
    std::unique_ptr<frmMain> third = start();
    QVERIFY(third);
    QCOMPARE(third->path(), QStringLiteral("/home/me/given.accdb"));
    third->close();
}

void TestStartup::programArguments_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("database"); // for a start
    QTest::addColumn<QString>("output");   // the beginning of help or version text, or "error"
    const QString here = QDir::currentPath();
    QTest::addRow("none") << QStringList{"veltrane"} << QString() << QString();
    QTest::addRow("absolute") << QStringList{"veltrane", "/data/a b.mdb"} << "/data/a b.mdb" << QString();
    QTest::addRow("relative") << QStringList{"veltrane", "x/shop.mdb"} << here + "/x/shop.mdb" << QString();
    QTest::addRow("after --") << QStringList{"veltrane", "--", "-odd.mdb"} << here + "/-odd.mdb" << QString();
    QTest::addRow("two files") << QStringList{"veltrane", "a.mdb", "b.mdb"} << QString() << "error";
    QTest::addRow("unknown option") << QStringList{"veltrane", "--go"} << QString() << "error";
    QTest::addRow("version") << QStringList{"veltrane", "--version"} << QString() << "veltrane 1.";
    QTest::addRow("help") << QStringList{"veltrane", "--help"} << QString() << "Usage: ";
}

void TestStartup::programArguments() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, database);
    QFETCH(QString, output);
    const ProgramArguments parsed = ParseProgramArguments(arguments);
    if (output == QLatin1String("error")) {
        QVERIFY(std::holds_alternative<ProgramUsageError>(parsed));
        QVERIFY(!std::get<ProgramUsageError>(parsed).message.isEmpty());
    } else if (!output.isEmpty()) {
        QVERIFY(std::holds_alternative<ProgramText>(parsed));
        QVERIFY2(std::get<ProgramText>(parsed).text.startsWith(output),
                 qPrintable(std::get<ProgramText>(parsed).text));
    } else {
        QVERIFY(std::holds_alternative<ProgramStart>(parsed));
        QCOMPARE(std::get<ProgramStart>(parsed).database, database);
    }
}

QTEST_MAIN(TestStartup)
#include "TestStartup.moc"
