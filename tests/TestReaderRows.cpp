// The rows of the real Access files through the reader process, value for value against the independent
// reader mdb-reader (tests/node/read-rows.mjs): every table it can read, every column it can decode, reals
// by their bits and texts character for character. mdb-reader knows no calculated columns (it reads their
// calculation data as the value), so those are checked against the results Access stored, as the file's
// authors list them.

#include "FileTestHelpers.h"
#include "ReaderProcess.h"
#include "RowsProtocol.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <bit>
#include <charconv>
#include <cmath>

namespace {

QString fixture(const QString& name) {
    return QStringLiteral(VELTRANE_FIXTURES_DIR "/") + name;
}

QString hexOf(std::string_view bytes) {
    return QString::fromLatin1(QByteArray(bytes.data(), qsizetype(bytes.size())).toHex());
}

QString doubleHex(double value) {
    std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
    QByteArray bytes;
    for (int i = 0; i < 8; ++i, bits >>= 8)
        bytes.append(char(bits & 0xFF));
    return QString::fromLatin1(bytes.toHex());
}

// Ten-thousandths as mdb-reader writes a Currency: "-0.5000".
QString currencyText(std::int64_t value) {
    const std::uint64_t magnitude = value < 0 ? 0 - std::uint64_t(value) : std::uint64_t(value);
    return QStringLiteral("%1%2.%3")
        .arg(value < 0 ? "-" : "")
        .arg(magnitude / 10000)
        .arg(magnitude % 10000, 4, 10, QLatin1Char('0'));
}

// A GUID as mdb-reader writes it: the first three groups little-endian.
QString guidText(std::string_view bytes) {
    const QString hex = hexOf(bytes);
    const auto swapped = [&](int from, int size) {
        QString group;
        for (int i = from + size - 1; i >= from; --i)
            group += hex.mid(2 * i, 2);
        return group;
    };
    return swapped(0, 4) + "-" + swapped(4, 2) + "-" + swapped(6, 2) + "-" + hex.mid(16, 4) + "-" +
           hex.mid(20);
}

// JavaScript's Math.round of mdb-reader's milliseconds since 1970.
qint64 dateMilliseconds(double days) {
    const double x = (days - 25569) * 86400 * 1000;
    double rounded = std::floor(x);
    if (x - rounded >= 0.5)
        rounded += 1;
    return qint64(rounded);
}

// One value as text, from what mdb-reader calls the column's type; a kind that the type cannot have shows.
QString ours(const QString& type, const DataValue& value) {
    if (value.kind == ValueKind::Null)
        return QStringLiteral("null");
    const auto expect = [&](ValueKind kind, const QString& text) {
        return value.kind == kind ? text : QStringLiteral("kind %1").arg(int(value.kind));
    };
    if (type == "boolean")
        return expect(ValueKind::Boolean, value.integer ? "true" : "false");
    if (type == "byte" || type == "integer" || type == "long" || type == "bigint")
        return expect(ValueKind::Integer, QString::number(value.integer));
    if (type == "currency")
        return expect(ValueKind::Currency, currencyText(value.integer));
    if (type == "float")
        return expect(ValueKind::Single, doubleHex(value.real));
    if (type == "double")
        return expect(ValueKind::Double, doubleHex(value.real));
    if (type == "datetime")
        return expect(ValueKind::DateTime, QString::number(dateMilliseconds(value.real)));
    if (type == "text" || type == "memo")
        return expect(ValueKind::Text,
                      "'" + QString::fromUtf8(value.bytes.data(), qsizetype(value.bytes.size())));
    if (type == "numeric")
        return expect(ValueKind::Decimal,
                      QString::fromLatin1(value.bytes.data(), qsizetype(value.bytes.size())));
    if (type == "repid")
        return expect(ValueKind::Guid, guidText(value.bytes));
    if (type == "binary" || type == "ole")
        return expect(ValueKind::Bytes, hexOf(value.bytes));
    return QStringLiteral("kind %1").arg(int(value.kind));
}

QString theirs(const QString& type, const QJsonValue& value) {
    if (value.isNull())
        return QStringLiteral("null");
    if (type == "boolean")
        return value.toBool() ? "true" : "false";
    if (type == "byte" || type == "integer" || type == "long" || type == "datetime")
        return QString::number(qint64(value.toDouble()));
    if (type == "text" || type == "memo")
        return "'" + value.toString();
    return value.toString();
}

struct TableRows {
    QStringList lines;
    RowsRead read;
};

// Each row a line; calculated columns (skip) as "-".
TableRows readRows(ReaderProcess& reader, const QString& path, const QString& table, const QStringList& types,
                   const QList<bool>& skip) {
    TableRows rows;
    rows.read = reader.ReadTableRows(path, table, [&](const RowBatch& batch) {
        if (batch.columns != types.size()) {
            rows.lines << QStringLiteral("batch of %1 columns").arg(batch.columns);
            return false;
        }
        // Batches are bounded: 1,000 rows, 64 KiB of values, unless one row alone is larger.
        if (batch.rows() > 1000 || (batch.rows() > 1 && batch.storage.size() > 64 * 1024 + 16)) {
            rows.lines
                << QStringLiteral("batch of %1 rows in %2 bytes").arg(batch.rows()).arg(batch.storage.size());
            return false;
        }
        for (std::size_t r = 0; r < batch.rows(); ++r) {
            QStringList values;
            for (int c = 0; c < batch.columns; ++c)
                values << (skip[c] ? QStringLiteral("-") : ours(types[c], batch.row(r)[c]));
            rows.lines << values.join(" | ");
        }
        return true;
    });
    return rows;
}

// A value as plain text, whatever its kind.
QString plainText(const DataValue& value) {
    const std::string_view bytes = value.bytes;
    switch (value.kind) {
    case ValueKind::Null:
        return QStringLiteral("null");
    case ValueKind::Boolean:
        return value.integer ? QStringLiteral("true") : QStringLiteral("false");
    case ValueKind::Integer:
        return QString::number(value.integer);
    case ValueKind::Currency:
        return currencyText(value.integer);
    case ValueKind::Single: {
        char digits[32];
        const auto end = std::to_chars(digits, digits + sizeof digits, float(value.real)).ptr;
        return QString::fromLatin1(digits, end - digits);
    }
    case ValueKind::Double:
    case ValueKind::DateTime:
        return doubleHex(value.real);
    case ValueKind::Decimal:
    case ValueKind::Text:
        return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
    case ValueKind::Bytes:
    case ValueKind::Guid:
        return hexOf(bytes);
    }
    return {};
}

// The names of the calculated columns of each table.
QHash<QString, QStringList> calculatedColumns(ReaderProcess& reader, const QString& path) {
    QHash<QString, QStringList> calculated;
    const auto schema = reader.GetDatabaseSchema(path);
    if (const auto* database = std::get_if<DatabaseSchema>(&schema))
        for (const TableDefinition& table : database->tables)
            for (const ColumnDefinition& column : table.columns)
                if (column.calculated)
                    calculated[table.name] << column.name;
    return calculated;
}

} // namespace

class TestReaderRows : public QObject {
    Q_OBJECT

private slots:
    void everyValueMatchesTheIndependentReader_data();
    void everyValueMatchesTheIndependentReader();
    void calculatedColumnsHoldTheirResults();
    void missingTableIsAFailure();
    void linkedTableIsReadThroughItsLink();
    void callerCanStopReading();
    void damagedFilesEndInATail();
};

void TestReaderRows::everyValueMatchesTheIndependentReader_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("tables"); // at least this many compared
    QTest::addColumn<QString>("password");
    QTest::addRow("ACE 14, written by Jackcess") << QStringLiteral("dataTypesV2010.accdb") << 2 << QString();
    QTest::addRow("Jet 4, written by Jackcess") << QStringLiteral("dataTypesV2003.mdb") << 2 << QString();
    QTest::addRow("Jet 3") << QStringLiteral("testV1997.mdb") << 4 << QString();
    QTest::addRow("calculated columns") << QStringLiteral("calcFieldTestV2010.accdb") << 1 << QString();
    // mdb-reader decrypts agile SHA-512 files; it reads neither of the Access 2007 encrypted fixtures.
    QTest::addRow("agile encryption") << QStringLiteral("db2013-enc.accdb") << 1 << QStringLiteral("1234");
    QTest::addRow("Jet 4, encoded by the engine") << QStringLiteral("db-enc.mdb") << 1 << QString();
    QTest::addRow("Jet 3, encoded by the engine") << QStringLiteral("db97-enc.mdb") << 1 << QString();
}

void TestReaderRows::everyValueMatchesTheIndependentReader() {
    REQUIRE_FIXTURES();
    QFETCH(QString, file);
    QFETCH(int, tables);
    QFETCH(QString, password);
    const QString path = fixture(file);

    QProcess node;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("VELTRANE_PASSWORD"), password);
    node.setProcessEnvironment(environment);
    node.start(VELTRANE_NODE, {VELTRANE_NODE_ROWS_SCRIPT, path});
    QVERIFY(node.waitForFinished(300'000));
    QVERIFY2(node.exitCode() == 0, node.readAllStandardError().constData());
    const QJsonArray seen =
        QJsonDocument::fromJson(node.readAllStandardOutput()).object()["tables"].toArray();

    ReaderProcess reader;
    reader.setPassword(password.toStdString());
    const QHash<QString, QStringList> calculated = calculatedColumns(reader, path);
    // The engine shows no multi-valued column's storage table; mdb-reader does.
    const TableList listed = reader.GetTableNames(path);
    QVERIFY(std::holds_alternative<TextList>(listed));
    const QStringList names = std::get<TextList>(listed).items();
    int compared = 0;
    for (const QJsonValue& entry : seen) {
        const QJsonObject table = entry.toObject();
        const QString name = table["name"].toString();
        if (table.contains("error") || !names.contains(name))
            continue; // a column type mdb-reader cannot read, or a table the engine does not show
        QStringList types;
        QList<bool> skip;
        for (const QJsonValue& column : table["columns"].toArray()) {
            types << column["type"].toString();
            // The independent reader gives no value for a complex column; ours gives the number that links
            // the row to its values, which the child tables' rows check.
            skip << (calculated.value(name).contains(column["name"].toString()) ||
                     column["type"].toString() == "complex");
        }
        QStringList expected;
        for (const QJsonValue& row : table["rows"].toArray()) {
            QStringList values;
            const QJsonArray array = row.toArray();
            for (int c = 0; c < types.size(); ++c)
                values << (skip[c] ? QStringLiteral("-") : theirs(types[c], array[c]));
            expected << values.join(" | ");
        }
        const TableRows rows = readRows(reader, path, name, types, skip);
        QVERIFY2(!rows.read.failure,
                 qPrintable(name + ": " + (rows.read.failure ? rows.read.failure->description : "")));
        QVERIFY2(rows.read.complete, qPrintable(name));
        QCOMPARE(rows.read.rows, qint64(expected.size()));
        for (qsizetype i = 0; i < expected.size(); ++i)
            if (rows.lines[i] != expected[i])
                QFAIL(qPrintable(QStringLiteral("%1, row %2:\n ours:   %3\n theirs: %4")
                                     .arg(name)
                                     .arg(i)
                                     .arg(rows.lines[i].left(2000), expected[i].left(2000))));
        ++compared;
    }
    QVERIFY(compared >= tables);
}

void TestReaderRows::calculatedColumnsHoldTheirResults() {
    REQUIRE_FIXTURES();
    // The results Access stored, as the file's authors list them (a Single by its float's shortest text).
    const QStringList expected = {
        "1|Bruce|Wayne|Wayne, Bruce|Gotham|12|1000000.0000|83333.3333|true|Wayne, Bruce=Wayne, Bruce|"
        "19230.7692307692|1000000.0000|true|50.325000|50.325000|2583.2092|56505085819.424791296572280180",
        "2|Bart|Simpson|Simpson, Bart|Springfield|13|-1.0000|-0.0833|false|Simpson, Bart=Simpson, Bart|"
        "-0.0192307692307692|-1.0000|true|-36.222200|-36.222200|0.0035889593|-0.0784734499180612994241100748",
        "3|John|Doe|Doe, John|Nowhere|9|0.0000|0.0000|false|Doe, John=Doe, "
        "John|0|0.0000|true|0.012300|0.012300|"
        "0|0.00000000",
        "4|Test|User|User, Test|Hockessin|10|100.0000|8.3333|false|User, Test=User, Test|1.92307692307692|"
        "100.0000|true|102030405060.654321|102030405060.654321|1.27413e-10|0.0000002787019289824216980830",
    };
    ReaderProcess reader;
    QStringList seen;
    const RowsRead read =
        reader.ReadTableRows(fixture("calcFieldTestV2010.accdb"), "Table1", [&](const RowBatch& batch) {
            for (std::size_t r = 0; r < batch.rows(); ++r) {
                QStringList values;
                for (int c = 0; c < batch.columns; ++c)
                    values << plainText(batch.row(r)[c]);
                seen << values.join('|');
            }
            return true;
        });
    QVERIFY(!read.failure);
    QVERIFY(read.complete);
    QCOMPARE(seen, expected);
}

void TestReaderRows::missingTableIsAFailure() {
    REQUIRE_FIXTURES();
    ReaderProcess reader;
    const RowsRead read =
        reader.ReadTableRows(fixture("testV1997.mdb"), "No such table", [](const RowBatch&) { return true; });
    QCOMPARE(read.rows, 0);
    QVERIFY(!read.complete);
    QVERIFY(read.failure);
    QCOMPARE(read.failure->number, 3078);
}

void TestReaderRows::linkedTableIsReadThroughItsLink() {
    REQUIRE_FIXTURES();
    ReaderProcess reader;
    const auto count = [&](const QString& file, const QString& table) {
        return reader.ReadTableRows(fixture(file), table, [](const RowBatch&) { return true; });
    };
    const RowsRead linked = count("linkerTestV2007.accdb", "Table2");
    const RowsRead target = count("linkeeTest.accdb", "Table1");
    QVERIFY(!linked.failure);
    QVERIFY(linked.complete);
    QVERIFY(target.rows > 0);
    QCOMPARE(linked.rows, target.rows);
}

void TestReaderRows::callerCanStopReading() {
    REQUIRE_FIXTURES();
    ReaderProcess reader;
    std::size_t largestBatch = 0;
    int batches = 0;
    const RowsRead stopped =
        reader.ReadTableRows(fixture("dataTypesV2010.accdb"), "Order Details", [&](const RowBatch& batch) {
            largestBatch = std::max(largestBatch, batch.rows());
            return ++batches < 2;
        });
    QCOMPARE(batches, 2);
    QVERIFY(largestBatch <= 1000);
    QVERIFY(stopped.rows < 5000);
    QVERIFY(!stopped.complete);
    QVERIFY(!stopped.failure);
    // The next request is answered in full by a fresh reader.
    const RowsRead whole = reader.ReadTableRows(fixture("dataTypesV2010.accdb"), "Order Details",
                                                [](const RowBatch&) { return true; });
    QCOMPARE(whole.rows, 5000);
    QVERIFY(whole.complete);
}

// Bytes changed at random all over a file: the reader program answers every request with well-formed
// frames ending in a tail, and ends normally when its input ends.
void TestReaderRows::damagedFilesEndInATail() {
    REQUIRE_FIXTURES();
    const QByteArray original = readBytes(fixture("dataTypesV2003.mdb"));
    QVERIFY(!original.isEmpty());
    QTemporaryDir folder;
    const QString path = folder.filePath("damaged.mdb");
    const QStringList tables = {"Order Details", "Documents", "MSysObjects"};
    std::string requests;
    for (const QString& table : tables)
        requests += readerprotocol::encode(readerprotocol::Request{readerprotocol::RequestKind::Rows,
                                                                   path.toStdString(), table.toStdString()});
    constexpr int files = 60;
    int incomplete = 0;
    for (int seed = 1; seed <= files; ++seed) {
        QByteArray damaged = original;
        QRandomGenerator random{quint32(seed)};
        // Past the header page, which only decides whether the file opens at all.
        for (int i = 0; i < 40; ++i)
            damaged[4096 + qsizetype(random.bounded(quint32(damaged.size() - 4096)))] =
                char(random.bounded(256));
        writeBytes(path, damaged);

        QProcess process;
        process.start(QStringLiteral(VELTRANE_BIN_DIR "/veltrane-reader"));
        QVERIFY(process.waitForStarted());
        process.write(requests.data(), qint64(requests.size()));
        process.closeWriteChannel();
        QVERIFY2(process.waitForFinished(60'000), qPrintable(QString::number(seed)));
        QVERIFY2(process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0,
                 qPrintable(QStringLiteral("seed %1: exit %2").arg(seed).arg(process.exitCode())));
        const QByteArray answer = process.readAllStandardOutput();
        std::string_view rest(answer.constData(), std::size_t(answer.size()));
        int tails = 0;
        while (!rest.empty()) {
            const std::optional<std::uint32_t> size = readerprotocol::frameSize(rest);
            QVERIFY(size && *size <= rest.size() - 4);
            const std::string_view payload = rest.substr(4, *size);
            rest.remove_prefix(4 + *size);
            std::uint32_t columns = 0;
            std::vector<DataValue> values;
            if (readerprotocol::rowsFrameKind(payload) == readerprotocol::RowsFrameKind::Tail) {
                const std::optional<readerprotocol::RowsTail> tail = readerprotocol::decodeRowsTail(payload);
                QVERIFY(tail);
                incomplete += tail->complete ? 0 : 1;
                ++tails;
            } else {
                QVERIFY2(readerprotocol::decodeRowsBatch(payload, columns, values),
                         qPrintable(QString::number(seed)));
            }
        }
        QCOMPARE(tails, int(tables.size()));
    }
    qInfo("%d of %d answers were cut short by damage", incomplete, files * int(tables.size()));
}

QTEST_GUILESS_MAIN(TestReaderRows)
#include "TestReaderRows.moc"
