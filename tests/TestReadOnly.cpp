// The read-only guarantee: whatever database the program reads - a real Access file, a generated one, a
// damaged one - it never opens the file for writing, even when the file is writable, and the file keeps
// its bytes, size and modification time. The kernel's inotify events prove the first part for every
// process at once (reader process and veltrane-cli alike): an open for writing ends in IN_CLOSE_WRITE when
// the file is closed, even when nothing was written. That holds for root too, for whom a read-only file
// mode would prove nothing.

#include "Damage.h"
#include "FileTestHelpers.h"
#include "ReaderProcess.h"
#include "Sources.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString fixturesDir = QStringLiteral(VELTRANE_FIXTURES_DIR);
const QString damagedDir = QStringLiteral(VELTRANE_TEST_DATA_DIR) + QStringLiteral("/damaged");
const QString binDir = QStringLiteral(VELTRANE_BIN_DIR);
constexpr int readerTimeoutSeconds = 2;
constexpr int damagedCopies = 24;
constexpr quint64 damageSeed = 20261207;
constexpr qsizetype tablesAskedSeparately = 12;

// What happened to one file while it was watched.
struct FileEvents {
    int opens = 0;
    int writeCloses = 0; // closes of opens that allowed writing
    int modifications = 0;
    int attributeChanges = 0;
    int movesOrDeletes = 0;
};

class WriteWatch {
public:
    explicit WriteWatch(const QString& path) : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        if (fd_ >= 0)
            watch_ = ::inotify_add_watch(fd_, QFile::encodeName(path).constData(),
                                         IN_OPEN | IN_CLOSE_WRITE | IN_MODIFY | IN_ATTRIB | IN_MOVE_SELF |
                                             IN_DELETE_SELF);
    }
    ~WriteWatch() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    WriteWatch(const WriteWatch&) = delete;
    WriteWatch& operator=(const WriteWatch&) = delete;

    bool isValid() const { return fd_ >= 0 && watch_ >= 0; }

    // The events queued so far. The kernel queues them before the system call that caused them returns.
    FileEvents take() {
        alignas(inotify_event) char buffer[16 * 1024];
        for (;;) {
            const ssize_t got = ::read(fd_, buffer, sizeof buffer);
            if (got <= 0)
                return events_;
            for (ssize_t at = 0; at < got;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                events_.opens += (event->mask & IN_OPEN) ? 1 : 0;
                events_.writeCloses += (event->mask & IN_CLOSE_WRITE) ? 1 : 0;
                events_.modifications += (event->mask & IN_MODIFY) ? 1 : 0;
                events_.attributeChanges += (event->mask & IN_ATTRIB) ? 1 : 0;
                events_.movesOrDeletes += (event->mask & (IN_MOVE_SELF | IN_DELETE_SELF)) ? 1 : 0;
                at += ssize_t(sizeof(inotify_event) + event->len);
            }
        }
    }

private:
    int fd_;
    int watch_ = -1;
    FileEvents events_;
};

struct Stamp {
    QByteArray bytes;
    qint64 size = -1;
    timespec mtime{};
    timespec ctime{};
    bool operator==(const Stamp& other) const {
        return bytes == other.bytes && size == other.size && mtime.tv_sec == other.mtime.tv_sec &&
               mtime.tv_nsec == other.mtime.tv_nsec && ctime.tv_sec == other.ctime.tv_sec &&
               ctime.tv_nsec == other.ctime.tv_nsec;
    }
};

Stamp stampOf(const QString& path) {
    Stamp stamp;
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return stamp;
    stamp.size = info.st_size;
    stamp.mtime = info.st_mtim;
    stamp.ctime = info.st_ctim;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        stamp.bytes = file.readAll();
    return stamp;
}

// A writable copy with a modification time far in the past, which any write would move.
bool placeWritableCopy(const QByteArray& bytes, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return false;
    file.close();
    const timespec old{981'158'400, 0};
    const timespec times[2] = {old, old};
    return ::chmod(QFile::encodeName(path).constData(), 0666) == 0 &&
           ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) == 0;
}

// Everything the program can ask of a database: the per-call questions of a window run, the whole schema
// in one request, and veltrane-cli in both dialects.
void readEverything(const QString& path) {
    ReaderProcess reader(binDir + QStringLiteral("/veltrane-reader"));
    const TableList tables = reader.GetTableNames(path);
    if (const auto* names = std::get_if<TextList>(&tables)) {
        // Every request opens the file the same way; a few tables of each database show it.
        for (const QString& table : names->items().mid(0, tablesAskedSeparately)) {
            reader.GetTableFields(path, table);
            reader.GetTableIndexes(path, table);
        }
    }
    reader.readSchema(path);
    for (const QStringList& dialect :
         {QStringList(), QStringList{QStringLiteral("-t"), QStringLiteral("T-SQL")}}) {
        QProcess cli;
        cli.start(binDir + QStringLiteral("/veltrane-cli"), dialect + QStringList{path});
        QVERIFY(cli.waitForFinished((readerTimeoutSeconds + 30) * 1000));
    }
}

void addRows(const QList<SourceDatabase>& databases) {
    for (const SourceDatabase& database : databases)
        QTest::newRow(qPrintable(database.name)) << database.bytes << database.name;
}

} // namespace

class TestReadOnly : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void watchSeesAnOpenForWriting();
    void fixturesStayUntouched_data();
    void fixturesStayUntouched();
    void generatedDatabasesStayUntouched_data();
    void generatedDatabasesStayUntouched();
    void damagedDatabasesStayUntouched_data();
    void damagedDatabasesStayUntouched();

private:
    void checkUntouched();
    QTemporaryDir folder_;
};

void TestReadOnly::initTestCase() {
    QVERIFY(folder_.isValid());
    qputenv("VELTRANE_READER_TIMEOUT", QByteArray::number(readerTimeoutSeconds));
}

void TestReadOnly::cleanupTestCase() {
    qunsetenv("VELTRANE_READER_TIMEOUT");
}

// The proof rests on IN_CLOSE_WRITE: an open for writing that writes nothing must show.
void TestReadOnly::watchSeesAnOpenForWriting() {
    const QString path = folder_.filePath(QStringLiteral("control.mdb"));
    QVERIFY(placeWritableCopy("not written", path));
    WriteWatch watch(path);
    QVERIFY(watch.isValid());
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC);
    QVERIFY(fd >= 0);
    ::close(fd);
    const FileEvents events = watch.take();
    QCOMPARE(events.opens, 1);
    QCOMPARE(events.writeCloses, 1);
    QCOMPARE(events.modifications, 0);
}

void TestReadOnly::fixturesStayUntouched_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("name");
    if (!QDir(fixturesDir).exists()) {
        QTest::newRow("no fixtures") << QByteArray() << QString(); // the test body skips or fails it
        return;
    }
    QString error;
    addRows(loadSources({fixturesDir}, &error));
}

void TestReadOnly::fixturesStayUntouched() {
    REQUIRE_FIXTURES();
    checkUntouched();
}

void TestReadOnly::generatedDatabasesStayUntouched_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("name");
    addRows(generatedSources());
}

void TestReadOnly::generatedDatabasesStayUntouched() {
    checkUntouched();
}

// The damaged inputs kept as regressions, and copies damaged here in every way the damage tool knows.
void TestReadOnly::damagedDatabasesStayUntouched_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("name");
    QString error;
    addRows(loadSources({damagedDir}, &error));
    const QList<SourceDatabase> sources = generatedSources();
    for (int i = 0; i < damagedCopies && !sources.isEmpty(); ++i) {
        const SourceDatabase& source = sources[i % sources.size()];
        const DamagedCopy copy = damageCopy(source.bytes, caseSeed(damageSeed, quint64(i)));
        QTest::newRow(
            qPrintable(QStringLiteral("%1 %2 #%3").arg(damageKindName(copy.kind), source.name).arg(i)))
            << copy.bytes << source.name;
    }
}

void TestReadOnly::damagedDatabasesStayUntouched() {
    checkUntouched();
}

void TestReadOnly::checkUntouched() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, name);
    const QTemporaryDir folder(folder_.filePath(QStringLiteral("case-XXXXXX")));
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(name);
    QVERIFY(placeWritableCopy(bytes, path));
    const Stamp before = stampOf(path);
    QVERIFY(before.bytes == bytes);

    WriteWatch watch(path);
    QVERIFY(watch.isValid());
    readEverything(path);
    if (QTest::currentTestFailed())
        return;
    const FileEvents events = watch.take();

    QVERIFY2(events.opens > 0, "the database was never opened: the watch proves nothing");
    QCOMPARE(events.writeCloses, 0);
    QCOMPARE(events.modifications, 0);
    QCOMPARE(events.attributeChanges, 0);
    QCOMPARE(events.movesOrDeletes, 0);
    QVERIFY2(stampOf(path) == before, "bytes, size, modification or change time differ");
    // Nothing beside it either: no lock file, no temporary copy.
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{name});
}

QTEST_GUILESS_MAIN(TestReadOnly)
#include "TestReadOnly.moc"
