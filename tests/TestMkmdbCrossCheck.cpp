// The written databases read by an independent reader, the npm package mdb-reader (tests/node): every
// database of the test corpus must show exactly the described tables, system flags, columns (type, size,
// fixed or variable, AutoNumber Long or GUID) and the rows of MSysRelationships. mdb-reader reads neither
// indexes nor column properties; the reader tests cover those.

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

} // namespace

class TestMkmdbCrossCheck : public QObject {
    Q_OBJECT

private slots:
    void corpus_data();
    void corpus();
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

QTEST_GUILESS_MAIN(TestMkmdbCrossCheck)
#include "TestMkmdbCrossCheck.moc"
