// The one-request reader: a run asks it the same questions it would ask the reader process one by one, and
// gets the same answers, from one request per table list.

#include "OneRequestReader.h"
#include "ReaderProcess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString fixturesDir = QStringLiteral(VELTRANE_FIXTURES_DIR);

QString fixture(const QString& name) {
    return fixturesDir + QLatin1Char('/') + name;
}

bool sameTables(const TableList& one, const TableList& other) {
    return one == other;
}

} // namespace

class TestOneRequestReader : public QObject {
    Q_OBJECT
private slots:
    void answersEqualPerCallAnswers_data();
    void answersEqualPerCallAnswers();
    void failureIsRememberedUntilTheNextList();
    void everyListReadsTheFileAfresh();
    void tablesBeforeAnyListAreUnreadable();

private:
    ReaderProcess perCall_;
    ReaderProcess engine_;
};

void TestOneRequestReader::answersEqualPerCallAnswers_data() {
    QTest::addColumn<QString>("file");
    const QStringList files = QDir(fixturesDir).entryList({"*.mdb", "*.accdb"}, QDir::Files, QDir::Name);
    for (const QString& file : files)
        QTest::newRow(qPrintable(file)) << file;
}

void TestOneRequestReader::answersEqualPerCallAnswers() {
    if (!QFileInfo(fixturesDir).isDir())
        QSKIP("The Access fixtures folder (../shared/fixtures) is absent");
    QFETCH(QString, file);
    const QString path = fixture(file);
    OneRequestReader reader(engine_);
    const TableList tables = perCall_.GetTableNames(path);
    QVERIFY(sameTables(reader.GetTableNames(path), tables));
    if (std::holds_alternative<ReadFailure>(tables)) {
        QCOMPARE(reader.failure(), std::get<ReadFailure>(tables));
        return;
    }
    QVERIFY(!reader.failure());
    for (const QString& table : std::get<TextList>(tables).items()) {
        QCOMPARE(reader.GetTableFields(path, table), perCall_.GetTableFields(path, table));
        QCOMPARE(reader.GetTableIndexes(path, table), perCall_.GetTableIndexes(path, table));
    }
}

void TestOneRequestReader::failureIsRememberedUntilTheNextList() {
    const QString sample = QStringLiteral(VELTRANE_SOURCE_DIR "/examples/sample.mdb");
    OneRequestReader reader(engine_);
    const TableList missing = reader.GetTableNames(QStringLiteral("/no/such/folder/file.mdb"));
    QVERIFY(std::holds_alternative<ReadFailure>(missing));
    QCOMPARE(reader.failure()->number, 3024);

    const TableList tables = reader.GetTableNames(sample);
    QVERIFY(std::holds_alternative<TextList>(tables));
    QVERIFY(!reader.failure());
    QCOMPARE(std::get<TextList>(tables).upperBound(),
             std::get<TextList>(perCall_.GetTableNames(sample)).upperBound());
}

void TestOneRequestReader::everyListReadsTheFileAfresh() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("db.mdb"));
    QVERIFY(QFile::copy(QStringLiteral(VELTRANE_SOURCE_DIR "/examples/sample.mdb"), path));
    OneRequestReader reader(engine_);
    QVERIFY(std::holds_alternative<TextList>(reader.GetTableNames(path)));
    const QString firstTable = std::get<TextList>(reader.GetTableNames(path)).at(1);
    QVERIFY(reader.GetTableFields(path, firstTable).upperBound() > 1);

    // Replaced by a file that is no database: the next list says so, and nothing of the old one remains.
    QVERIFY(QFile::remove(path));
    QFile other(path);
    QVERIFY(other.open(QIODevice::WriteOnly));
    other.write(QByteArray(4096, 'x'));
    other.close();
    QVERIFY(std::holds_alternative<ReadFailure>(reader.GetTableNames(path)));
    QVERIFY(reader.failure());
    QCOMPARE(reader.GetTableFields(path, firstTable), FieldTable::unreadable());
    QCOMPARE(reader.GetTableIndexes(path, firstTable), unreadableIndexes());
}

void TestOneRequestReader::tablesBeforeAnyListAreUnreadable() {
    OneRequestReader reader(engine_);
    QCOMPARE(reader.GetTableFields(QStringLiteral("x.mdb"), QStringLiteral("T")), FieldTable::unreadable());
    QCOMPARE(reader.GetTableIndexes(QStringLiteral("x.mdb"), QStringLiteral("T")), unreadableIndexes());
    const QString sample = QStringLiteral(VELTRANE_SOURCE_DIR "/examples/sample.mdb");
    QVERIFY(std::holds_alternative<TextList>(reader.GetTableNames(sample)));
    reader.forget();
    QCOMPARE(reader.GetTableFields(sample, std::get<TextList>(perCall_.GetTableNames(sample)).at(1)),
             FieldTable::unreadable());
}

QTEST_GUILESS_MAIN(TestOneRequestReader)
#include "TestOneRequestReader.moc"
