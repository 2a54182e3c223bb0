#include "Settings.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

const std::array<const char*, 10> kBoxNames{"chkStripIll", "chkCreatePK", "chkIndex", "chkGO",  "chkMS",
                                            "chkCrePer",   "chkSel",      "chkIns",   "chkDel", "chkUp"};

// The fourteen control states as the main window holds them, with its option-button group: selecting one
// button clears the other. `calls` records the order in which the store sets them.
class FakeControls final : public SettingsControls {
public:
    bool strip = false;
    bool change = true;
    std::array<CheckState, 10> checks{};
    QString users;
    QString databasePath;
    QStringList calls;

    bool optStrip() const override { return strip; }
    void setOptStrip(bool selected) override {
        calls << "optStrip";
        strip = selected;
        if (selected)
            change = false;
    }
    bool optChange() const override { return change; }
    void setOptChange(bool selected) override {
        calls << "optChange";
        change = selected;
        if (selected)
            strip = false;
    }
    CheckState check(StoredCheck box) const override { return checks.at(static_cast<size_t>(box)); }
    void setCheck(StoredCheck box, CheckState state) override {
        calls << kBoxNames.at(static_cast<size_t>(box));
        checks.at(static_cast<size_t>(box)) = state;
    }
    QString userNames() const override { return users; }
    void setUserNames(const QString& text) override {
        calls << "userNames";
        users = text;
    }
    QString path() const override { return databasePath; }
    void setPath(const QString& text) override {
        calls << "path";
        databasePath = text;
    }

    // The ten check states as digits in file order, e.g. "1102000000".
    QString checkDigits() const {
        QString digits;
        for (CheckState state : checks)
            digits += QString::number(static_cast<int>(state));
        return digits;
    }
    void setCheckDigits(const QString& digits) {
        for (size_t i = 0; i < checks.size(); ++i)
            checks.at(i) = static_cast<CheckState>(digits.at(qsizetype(i)).digitValue());
    }
};

// The window's layout before any settings are loaded: several boxes checked, texts filled in.
FakeControls windowAsLoaded() {
    FakeControls controls;
    controls.strip = false;
    controls.change = true;
    controls.setCheckDigits("1110000111");
    controls.users = "from the form";
    controls.databasePath = "from the form";
    return controls;
}

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

bool setImmutable(const QString& path, bool on) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK);
    if (fd < 0)
        return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return done;
}

// A folder that refuses new files while this lives: by permissions for an ordinary user, by the immutable
// flag for root (whom permissions do not stop).
class LockedFolder {
public:
    explicit LockedFolder(const QString& folder) : folder_(folder) {
        if (::geteuid() == 0)
            immutable_ = setImmutable(folder_, true);
        else
            QFile::setPermissions(folder_, QFile::ReadOwner | QFile::ExeOwner);
    }
    ~LockedFolder() {
        if (immutable_)
            setImmutable(folder_, false);
        QFile::setPermissions(folder_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    LockedFolder(const LockedFolder&) = delete;
    LockedFolder& operator=(const LockedFolder&) = delete;

    bool refusesNewFiles() const {
        QFile probe(folder_ + "/probe");
        return !probe.open(QIODevice::WriteOnly);
    }

private:
    QString folder_;
    bool immutable_ = false;
};

const QByteArray kFirstSave = "[Options]\n"
                              "optstrip=False\n"
                              "optchange=True\n"
                              "chkstripill=1\n"
                              "chkcreatepk=0\n"
                              "chkindex=2\n"
                              "chkgo=0\n"
                              "chkms=1\n"
                              "chkcreper=1\n"
                              "chksel=0\n"
                              "chkins=1\n"
                              "chkdel=0\n"
                              "chkup=1\n"
                              "txtusers=sa, admin\n"
                              "path=/data/Orders DB.mdb\n";

FakeControls firstSaveControls() {
    FakeControls controls;
    controls.strip = false;
    controls.change = true;
    controls.setCheckDigits("1020110101");
    controls.users = "  sa, admin ";
    controls.databasePath = "/data/Orders DB.mdb  ";
    return controls;
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    void firstRunGivesDefaults();
    void loadVisitsRowsInOrder();
    void firstSaveLayout();
    void roundTrip_data();
    void roundTrip();
    void optionButtons_data();
    void optionButtons();
    void checkValues_data();
    void checkValues();
    void failedReadKeepsStates();
    void handMadeFileUpdatedInPlace();
    void savingTwiceWritesEachKeyOnce();
    void longValueComesBackCut();
    void unwritableFolderKeepsOldFile();
    void baseFolder_data();
    void baseFolder();
    void location_data();
    void location();
    void makesFolderWithParents();
    void fileInTheWayOfFolder();
    void settingsFileIsTheDefault();
};

void TestSettings::firstRunGivesDefaults() {
    QTemporaryDir dir;
    const QString file = dir.filePath("Veltrane/Veltrane.ini");
    FakeControls controls = windowAsLoaded();

    LoadSettings(controls, file);

    QVERIFY(controls.strip);
    QVERIFY(!controls.change);
    QCOMPARE(controls.checkDigits(), QString("0000000000"));
    QCOMPARE(controls.users, QString());
    QCOMPARE(controls.databasePath, QString());
    QVERIFY(!QFileInfo::exists(file));
}

void TestSettings::loadVisitsRowsInOrder() {
    QTemporaryDir dir;
    const QString file = dir.filePath("Veltrane.ini");
    QVERIFY(SaveSettings(firstSaveControls(), file));
    FakeControls controls = windowAsLoaded();

    LoadSettings(controls, file);

    const QStringList expected{"optStrip", "optChange", "chkStripIll", "chkCreatePK", "chkIndex",
                               "chkGO",    "chkMS",     "chkCrePer",   "chkSel",      "chkIns",
                               "chkDel",   "chkUp",     "userNames",   "path"};
    QCOMPARE(controls.calls, expected);
}

void TestSettings::firstSaveLayout() {
    QTemporaryDir dir;
    const QString file = dir.filePath("Veltrane.ini");

    QVERIFY(SaveSettings(firstSaveControls(), file));
    QCOMPARE(readBytes(file), kFirstSave);
}

void TestSettings::roundTrip_data() {
    QTest::addColumn<bool>("strip");
    QTest::addColumn<QString>("checks");
    QTest::addColumn<QString>("users");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expectedUsers");
    QTest::addColumn<QString>("expectedPath");

    QTest::addRow("strip, nothing checked") << true << "0000000000"
                                            << ""
                                            << ""
                                            << ""
                                            << "";
    QTest::addRow("change, everything checked") << false << "1111111111"
                                                << "sa"
                                                << "/data/db.mdb"
                                                << "sa"
                                                << "/data/db.mdb";
    QTest::addRow("grayed boxes") << true << "2012021020"
                                  << "u"
                                  << "p"
                                  << "u"
                                  << "p";
    QTest::addRow("spaces to trim") << false << "1000000000"
                                    << "  alice, bob  "
                                    << "\t /data/My DB.mdb  "
                                    << "alice, bob"
                                    << "/data/My DB.mdb";
    QTest::addRow("non-ASCII") << true << "0100000000" << QString::fromUtf8("Zo\xC3\xAB, \xC5\x81ukasz")
                               << QString::fromUtf8("/data/\xC3\x9Cml\xC3\xA4ut \xE6\x95\xB0\xE6\x8D\xAE.mdb")
                               << QString::fromUtf8("Zo\xC3\xAB, \xC5\x81ukasz")
                               << QString::fromUtf8(
                                      "/data/\xC3\x9Cml\xC3\xA4ut \xE6\x95\xB0\xE6\x8D\xAE.mdb");
}

void TestSettings::roundTrip() {
    QFETCH(bool, strip);
    QFETCH(QString, checks);
    QFETCH(QString, users);
    QFETCH(QString, path);
    QFETCH(QString, expectedUsers);
    QFETCH(QString, expectedPath);
    QTemporaryDir dir;
    const QString file = dir.filePath("Veltrane.ini");
    FakeControls saved;
    saved.strip = strip;
    saved.change = !strip;
    saved.setCheckDigits(checks);
    saved.users = users;
    saved.databasePath = path;

    QVERIFY(SaveSettings(saved, file));

    // Start from the opposite of every state, so each row must be applied to come out right.
    FakeControls loaded;
    loaded.strip = !strip;
    loaded.change = strip;
    for (size_t i = 0; i < loaded.checks.size(); ++i)
        loaded.checks.at(i) = static_cast<CheckState>((static_cast<int>(saved.checks.at(i)) + 1) % 3);
    loaded.users = "other";
    loaded.databasePath = "other";
    LoadSettings(loaded, file);

    QCOMPARE(loaded.strip, strip);
    QCOMPARE(loaded.change, !strip);
    QCOMPARE(loaded.checkDigits(), checks);
    QCOMPARE(loaded.users, expectedUsers);
    QCOMPARE(loaded.databasePath, expectedPath);
}

void TestSettings::optionButtons_data() {
    QTest::addColumn<QByteArray>("stored"); // the lines of the two option keys
    QTest::addColumn<bool>("strip");
    QTest::addColumn<bool>("change");

    // Every row starts from optChange selected.
    QTest::addRow("True/False") << QByteArray("optstrip=True\noptchange=False\n") << true << false;
    QTest::addRow("False/True") << QByteArray("optstrip=False\noptchange=True\n") << false << true;
    QTest::addRow("True/True: the second wins")
        << QByteArray("optstrip=True\noptchange=True\n") << false << true;
    QTest::addRow("False/False: neither")
        << QByteArray("optstrip=False\noptchange=False\n") << false << false;
    QTest::addRow("any letter case") << QByteArray("optstrip=TRUE\noptchange=fAlSe\n") << true << false;
    QTest::addRow("missing keys: strip") << QByteArray("chkgo=1\n") << true << false;
    QTest::addRow("empty values: strip") << QByteArray("optstrip=\noptchange=\n") << true << false;
    QTest::addRow("words never written keep the state")
        << QByteArray("optstrip=yes\noptchange=1\n") << false << true;
}

void TestSettings::optionButtons() {
    QFETCH(QByteArray, stored);
    QFETCH(bool, strip);
    QFETCH(bool, change);
    QTemporaryDir dir;
    const QString file = dir.filePath("Veltrane.ini");
    writeBytes(file, "[Options]\n" + stored);
    FakeControls controls = windowAsLoaded();

    LoadSettings(controls, file);

    QCOMPARE(controls.strip, strip);
    QCOMPARE(controls.change, change);
}

void TestSettings::checkValues_data() {
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("after");

    QTest::addRow("0") << QByteArray("0") << 1 << 0;
    QTest::addRow("1") << QByteArray("1") << 0 << 1;
    QTest::addRow("2 (grayed)") << QByteArray("2") << 0 << 2;
    QTest::addRow("empty value reads as 0") << QByteArray("") << 1 << 0;
    QTest::addRow("yes") << QByteArray("yes") << 2 << 2;
    QTest::addRow("7") << QByteArray("7") << 1 << 1;
    QTest::addRow("-1") << QByteArray("-1") << 1 << 1;
    QTest::addRow("abc") << QByteArray("abc") << 0 << 0;
    QTest::addRow("1.5") << QByteArray("1.5") << 2 << 2;
}

void TestSettings::checkValues() {
    QFETCH(QByteArray, stored);
    QFETCH(int, before);
    QFETCH(int, after);
    QTemporaryDir dir;
    const QString file = dir.filePath("Veltrane.ini");
    writeBytes(file, "[Options]\noptstrip=False\noptchange=True\nchkgo=" + stored +
                         "\nchkms=1\nchkup=2\ntxtusers=sa\npath=/db.mdb\n");
    FakeControls controls;
    controls.checks.at(static_cast<size_t>(StoredCheck::chkGO)) = static_cast<CheckState>(before);

    LoadSettings(controls, file);

    QCOMPARE(static_cast<int>(controls.check(StoredCheck::chkGO)), after);
    // Nothing else is skipped.
    QCOMPARE(controls.checkDigits(), "000" + QString::number(after) + "100002");
    QCOMPARE(controls.users, QString("sa"));
    QCOMPARE(controls.databasePath, QString("/db.mdb"));
}

void TestSettings::failedReadKeepsStates() {
    // A folder where the file should be: every read fails and gives the empty text.
    QTemporaryDir dir;
    const QString file = dir.filePath("Veltrane.ini");
    QVERIFY(QDir().mkdir(file));
    FakeControls controls = windowAsLoaded();

    LoadSettings(controls, file);

    QVERIFY(!controls.strip);
    QVERIFY(controls.change);
    QCOMPARE(controls.checkDigits(), windowAsLoaded().checkDigits());
    QCOMPARE(controls.calls, (QStringList{"userNames", "path"}));
    QVERIFY(!SaveSettings(controls, file));
}

void TestSettings::handMadeFileUpdatedInPlace() {
    QTemporaryDir dir;
    const QString file = dir.filePath("Veltrane.ini");
    writeBytes(file, "; written by hand\n"
                     "\n"
                     "[OPTIONS]\n"
                     "OptStrip=False\n"
                     "optChange=True\n"
                     "ChkGo=1\n"
                     "Foreign=keep me\n"
                     "; the database\n"
                     "Path=/old/db.mdb\n"
                     "\n"
                     "[Other]\n"
                     "path=elsewhere\n");
    FakeControls controls = windowAsLoaded();

    LoadSettings(controls, file);
    QVERIFY(!controls.strip);
    QVERIFY(controls.change);
    QCOMPARE(controls.checkDigits(), QString("0001000000"));
    QCOMPARE(controls.users, QString());
    QCOMPARE(controls.databasePath, QString("/old/db.mdb"));

    controls.setOptStrip(true);
    controls.setCheck(StoredCheck::chkGO, CheckState::Unchecked);
    controls.setCheck(StoredCheck::chkSel, CheckState::Checked);
    controls.setUserNames(" bob ");
    controls.setPath("/new/db.mdb");
    QVERIFY(SaveSettings(controls, file));

    // Existing keys keep their spelling and place, new ones follow them; the layout of blank lines is the
    // library's.
    const QByteArray expected = "; written by hand\n"
                                "\n"
                                "\n"
                                "[OPTIONS]\n"
                                "OptStrip=True\n"
                                "optChange=False\n"
                                "ChkGo=0\n"
                                "Foreign=keep me\n"
                                "\n"
                                "; the database\n"
                                "Path=/new/db.mdb\n"
                                "chkstripill=0\n"
                                "chkcreatepk=0\n"
                                "chkindex=0\n"
                                "chkms=0\n"
                                "chkcreper=0\n"
                                "chksel=1\n"
                                "chkins=0\n"
                                "chkdel=0\n"
                                "chkup=0\n"
                                "txtusers=bob\n"
                                "\n"
                                "\n"
                                "[Other]\n"
                                "path=elsewhere\n";
    QCOMPARE(readBytes(file), expected);
}

void TestSettings::savingTwiceWritesEachKeyOnce() {
    QTemporaryDir dir;
    const QString file = dir.filePath("Veltrane.ini");
    FakeControls controls;
    controls.users = "first";
    QVERIFY(SaveSettings(controls, file));

    const FakeControls second = firstSaveControls();
    QVERIFY(SaveSettings(second, file));

    // The second save replaced every value in place: the file is what a first save of it gives.
    QCOMPARE(readBytes(file), kFirstSave);
}

void TestSettings::longValueComesBackCut() {
    QTemporaryDir dir;
    const QString file = dir.filePath("Veltrane.ini");
    FakeControls controls;
    controls.databasePath = "/" + QString(2999, 'p');
    QVERIFY(SaveSettings(controls, file));

    FakeControls loaded;
    LoadSettings(loaded, file);

    QCOMPARE(loaded.databasePath.size(), 2047);
    QCOMPARE(loaded.databasePath, controls.databasePath.left(2047));
}

void TestSettings::unwritableFolderKeepsOldFile() {
    QTemporaryDir dir;
    const QString folder = dir.filePath("Veltrane");
    QVERIFY(QDir().mkdir(folder));
    const QString file = folder + "/Veltrane.ini";
    QVERIFY(SaveSettings(firstSaveControls(), file));
    FakeControls changed = firstSaveControls();
    changed.setOptStrip(true);
    changed.setPath("/elsewhere.mdb");

    bool saved = true;
    {
        LockedFolder locked(folder);
        if (!locked.refusesNewFiles())
            QSKIP("cannot make a folder refuse new files here (no immutable flag for root)");
        saved = SaveSettings(changed, file);
    }

    QVERIFY(!saved);
    QCOMPARE(readBytes(file), kFirstSave);
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{"Veltrane.ini"});
}

void TestSettings::baseFolder_data() {
    QTest::addColumn<QStringList>("variables"); // NAME=value
    QTest::addColumn<QString>("expected");

    const QStringList all{"AppData=/a", "APPDATA=/b", "XDG_CONFIG_HOME=/x", "HOME=/h"};
    QTest::addRow("AppData") << all << "/a";
    QTest::addRow("APPDATA when AppData is empty")
        << QStringList{"AppData=", "APPDATA=/b", "XDG_CONFIG_HOME=/x", "HOME=/h"} << "/b";
    QTest::addRow("XDG_CONFIG_HOME") << QStringList{"XDG_CONFIG_HOME=/x", "HOME=/h"} << "/x";
    QTest::addRow("relative XDG_CONFIG_HOME is ignored")
        << QStringList{"XDG_CONFIG_HOME=rel", "HOME=/h"} << "/h/.config";
    QTest::addRow("~/.config") << QStringList{"XDG_CONFIG_HOME=", "HOME=/h"} << "/h/.config";
}

void TestSettings::baseFolder() {
    QFETCH(QStringList, variables);
    QFETCH(QString, expected);
    QProcessEnvironment environment;
    for (const QString& variable : variables)
        environment.insert(variable.section('=', 0, 0), variable.section('=', 1));

    QCOMPARE(SettingsBaseFolder(environment), expected);
}

void TestSettings::location_data() {
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("executable");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("file");

    QTest::addRow("executable path") << "/h/.config"
                                     << "/usr/bin/veltrane"
                                     << "/h/.config/veltrane"
                                     << "/h/.config/veltrane/veltrane.ini";
    QTest::addRow("extension dropped") << "/home/u/AppData"
                                       << "Veltrane.exe"
                                       << "/home/u/AppData/Veltrane"
                                       << "/home/u/AppData/Veltrane/Veltrane.ini";
    QTest::addRow("renamed, dots kept") << "/base/"
                                        << "my.tool.exe"
                                        << "/base/my.tool"
                                        << "/base/my.tool/my.tool.ini";
    QTest::addRow("empty base: from the root") << ""
                                               << "Veltrane"
                                               << "/Veltrane"
                                               << "/Veltrane/Veltrane.ini";
}

void TestSettings::location() {
    QFETCH(QString, base);
    QFETCH(QString, executable);
    QFETCH(QString, folder);
    QFETCH(QString, file);

    const SettingsLocation location = ComposeSettingsLocation(base, executable);
    QCOMPARE(location.folder, folder);
    QCOMPARE(location.file, file);
}

void TestSettings::makesFolderWithParents() {
    QTemporaryDir dir;
    const QString folder = dir.filePath(".config/Veltrane");
    QVERIFY(!FolderExists(folder));

    const FolderResult made = MakeSettingsFolder(folder);
    QVERIFY2(made.ok, qPrintable(made.error));
    QVERIFY(FolderExists(folder));
    QVERIFY(MakeSettingsFolder(folder).ok); // an existing folder is fine
}

void TestSettings::fileInTheWayOfFolder() {
    QTemporaryDir dir;
    const QString folder = dir.filePath("Veltrane");
    writeBytes(folder, "not a folder");
    QVERIFY(!FolderExists(folder));

    const FolderResult made = MakeSettingsFolder(folder);
    QVERIFY(!made.ok);
    QVERIFY2(made.error.contains(folder), qPrintable(made.error));
    QCOMPARE(readBytes(folder), QByteArray("not a folder"));
}

void TestSettings::settingsFileIsTheDefault() {
    QTemporaryDir dir;
    const SettingsLocation location = ComposeSettingsLocation(dir.path(), "Veltrane");
    QVERIFY(MakeSettingsFolder(location.folder).ok);
    SetSettingsFile(location.file);

    const bool saved = SaveSettings(firstSaveControls());
    FakeControls loaded;
    LoadSettings(loaded);
    SetSettingsFile(QString());

    QVERIFY(saved);
    QCOMPARE(readBytes(location.file), kFirstSave);
    QCOMPARE(loaded.checkDigits(), firstSaveControls().checkDigits());
}

QTEST_GUILESS_MAIN(TestSettings)
#include "TestSettings.moc"
