#include "FileTestHelpers.h"
#include "Settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <memory>
#include <unistd.h>

namespace {

const std::array<const char*, 10> boxNames{"chkStripIll", "chkCreatePK", "chkIndex", "chkGO",  "chkMS",
                                           "chkCrePer",   "chkSel",      "chkIns",   "chkDel", "chkUp"};

// The fourteen control states with the window's option-button group (selecting one button clears the
// other); `calls` records the order in which the store sets them.
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
        calls << boxNames.at(static_cast<size_t>(box));
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

FakeControls controlsWith(bool strip, const QString& checkDigits, const QString& users, const QString& path) {
    FakeControls controls;
    controls.strip = strip;
    controls.change = !strip;
    controls.setCheckDigits(checkDigits);
    controls.users = users;
    controls.databasePath = path;
    return controls;
}

// The window's layout before any settings are loaded: several boxes checked, texts filled in.
FakeControls windowAsLoaded() {
    return controlsWith(false, "1110000111", "from the form", "from the form");
}

FakeControls firstSaveControls() {
    return controlsWith(false, "1020110101", "  sa, admin ", "/data/Orders DB.mdb  ");
}

// Rows in table order: the option buttons, the general and the permission check boxes, the texts trimmed.
const QByteArray firstSave = "[Options]\noptstrip=False\noptchange=True\n"
                             "chkstripill=1\nchkcreatepk=0\nchkindex=2\nchkgo=0\nchkms=1\n"
                             "chkcreper=1\nchksel=0\nchkins=1\nchkdel=0\nchkup=1\n"
                             "txtusers=sa, admin\npath=/data/Orders DB.mdb\n";

} // namespace

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
    }

    void firstRunGivesDefaults();
    void firstSaveAndLoadThroughTheSettingsFile();
    void roundTrip_data();
    void roundTrip();
    void optionButtons_data();
    void optionButtons();
    void checkValues_data();
    void checkValues();
    void failedReadKeepsStates();
    void refusedKeyDoesNotStopTheOthers();
    void handMadeFileUpdatedInPlace();
    void savingTwiceWritesEachKeyOnce();
    void unwritableFolderKeepsOldFile();
    void baseFolder_data();
    void baseFolder();
    void location_data();
    void location();
    void makesFolderWithParents();
    void fileInTheWayOfFolder();

private:
    QString iniFile() const { return dir->filePath("Veltrane.ini"); }

    std::unique_ptr<QTemporaryDir> dir; // a fresh one for every test
};

void TestSettings::firstRunGivesDefaults() {
    const QString file = dir->filePath("Veltrane/Veltrane.ini");
    FakeControls controls = windowAsLoaded();

    LoadSettings(controls, file);

    QVERIFY(controls.strip);
    QVERIFY(!controls.change);
    QCOMPARE(controls.checkDigits(), QString("0000000000"));
    QCOMPARE(controls.users, QString());
    QCOMPARE(controls.databasePath, QString());
    QVERIFY(!QFileInfo::exists(file));
}

void TestSettings::firstSaveAndLoadThroughTheSettingsFile() {
    SetSettingsFile(iniFile());
    const bool saved = SaveSettings(firstSaveControls());
    FakeControls loaded = windowAsLoaded();
    LoadSettings(loaded);
    SetSettingsFile(QString());

    QVERIFY(saved);
    QCOMPARE(readBytes(iniFile()), firstSave);
    QCOMPARE(loaded.checkDigits(), firstSaveControls().checkDigits());
    const QStringList rowOrder{"optStrip", "optChange", "chkStripIll", "chkCreatePK", "chkIndex",
                               "chkGO",    "chkMS",     "chkCrePer",   "chkSel",      "chkIns",
                               "chkDel",   "chkUp",     "userNames",   "path"};
    QCOMPARE(loaded.calls, rowOrder);
}

void TestSettings::roundTrip_data() {
    QTest::addColumn<bool>("strip");
    QTest::addColumn<QString>("checks");
    QTest::addColumn<QString>("users");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expectedUsers");
    QTest::addColumn<QString>("expectedPath");
    const auto row = [](const char* name, bool strip, const char* checks, const QString& users,
                        const QString& path, const QString& expectedUsers, const QString& expectedPath) {
        QTest::newRow(name) << strip << QString(checks) << users << path << expectedUsers << expectedPath;
    };
    const QString names = QString::fromUtf8("Zo\xC3\xAB, \xC5\x81ukasz");
    const QString nonAsciiPath = QString::fromUtf8("/data/\xC3\x9Cml\xC3\xA4ut \xE6\x95\xB0\xE6\x8D\xAE.mdb");
    const QString longPath = "/" + QString(2999, 'p');

    row("strip, nothing checked", true, "0000000000", "", "", "", "");
    row("change, everything checked", false, "1111111111", "sa", "/data/db.mdb", "sa", "/data/db.mdb");
    row("grayed boxes", true, "2012021020", "u", "p", "u", "p");
    row("spaces to trim", false, "1000000000", "  alice, bob  ", "\t /data/My DB.mdb  ", "alice, bob",
        "/data/My DB.mdb");
    row("non-ASCII", true, "0100000000", names, nonAsciiPath, names, nonAsciiPath);
    row("3000 characters come back cut to 2047", false, "0000000000", "", longPath, "", longPath.left(2047));
}

void TestSettings::roundTrip() {
    QFETCH(bool, strip);
    QFETCH(QString, checks);
    QFETCH(QString, users);
    QFETCH(QString, path);
    QFETCH(QString, expectedUsers);
    QFETCH(QString, expectedPath);
    QVERIFY(SaveSettings(controlsWith(strip, checks, users, path), iniFile()));

    // Start from the opposite of every state, so each row must be applied to come out right.
    QString otherChecks;
    for (QChar digit : checks)
        otherChecks += QString::number((digit.digitValue() + 1) % 3);
    FakeControls loaded = controlsWith(!strip, otherChecks, "other", "other");
    LoadSettings(loaded, iniFile());

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

    const auto row = [](const char* name, const char* stored, bool strip, bool change) {
        QTest::newRow(name) << QByteArray(stored) << strip << change;
    };
    // Every row starts from optChange selected.
    row("True/False", "optstrip=True\noptchange=False\n", true, false);
    row("False/True", "optstrip=False\noptchange=True\n", false, true);
    row("True/True: the second wins", "optstrip=True\noptchange=True\n", false, true);
    row("False/False: neither", "optstrip=False\noptchange=False\n", false, false);
    row("any letter case", "optstrip=TRUE\noptchange=fAlSe\n", true, false);
    row("missing keys: strip", "chkgo=1\n", true, false);
    row("empty values: strip", "optstrip=\noptchange=\n", true, false);
    row("words never written keep the state", "optstrip=yes\noptchange=1\n", false, true);
}

void TestSettings::optionButtons() {
    QFETCH(QByteArray, stored);
    QFETCH(bool, strip);
    QFETCH(bool, change);
    writeBytes(iniFile(), "[Options]\n" + stored);
    FakeControls controls = windowAsLoaded();

    LoadSettings(controls, iniFile());

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
    writeBytes(iniFile(), "[Options]\noptstrip=False\noptchange=True\nchkgo=" + stored +
                              "\nchkms=1\nchkup=2\ntxtusers=sa\npath=/db.mdb\n");
    FakeControls controls;
    controls.checks.at(static_cast<size_t>(StoredCheck::chkGO)) = static_cast<CheckState>(before);

    LoadSettings(controls, iniFile());

    // chkGO as the row says, and nothing else skipped.
    QCOMPARE(controls.checkDigits(), "000" + QString::number(after) + "100002");
    QCOMPARE(controls.users, QString("sa"));
    QCOMPARE(controls.databasePath, QString("/db.mdb"));
}

void TestSettings::failedReadKeepsStates() {
    // A folder where the file should be: every read fails and gives the empty text.
    QVERIFY(QDir().mkdir(iniFile()));
    FakeControls controls = windowAsLoaded();

    LoadSettings(controls, iniFile());

    QVERIFY(!controls.strip);
    QVERIFY(controls.change);
    QCOMPARE(controls.checkDigits(), windowAsLoaded().checkDigits());
    QCOMPARE(controls.calls, (QStringList{"userNames", "path"}));
    QVERIFY(!SaveSettings(controls, iniFile()));
}

void TestSettings::refusedKeyDoesNotStopTheOthers() {
    FakeControls controls = firstSaveControls();
    controls.users = "sa\nadmin"; // a line break cannot be stored

    QVERIFY(!SaveSettings(controls, iniFile()));
    QCOMPARE(readBytes(iniFile()), QByteArray(firstSave).replace("txtusers=sa, admin\n", ""));
}

void TestSettings::handMadeFileUpdatedInPlace() {
    writeBytes(iniFile(), "; written by hand\n"
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

    LoadSettings(controls, iniFile());
    QVERIFY(!controls.strip);
    QVERIFY(controls.change);
    QCOMPARE(controls.checkDigits(), QString("0001000000"));
    QCOMPARE(controls.users, QString());
    QCOMPARE(controls.databasePath, QString("/old/db.mdb"));

    controls.setOptStrip(true);
    controls.setCheckDigits("0000001000");
    controls.setUserNames(" bob ");
    controls.setPath("/new/db.mdb");
    QVERIFY(SaveSettings(controls, iniFile()));

    // Existing keys keep their spelling and place, new ones follow them; blank lines are the library's.
    const QByteArray expected = "; written by hand\n\n\n"
                                "[OPTIONS]\nOptStrip=True\noptChange=False\nChkGo=0\nForeign=keep me\n"
                                "\n; the database\nPath=/new/db.mdb\n"
                                "chkstripill=0\nchkcreatepk=0\nchkindex=0\nchkms=0\nchkcreper=0\n"
                                "chksel=1\nchkins=0\nchkdel=0\nchkup=0\ntxtusers=bob\n"
                                "\n\n[Other]\npath=elsewhere\n";
    QCOMPARE(readBytes(iniFile()), expected);
}

void TestSettings::savingTwiceWritesEachKeyOnce() {
    QVERIFY(SaveSettings(controlsWith(true, "0000000000", "first", ""), iniFile()));
    QVERIFY(SaveSettings(firstSaveControls(), iniFile()));

    // Every value replaced in place: the file is what a first save of the second controls gives.
    QCOMPARE(readBytes(iniFile()), firstSave);
}

void TestSettings::unwritableFolderKeepsOldFile() {
    const QString folder = dir->filePath("Veltrane");
    QVERIFY(QDir().mkdir(folder));
    const QString file = folder + "/Veltrane.ini";
    QVERIFY(SaveSettings(firstSaveControls(), file));
    FakeControls changed = firstSaveControls();
    changed.setOptStrip(true);
    changed.setPath("/elsewhere.mdb");

    bool saved = true;
    {
        Unwritable locked(folder);
        if (QFile probe(folder + "/probe"); probe.open(QIODevice::WriteOnly))
            QSKIP("cannot make a folder refuse new files here (no immutable flag for root)");
        saved = SaveSettings(changed, file);
    }

    QVERIFY(!saved);
    QCOMPARE(readBytes(file), firstSave);
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{"Veltrane.ini"});
}

void TestSettings::baseFolder_data() {
    QTest::addColumn<QStringList>("variables"); // NAME=value
    QTest::addColumn<QString>("expected");

    QTest::addRow("AppData") << QStringList{"AppData=/a", "APPDATA=/b", "XDG_CONFIG_HOME=/x", "HOME=/h"}
                             << "/a";
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
    QTest::addColumn<QString>("folder"); // the file is <folder>/<stem>.ini
    QTest::addColumn<QString>("stem");
    const auto row = [](const char* name, const char* base, const char* executable, const char* folder,
                        const char* stem) { QTest::newRow(name) << base << executable << folder << stem; };

    row("executable path", "/h/.config", "/usr/bin/veltrane", "/h/.config/veltrane", "veltrane");
    row("extension dropped", "/home/u/AppData", "Veltrane.exe", "/home/u/AppData/Veltrane", "Veltrane");
    row("renamed, dots kept", "/base/", "my.tool.exe", "/base/my.tool", "my.tool");
    row("empty base: from the root", "", "Veltrane", "/Veltrane", "Veltrane");
}

void TestSettings::location() {
    QFETCH(QString, base);
    QFETCH(QString, executable);
    QFETCH(QString, folder);
    QFETCH(QString, stem);

    const SettingsLocation location = ComposeSettingsLocation(base, executable);
    QCOMPARE(location.folder, folder);
    QCOMPARE(location.file, folder + "/" + stem + ".ini");
}

void TestSettings::makesFolderWithParents() {
    const QString folder = dir->filePath(".config/Veltrane");
    QVERIFY(!FolderExists(folder));

    const FolderResult made = MakeSettingsFolder(folder);
    QVERIFY2(made.ok, qPrintable(made.error));
    QVERIFY(FolderExists(folder));
    QVERIFY(MakeSettingsFolder(folder).ok); // an existing folder is fine
}

void TestSettings::fileInTheWayOfFolder() {
    const QString folder = dir->filePath("Veltrane");
    writeBytes(folder, "not a folder");
    QVERIFY(!FolderExists(folder));

    const FolderResult made = MakeSettingsFolder(folder);
    QVERIFY(!made.ok);
    QVERIFY2(made.error.contains(folder), qPrintable(made.error));
    QCOMPARE(readBytes(folder), QByteArray("not a folder"));
}

QTEST_GUILESS_MAIN(TestSettings)
#include "TestSettings.moc"
