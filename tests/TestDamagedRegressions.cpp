// The smallest damaged inputs the damage tool found for each distinct way libmdb fails (tests/data/damaged,
// each with a note of what it showed and how it was made). The reader process must contain every one of
// them: veltrane-cli answers with a script or with the "damaged" read failure, in time, in both dialects,
// writes nothing and leaves the file as it was; and the next request after it is served by a fresh reader.

#include "CaseRun.h"
#include "ReaderProcess.h"
#include "Sources.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString damagedDir = QStringLiteral(VELTRANE_TEST_DATA_DIR) + QStringLiteral("/damaged");
const QString binDir = QStringLiteral(VELTRANE_BIN_DIR);
constexpr int readerTimeoutSeconds = 2;
constexpr int marginSeconds = 10;

RunLimits limits() {
    RunLimits limits;
    limits.cliProgram = binDir + QStringLiteral("/veltrane-cli");
    limits.readerProgram = binDir + QStringLiteral("/veltrane-reader");
    limits.timeoutSeconds = readerTimeoutSeconds;
    limits.marginSeconds = marginSeconds;
    return limits;
}

// The "outcome:" line of an input's note.
QString noteOutcome(const QString& mdbPath) {
    QFile note(mdbPath.chopped(4) + QStringLiteral(".txt"));
    if (!note.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    for (const QByteArray& line : note.readAll().split('\n')) {
        if (line.startsWith("outcome: "))
            return QString::fromUtf8(line.mid(9)).trimmed();
    }
    return {};
}

QString describe(const CliRun& run) {
    return QStringLiteral("outcome %1, exit %2, %3 ms, \"%4\"")
        .arg(int(run.outcome))
        .arg(run.exitCode)
        .arg(run.milliseconds)
        .arg(run.message);
}

} // namespace

class TestDamagedRegressions : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cliContainsIt_data();
    void cliContainsIt();
    void perCallReaderContainsIt_data();
    void perCallReaderContainsIt();

private:
    void addRows();
    QTemporaryDir folder_;
};

void TestDamagedRegressions::initTestCase() {
    QVERIFY(folder_.isValid());
    qputenv("VELTRANE_READER_TIMEOUT", QByteArray::number(readerTimeoutSeconds));
}

void TestDamagedRegressions::cleanupTestCase() {
    qunsetenv("VELTRANE_READER_TIMEOUT");
}

void TestDamagedRegressions::addRows() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("outcome");
    const QDir folder(damagedDir);
    const QStringList inputs = folder.entryList({QStringLiteral("*.mdb")}, QDir::Files, QDir::Name);
    QVERIFY2(!inputs.isEmpty(), "no damaged inputs in tests/data/damaged");
    for (const QString& name : inputs)
        QTest::newRow(qPrintable(name)) << folder.filePath(name) << noteOutcome(folder.filePath(name));
}

void TestDamagedRegressions::cliContainsIt_data() {
    addRows();
}

void TestDamagedRegressions::cliContainsIt() {
    QFETCH(QString, path);
    QFETCH(QString, outcome);
    QVERIFY2(!outcome.isEmpty(), "the input has no note saying what it showed");
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));

    const CaseResult result = runCase(file.readAll(), QStringLiteral("damaged.mdb"),
                                      folder_.filePath(QStringLiteral("case")), limits());
    QVERIFY2(!distinctOutcome(result).startsWith(QLatin1String("FAIL ")),
             qPrintable(distinctOutcome(result)));
    QVERIFY(!result.databaseChanged);
    QVERIFY2(result.strayFiles.isEmpty(), qPrintable(result.strayFiles.join(QLatin1Char(' '))));
    for (const CliRun* run : {&result.accessSql, &result.tSql}) {
        QVERIFY2(run->outcome == CliOutcome::Script || run->outcome == CliOutcome::ReadFailure,
                 qPrintable(describe(*run)));
        QVERIFY2(run->milliseconds < (readerTimeoutSeconds + marginSeconds) * 1000,
                 qPrintable(describe(*run)));
    }
    // libmdb reads past its buffers on some of these, so whether it dies on one run or the next depends on
    // the heap; each run must answer with a script or with the failure that says the file may be damaged.
    for (const CliRun* run : {&result.accessSql, &result.tSql}) {
        if (run->outcome == CliOutcome::ReadFailure)
            QVERIFY2(run->message.startsWith(QLatin1String("3049  Cannot open database '")) &&
                         run->message.endsWith(QLatin1String("'. The file may be damaged.")),
                     qPrintable(describe(*run)));
    }
}

void TestDamagedRegressions::perCallReaderContainsIt_data() {
    addRows();
}

// The window's road: one request per question, each on a reader that may have died on the one before.
void TestDamagedRegressions::perCallReaderContainsIt() {
    QFETCH(QString, path);
    const QString copy = folder_.filePath(QStringLiteral("per-call.mdb"));
    QFile::remove(copy);
    QVERIFY(QFile::copy(path, copy));
    const QList<SourceDatabase> valid = generatedSources();
    QVERIFY2(!valid.isEmpty(), "no database writer in this build");
    const QString validPath = folder_.filePath(valid.first().name);
    QFile validFile(validPath);
    QVERIFY(validFile.open(QIODevice::WriteOnly));
    validFile.write(valid.first().bytes);
    validFile.close();

    ReaderProcess reader(binDir + QStringLiteral("/veltrane-reader"));
    QElapsedTimer clock;
    clock.start();
    const TableList tables = reader.GetTableNames(copy);
    QStringList names{QStringLiteral("MSysObjects")};
    if (const auto* list = std::get_if<TextList>(&tables))
        names = list->items();
    for (const QString& table : names) {
        reader.GetTableFields(copy, table);
        reader.GetTableIndexes(copy, table);
        QVERIFY(std::holds_alternative<TextList>(reader.GetTableNames(validPath)));
    }
    const qint64 limitMs = qint64(readerTimeoutSeconds + marginSeconds) * 1000 * (1 + 2 * names.size());
    QVERIFY2(clock.elapsed() < limitMs, qPrintable(QStringLiteral("%1 ms").arg(clock.elapsed())));
}

QTEST_GUILESS_MAIN(TestDamagedRegressions)
#include "TestDamagedRegressions.moc"
