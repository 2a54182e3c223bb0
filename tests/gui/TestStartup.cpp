// Start-up against a settings folder of the test's own: first run, a restart, and folders that cannot be
// made.

#include "MessageBox.h"
#include "Settings.h"
#include "Startup.h"
#include "frmMain.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
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

private:
    std::unique_ptr<frmMain> start();

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

std::unique_ptr<frmMain> TestStartup::start() {
    StartupResult started = Main();
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

    // No file: every stored box comes out unchecked, and the permission controls stay enabled.
    QVERIFY(window->optStrip());
    QVERIFY(!window->optChange());
    for (int box = 0; box < 10; ++box) {
        QCOMPARE(window->check(static_cast<StoredCheck>(box)), CheckState::Unchecked);
    }
    QVERIFY(window->findChild<QCheckBox*>(QStringLiteral("chkSel"))->isEnabled());
    QVERIFY(window->findChild<QLineEdit*>(QStringLiteral("txtUserNames"))->isEnabled());

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

QTEST_MAIN(TestStartup)
#include "TestStartup.moc"
