// The written databases read by an independent reader, the npm package mdb-reader (tests/node): every
// database of the test corpus must show exactly the described tables, system flags, columns (type, size,
// fixed or variable, AutoNumber Long or GUID), the rows of MSysRelationships, and every row of every table
// value by value. mdb-reader reads neither indexes nor column properties; the reader tests cover those.

#include "MdbSchemaJson.h"
#include "MdbTestCorpus.h"
#include "MdbWriter.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <cstring>

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

struct ReaderView {
    QString type;
    int size;
    bool fixed;
};

// What mdb-reader reports for a column of the given description. It reads a calculated column by its
// type byte, which is the result's, and its stored length, 23 bytes of calculation data included; every
// fixed-size result takes 39 bytes.
ReaderView readerView(const MdbColumn& c) {
    if (c.expression && c.type == MdbColumnType::Text)
        return {"text", 2 * (c.length > 0 ? c.length : 50) + 23, false};
    if (c.expression) {
        MdbColumn plain = c;
        plain.expression.reset();
        return {readerView(plain).type, 39, false};
    }
    switch (c.type) {
    case MdbColumnType::YesNo:
        return {"boolean", 0, true}; // mdb-reader gives Yes/No no size
    case MdbColumnType::Byte:
        return {"byte", 1, true};
    case MdbColumnType::Integer:
        return {"integer", 2, true};
    case MdbColumnType::Long:
        return {"long", 4, true};
    case MdbColumnType::Currency:
        return {"currency", 8, true};
    case MdbColumnType::Single:
        return {"float", 4, true};
    case MdbColumnType::Double:
        return {"double", 8, true};
    case MdbColumnType::DateTime:
        return {"datetime", 8, true};
    case MdbColumnType::Binary:
        return {"binary", c.length > 0 ? c.length : 255, false};
    case MdbColumnType::Text:
        return {"text", 2 * (c.length > 0 ? c.length : 50), false};
    case MdbColumnType::OleObject:
        return {"ole", 0, false};
    case MdbColumnType::Memo:
        return {"memo", 0, false};
    case MdbColumnType::Guid:
        return {"repid", 16, true};
    case MdbColumnType::Decimal:
        return {"numeric", 17, true};
    case MdbColumnType::DateTimeExtended: // in a database of its own (TestDataServers), not the corpus
        qFatal("no Date/Time Extended column is expected in the corpus");
    case MdbColumnType::Unknown:
        break; // mdb-reader refuses the whole table
    }
    return {};
}

QString describe(const MdbColumn& c) {
    const auto v = readerView(c);
    const char* autoNumber = !c.autoNumber ? "" : c.type == MdbColumnType::Guid ? " auto-guid" : " auto";
    QString s = QString("%1 %2 %3 %4%5")
                    .arg(qs(c.name), v.type)
                    .arg(v.size)
                    .arg(v.fixed ? "fixed" : "variable", autoNumber);
    // Access stores no precision or scale for a calculated Decimal.
    if (c.type == MdbColumnType::Decimal)
        s += c.expression ? QString(" (0,0)") : QString(" (%1,%2)").arg(c.precision).arg(c.scale);
    return s;
}

QString describe(const QJsonObject& c) {
    QString s =
        QString("%1 %2 %3 %4%5")
            .arg(c["name"].toString(), c["type"].toString())
            .arg(c["size"].toInt())
            .arg(c["fixedLength"].toBool() ? "fixed" : "variable", c["autoLong"].toBool()   ? " auto"
                                                                   : c["autoUUID"].toBool() ? " auto-guid"
                                                                                            : "");
    if (c["type"].toString() == "numeric")
        s += QString(" (%1,%2)").arg(c["precision"].toInt()).arg(c["scale"].toInt());
    if (!c["nullable"].toBool())
        s += " not-nullable";
    return s;
}

template <typename T> QString littleEndianHex(T v) {
    MdbBytes b(sizeof v);
    std::memcpy(b.data(), &v, sizeof v);
    return qs(mdbBytesToHex(b));
}

MdbDecimal currencyAsDecimal(std::int64_t tenThousandths) {
    const bool negative = tenThousandths < 0;
    const auto magnitude = negative ? ~std::uint64_t(tenThousandths) + 1 : std::uint64_t(tenThousandths);
    return {negative, {std::uint32_t(magnitude), std::uint32_t(magnitude >> 32), 0}, 4};
}

// A date as mdb-reader gives it: milliseconds since 1970, counted from the days as one line of arithmetic
// and rounded half up, as JavaScript's Math.round does.
QString readerMilliseconds(double days) {
    const double ms = (days - 25569.0) * 86400.0 * 1000.0;
    double rounded = std::floor(ms);
    if (ms - rounded >= 0.5)
        rounded += 1;
    return QString::number(qint64(rounded));
}

// The value read-written-rows.mjs prints for a value of the column: the exact forms that script describes.
QJsonValue readerValue(const MdbColumn& c, const std::optional<MdbValue>& value) {
    if (!value)
        return c.type == MdbColumnType::YesNo ? QJsonValue(false) : QJsonValue(QJsonValue::Null);
    const MdbValue& v = *value;
    switch (c.type) {
    case MdbColumnType::YesNo:
        return std::get<bool>(v);
    case MdbColumnType::Byte:
    case MdbColumnType::Integer:
    case MdbColumnType::Long:
        return double(std::get<std::int64_t>(v));
    case MdbColumnType::Single:
        return littleEndianHex(std::get<float>(v));
    case MdbColumnType::Double:
        return littleEndianHex(std::get<double>(v));
    case MdbColumnType::DateTime:
        return readerMilliseconds(std::get<double>(v));
    case MdbColumnType::Currency:
        return qs(mdbDecimalToString(currencyAsDecimal(std::get<MdbCurrency>(v).tenThousandths)));
    case MdbColumnType::Decimal:
        return qs(mdbDecimalToString(*mdbDecimalAtScale(std::get<MdbDecimal>(v), c.scale)));
    case MdbColumnType::Text:
    case MdbColumnType::Memo:
        return qs(std::get<std::string>(v));
    case MdbColumnType::DateTimeExtended:
        qFatal("no Date/Time Extended column is expected in the corpus");
    case MdbColumnType::Binary:
    case MdbColumnType::OleObject:
    case MdbColumnType::Unknown:
        return qs(mdbBytesToHex(std::get<MdbBytes>(v)));
    case MdbColumnType::Guid:
        return qs(mdbGuidToString(std::get<MdbGuid>(v))).mid(1, 36).toLower();
    }
    return {};
}

QString shown(const QJsonValue& v) {
    const QString text = v.isString()
                             ? "\"" + v.toString() + "\""
                             : QString::fromUtf8(QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact));
    return text.size() > 120 ? text.left(120) + "... (" + QString::number(text.size()) + " characters)"
                             : text;
}

} // namespace

class TestMkmdbCrossCheck : public QObject {
    Q_OBJECT

private slots:
    void corpus_data();
    void corpus();
    void rows_data();
    void rows();
};

void TestMkmdbCrossCheck::corpus_data() {
    QTest::addColumn<QString>("name");
    for (const auto& db : mdbTestCorpus())
        QTest::addRow("%s", db.name.c_str()) << qs(db.name);
    QTest::addRow("bundled sample") << QString(); // examples/sample.mdb as committed
}

void TestMkmdbCrossCheck::corpus() {
    QFETCH(QString, name);
    MdbSchema schema;
    QString file;
    QTemporaryDir dir;
    if (name.isEmpty()) {
        QFile sample(QString(VELTRANE_EXAMPLES_DIR) + "/sample.json");
        QVERIFY(sample.open(QIODevice::ReadOnly));
        const auto parsed = parseMdbSchemaJson(sample.readAll(), nullptr);
        QVERIFY(parsed);
        schema = *parsed;
        file = QString(VELTRANE_EXAMPLES_DIR) + "/sample.mdb";
    } else {
        schema = mdbTestDatabase(name.toStdString());
        file = dir.filePath(name + ".mdb");
        std::string error;
        QVERIFY2(writeMdb(schema, file.toStdString(), &error), error.c_str());
    }

    QProcess node;
    node.start(VELTRANE_NODE, {VELTRANE_NODE_SCRIPT, file});
    QVERIFY(node.waitForFinished(120000));
    QVERIFY2(node.exitCode() == 0, node.readAllStandardError().constData());
    const QJsonObject output = QJsonDocument::fromJson(node.readAllStandardOutput()).object();
    const auto seen = output["tables"].toArray();

    QStringList expectedTables{"MSysObjects system", "MSysACEs system", "MSysQueries system",
                               "MSysRelationships system"};
    for (const auto& t : schema.tables)
        expectedTables << qs(t.name) + (t.system ? " system" : "");
    QStringList seenTables;
    for (const auto& t : seen)
        seenTables << t.toObject()["name"].toString() + (t.toObject()["system"].toBool() ? " system" : "");
    QCOMPARE(seenTables, expectedTables);

    for (qsizetype i = 0; i < qsizetype(schema.tables.size()); ++i) {
        const auto& t = schema.tables[std::size_t(i)];
        QStringList expectedColumns;
        for (const auto& c : t.columns)
            expectedColumns << describe(c);
        // A type byte mdb-reader does not know makes it refuse the table's columns: the byte arrived.
        if (std::any_of(t.columns.begin(), t.columns.end(),
                        [](const MdbColumn& c) { return c.type == MdbColumnType::Unknown; }))
            expectedColumns = QStringList{"error: Unsupported column type"};
        const QJsonObject seenTable = seen[i + 4].toObject();
        QStringList seenColumns;
        if (seenTable.contains("error"))
            seenColumns << "error: " + seenTable["error"].toString();
        for (const auto& c : seenTable["columns"].toArray())
            seenColumns << describe(c.toObject());
        QCOMPARE(seenColumns, expectedColumns);
    }

    // One MSysRelationships row per column pair: name, grbit, ccolumn, icolumn and the four names.
    QStringList expectedRows;
    for (const auto& r : schema.relationships) {
        const int grbit = (r.enforced ? 0 : 0x2) | (r.cascadeUpdate ? 0x100 : 0) |
                          (r.cascadeDelete ? 0x1000 : 0) | (r.cascadeSetNull ? 0x2000 : 0);
        for (std::size_t i = 0; i < r.columns.size(); ++i)
            expectedRows << QString("%1|%2|%3|%4|%5|%6|%7|%8")
                                .arg(qs(r.name))
                                .arg(grbit)
                                .arg(r.columns.size())
                                .arg(i)
                                .arg(qs(r.table), qs(r.columns[i]), qs(r.referencedTable),
                                     qs(r.referencedColumns[i]));
    }
    QStringList seenRows;
    for (const auto& row : output["relationships"].toArray()) {
        const auto o = row.toObject();
        seenRows << QString("%1|%2|%3|%4|%5|%6|%7|%8")
                        .arg(o["szRelationship"].toString())
                        .arg(o["grbit"].toInt())
                        .arg(o["ccolumn"].toInt())
                        .arg(o["icolumn"].toInt())
                        .arg(o["szObject"].toString(), o["szColumn"].toString(),
                             o["szReferencedObject"].toString(), o["szReferencedColumn"].toString());
    }
    QCOMPARE(seenRows, expectedRows);
}

void TestMkmdbCrossCheck::rows_data() {
    QTest::addColumn<QString>("name");
    for (const auto& db : mdbTestCorpus())
        if (std::any_of(db.schema.tables.begin(), db.schema.tables.end(),
                        [](const MdbTable& t) { return !t.rows.empty(); }))
            QTest::addRow("%s", db.name.c_str()) << qs(db.name);
}

// Every row of every table, in the order written, each value exactly: the number, the bits of a float, the
// digits of a Currency or Decimal, every UTF-16 unit of a text, every byte of a long value.
void TestMkmdbCrossCheck::rows() {
    QFETCH(QString, name);
    const MdbSchema schema = mdbTestDatabase(name.toStdString());
    QTemporaryDir dir;
    const QString file = dir.filePath(name + ".mdb");
    std::string error;
    QVERIFY2(writeMdb(schema, file.toStdString(), &error), error.c_str());

    QProcess node;
    node.start(VELTRANE_NODE, {VELTRANE_NODE_ROWS_SCRIPT, file});
    QVERIFY(node.waitForFinished(120000));
    QVERIFY2(node.exitCode() == 0, node.readAllStandardError().constData());
    QMap<QString, QJsonObject> seen;
    for (const auto& t : QJsonDocument::fromJson(node.readAllStandardOutput()).object()["tables"].toArray())
        seen[t.toObject()["name"].toString()] = t.toObject();

    for (const auto& t : schema.tables) {
        if (t.rows.empty())
            continue;
        QVERIFY2(seen.contains(qs(t.name)), qPrintable("mdb-reader does not list " + qs(t.name)));
        const QJsonObject table = seen[qs(t.name)];
        QVERIFY2(!table.contains("error"), qPrintable(qs(t.name) + ": " + table["error"].toString()));
        QCOMPARE(table["rowCount"].toInt(), int(t.rows.size()));
        const QJsonArray rows = table["rows"].toArray();
        QCOMPARE(rows.size(), qsizetype(t.rows.size()));
        for (std::size_t r = 0; r < t.rows.size(); ++r) {
            const QJsonArray read = rows[qsizetype(r)].toArray();
            QCOMPARE(read.size(), qsizetype(t.columns.size()));
            for (std::size_t i = 0; i < t.columns.size(); ++i) {
                const QJsonValue expected = readerValue(t.columns[i], t.rows[r][i]);
                const QJsonValue got = read[qsizetype(i)];
                QVERIFY2(got == expected,
                         qPrintable(QString("%1, row %2, column %3: wrote %4, read %5")
                                        .arg(qs(t.name))
                                        .arg(r + 1)
                                        .arg(qs(t.columns[i].name), shown(expected), shown(got))));
            }
        }
    }
}

QTEST_GUILESS_MAIN(TestMkmdbCrossCheck)
#include "TestMkmdbCrossCheck.moc"
