#include "FileTestHelpers.h"
#include "IniFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>

namespace {

QStringList folderEntries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

// Limits the size of any file this process writes, the way a nearly full disk would.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN); // a write beyond the limit then fails with EFBIG instead of killing us
        ::getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        active_ = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() { release(); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool isActive() const { return active_; }
    void release() {
        if (active_)
            ::setrlimit(RLIMIT_FSIZE, &old_);
        active_ = false;
    }

private:
    rlimit old_{};
    bool active_ = false;
};

enum class Failure { FolderRefusesNewFiles, FileRefusesReplacement, DiskFullMidWrite };

} // namespace

Q_DECLARE_METATYPE(Failure)

class TestIniFile : public QObject {
    Q_OBJECT
private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
    }

    void readsValue_data();
    void readsValue();
    void cutsLongValue_data();
    void cutsLongValue();
    void unreadableFileReadsEmpty();
    void writeCreatesFileAndKeys();
    void writeReplacesInPlace();
    void writeKeepsWhatLiesAround_data();
    void writeKeepsWhatLiesAround();
    void writeRefusesWhatOneLineCannotHold_data();
    void writeRefusesWhatOneLineCannotHold();
    void writeNeedsExistingFolder();
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();
    void severalKeysAtOnceAsOneByOne();

private:
    QString iniFile() const { return dir->filePath("Veltrane.ini"); }

    std::unique_ptr<QTemporaryDir> dir; // a fresh one for every test
};

void TestIniFile::readsValue_data() {
    QTest::addColumn<QByteArray>("content"); // null: no file at all
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("defaultValue");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* name, const QByteArray& content, const char* key,
                        const char* defaultValue, const QString& expected) {
        QTest::newRow(name) << content << QString(key) << QString(defaultValue) << expected;
    };

    row("plain", "[Options]\npath=/data/db.mdb\n", "path", "0", "/data/db.mdb");
    row("section and key in other letter case", "[oPTIONS]\nOPTCHANGE=True\n", "optChange", "False", "True");
    row("blanks around equals, CRLF", "[Options]\r\nchkgo = 1 \r\n", "chkgo", "0", "1");
    row("equals sign inside value", "[Options]\npath=a=b\n", "path", "", "a=b");
    row("non-ASCII", "[Options]\ntxtusers=Zo\xC3\xAB, \xE6\x9D\x8E\n", "txtusers", "",
        QString::fromUtf8("Zo\xC3\xAB, \xE6\x9D\x8E"));
    row("UTF-8 signature", "\xEF\xBB\xBF[Options]\npath=x\n", "path", "", "x");
    row("commented-out line is no value", "[Options]\n;path=old\npath=new\n", "path", "", "new");
    row("missing section", "[Other]\npath=x\n", "path", "0", "0");
    row("same key in another section", "[Other]\npath=x\n[Options]\nchkgo=1\n", "path", "0", "0");
    row("missing key", "[Options]\nchkgo=1\n", "path", "0", "0");
    row("missing key, empty default", "[Options]\nchkgo=1\n", "path", "", "");
    row("empty value reads as default", "[Options]\npath=\n", "path", "0", "0");
    row("empty value, empty default", "[Options]\npath=\n", "path", "", "");
    row("empty file", "", "path", "True", "True");
    row("no file", QByteArray(), "optstrip", "True", "True");
    row("no file, empty default", QByteArray(), "path", "", "");
}

void TestIniFile::readsValue() {
    QFETCH(QByteArray, content);
    QFETCH(QString, key);
    QFETCH(QString, defaultValue);
    QFETCH(QString, expected);
    if (!content.isNull())
        writeBytes(iniFile(), content);

    QCOMPARE(ReadIniValue(iniFile(), "Options", key, defaultValue), expected);
    QCOMPARE(QFileInfo::exists(iniFile()), !content.isNull()); // reading never makes a file
}

// Whatever the characters take in UTF-8, a value comes back as at most its first 2047.
void TestIniFile::cutsLongValue_data() {
    QTest::addColumn<QString>("character");
    QTest::addColumn<int>("stored");

    QTest::addRow("3000 ASCII") << "x" << 3000;
    QTest::addRow("2047 ASCII kept whole") << "x" << 2047;
    QTest::addRow("2048 ASCII") << "x" << 2048;
    QTest::addRow("3000 two-byte") << QString::fromUtf8("\xC3\xA9") << 3000;
    QTest::addRow("3000 three-byte") << QString::fromUtf8("\xE6\x9D\x8E") << 3000;
    QTest::addRow("3000 four-byte") << QString::fromUtf8("\xF0\x9F\x98\x80") << 3000;
}

void TestIniFile::cutsLongValue() {
    QFETCH(QString, character);
    QFETCH(int, stored);
    writeBytes(iniFile(), "[Options]\npath=" + character.repeated(stored).toUtf8() + "\nchkgo=1\n");

    QCOMPARE(ReadIniValue(iniFile(), "Options", "path", ""), character.repeated(2047));
    QCOMPARE(ReadIniValue(iniFile(), "Options", "chkgo", "0"), QString("1"));
}

void TestIniFile::unreadableFileReadsEmpty() {
    // A folder where the file should be cannot be read; that is a failed read, not a missing file.
    const QString file = iniFile();
    QVERIFY(QDir().mkdir(file));

    QCOMPARE(ReadIniValue(file, "Options", "optstrip", "True"), QString());
    QVERIFY(!WriteIniValue(file, "Options", "optstrip", "True"));
}

void TestIniFile::writeCreatesFileAndKeys() {
    const QString file = iniFile();

    QVERIFY(WriteIniValue(file, "Options", "optstrip", "True"));
    QCOMPARE(readBytes(file), QByteArray("[Options]\noptstrip=True\n"));
    QVERIFY(WriteIniValue(file, "Options", "txtusers", QString::fromUtf8("Zo\xC3\xAB")));
    QVERIFY(WriteIniValue(file, "Options", "path", ""));
    QVERIFY(WriteIniValue(file, "Options", "optstrip", "False"));
    QCOMPARE(readBytes(file), QByteArray("[Options]\noptstrip=False\ntxtusers=Zo\xC3\xAB\npath=\n"));
}

void TestIniFile::writeReplacesInPlace() {
    const QString file = iniFile();
    writeBytes(file,
               "; Settings kept by hand\n\n"
               "[OPTIONS]\n; how spaces in names are treated\nOptChange = False\nForeign=keep me\nCHKGO=1\n"
               "\n[Other]\noptchange=not this one\n");

    QVERIFY(WriteIniValue(file, "Options", "optchange", "True"));
    QVERIFY(WriteIniValue(file, "Options", "path", "/data/db.mdb"));

    // Blank lines and blanks around "=" follow the library; names, values, comments and order stay.
    const QByteArray expected =
        "; Settings kept by hand\n\n\n"
        "[OPTIONS]\n\n; how spaces in names are treated\nOptChange=True\nForeign=keep me\nCHKGO=1\n"
        "path=/data/db.mdb\n"
        "\n\n[Other]\noptchange=not this one\n";
    QCOMPARE(readBytes(file), expected);

    // Writing the same values again changes nothing; no key is ever written twice.
    QVERIFY(WriteIniValue(file, "OPTIONS", "OPTCHANGE", "True"));
    QVERIFY(WriteIniValue(file, "Options", "path", "/data/db.mdb"));
    QCOMPARE(readBytes(file), expected);
    QCOMPARE(ReadIniValue(file, "Options", "optChange", "False"), QString("True"));
    QCOMPARE(ReadIniValue(file, "Other", "optchange", ""), QString("not this one"));
}

void TestIniFile::writeKeepsWhatLiesAround_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArray>("expected");

    QTest::addRow("after the last key")
        << QByteArray("[Options]\nchkgo=1\n; last words\n# and more\n")
        << QByteArray("[Options]\nchkgo=1\npath=x\n; last words\n# and more\n");
    QTest::addRow("after a blank line, CRLF") << QByteArray("[Options]\r\nchkgo=1\r\n\r\n; last words\r\n")
                                              << QByteArray("[Options]\nchkgo=1\npath=x\n\n; last words\n");
    QTest::addRow("UTF-8 signature") << QByteArray("\xEF\xBB\xBF[Options]\npath=y\n")
                                     << QByteArray("\xEF\xBB\xBF[Options]\npath=x\n");
    QTest::addRow("in a file of comments only")
        << QByteArray("; top\n\n; bottom\n") << QByteArray("; top\n\n\n[Options]\npath=x\n\n; bottom\n");
}

void TestIniFile::writeKeepsWhatLiesAround() {
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, expected);
    const QString file = iniFile();
    writeBytes(file, content);

    QVERIFY(WriteIniValue(file, "Options", "path", "x"));
    QCOMPARE(readBytes(file), expected);
    QVERIFY(WriteIniValue(file, "Options", "path", "x"));
    QCOMPARE(readBytes(file), expected);
}

void TestIniFile::writeRefusesWhatOneLineCannotHold_data() {
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    const auto row = [](const char* name, const char* section, const char* key, const char* value) {
        QTest::newRow(name) << QString(section) << QString(key) << QString(value);
    };

    row("line feed in value", "Options", "path", "a\nb");
    row("carriage return in value", "Options", "path", "a\rb");
    row("empty key", "Options", "", "x");
    row("equals sign in key", "Options", "pa=th", "x");
    row("key like a comment", "Options", ";path", "x");
    row("bracket in section", "Opt]ions", "path", "x");
    row("empty section", "", "path", "x");
}

void TestIniFile::writeRefusesWhatOneLineCannotHold() {
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    const QString file = iniFile();
    const QByteArray old = "[Options]\npath=old\n";
    writeBytes(file, old);

    QVERIFY(!WriteIniValue(file, section, key, value));
    QCOMPARE(readBytes(file), old);
}

void TestIniFile::writeNeedsExistingFolder() {
    const QString file = dir->filePath("Veltrane/Veltrane.ini");

    QVERIFY(!WriteIniValue(file, "Options", "path", "x"));
    QVERIFY(!QFileInfo::exists(dir->filePath("Veltrane")));
}

void TestIniFile::failedWriteKeepsOldFile_data() {
    QTest::addColumn<Failure>("failure");

    QTest::addRow("folder refuses new files") << Failure::FolderRefusesNewFiles;
    QTest::addRow("file refuses replacement") << Failure::FileRefusesReplacement;
    QTest::addRow("disk full in mid-write") << Failure::DiskFullMidWrite;
}

void TestIniFile::failedWriteKeepsOldFile() {
    QFETCH(Failure, failure);
    const QString folder = dir->filePath("Veltrane");
    QVERIFY(QDir().mkdir(folder));
    const QString file = folder + "/Veltrane.ini";
    const QByteArray old = "[Options]\noptstrip=True\npath=/old/db.mdb\n";
    writeBytes(file, old);
    const QString longPath = "/new/" + QString(4000, 'n') + ".mdb";

    bool written = true;
    if (failure == Failure::DiskFullMidWrite) {
        FileSizeLimit limit(1024); // the old file fits, the new one does not
        QVERIFY(limit.isActive());
        written = WriteIniValue(file, "Options", "path", longPath);
    } else {
        const QString target = failure == Failure::FolderRefusesNewFiles ? folder : file;
        Unwritable locked(target);
        QFile probe(failure == Failure::FolderRefusesNewFiles ? folder + "/probe" : file);
        if (probe.open(QIODevice::WriteOnly | QIODevice::Append))
            QSKIP("cannot lock a file or folder here (root without the immutable flag)");
        written = WriteIniValue(file, "Options", "path", longPath);
    }

    QVERIFY(!written);
    QCOMPARE(readBytes(file), old);
    QCOMPARE(folderEntries(folder), QStringList{"Veltrane.ini"}); // no temporary file left behind
    // Once the obstacle is gone the same write goes through.
    QVERIFY(WriteIniValue(file, "Options", "path", longPath));
    QCOMPARE(ReadIniValue(file, "Options", "path", ""), longPath.left(2047));
}

// Several keys at once give the file that writing them one by one gives, in one replacement; a key that
// cannot be stored is left out, the others are written, and the answer is false.
void TestIniFile::severalKeysAtOnceAsOneByOne() {
    const QString together = dir->filePath("together.ini");
    const QString oneByOne = dir->filePath("one-by-one.ini");
    const QByteArray start("; kept\n[Other]\nx=1\n[options]\nPATH=old\nchkgo=1\n; trailing\n");
    for (const QString& file : {together, oneByOne}) {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(start);
    }
    const QList<IniEntry> entries{{"optstrip", "True"},
                                  {"path", "/data/shop.mdb"},
                                  {"txtusers", "a\nb"},
                                  {"chkgo", "0"},
                                  {"optstrip", "False"}};
    QVERIFY(!WriteIniValues(together, "Options", entries));
    bool allWritten = true;
    for (const IniEntry& entry : entries)
        allWritten = WriteIniValue(oneByOne, "Options", entry.key, entry.value) && allWritten;
    QVERIFY(!allWritten);
    QCOMPARE(readBytes(together), readBytes(oneByOne));
    QCOMPARE(ReadIniValue(together, "Options", "path", ""), QStringLiteral("/data/shop.mdb"));
    QCOMPARE(ReadIniValue(together, "Options", "optstrip", ""), QStringLiteral("False"));
    QCOMPARE(ReadIniValue(together, "Options", "txtusers", "<none>"), QStringLiteral("<none>"));

    QVERIFY(WriteIniValues(together, "Options", {{"chkgo", "1"}, {"chkms", "2"}}));
    QCOMPARE(ReadIniValue(together, "Options", "chkms", ""), QStringLiteral("2"));
}

QTEST_GUILESS_MAIN(TestIniFile)
#include "TestIniFile.moc"
