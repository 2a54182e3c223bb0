// The program's own schema reader (ReaderProcess, over libmdb) on the databases of the writer's test
// corpus: table lists, every field row and every index list must be exactly what the descriptions say,
// mapped the way the reader reports Access's field types, sizes and attributes.

#include "MdbSchemaJson.h"
#include "MdbTestCorpus.h"
#include "MdbWriter.h"
#include "ReaderProcess.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

bool byNameIgnoringCase(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) < 0;
}

// The field row a column of the given description must give: DAO type code, size, zero-length flag and
// attributes (1 fixed or 2 variable, +16 AutoNumber Long, +32 updatable).
FieldRow expectedRow(const MdbColumn& c) {
    int type = 0;
    int size = 0;
    bool variable = false;
    switch (c.type) {
    case MdbColumnType::YesNo:
        type = 1, size = 1;
        break;
    case MdbColumnType::Byte:
        type = 2, size = 1;
        break;
    case MdbColumnType::Integer:
        type = 3, size = 2;
        break;
    case MdbColumnType::Long:
        type = 4, size = 4;
        break;
    case MdbColumnType::Currency:
        type = 5, size = 8;
        break;
    case MdbColumnType::Single:
        type = 6, size = 4;
        break;
    case MdbColumnType::Double:
        type = 7, size = 8;
        break;
    case MdbColumnType::DateTime:
        type = 8, size = 8;
        break;
    case MdbColumnType::Binary:
        type = 9, size = c.length > 0 ? c.length : 255, variable = true;
        break;
    case MdbColumnType::Text:
        type = 10, size = c.length > 0 ? c.length : 50, variable = true;
        break;
    case MdbColumnType::OleObject:
        type = 11, size = 0, variable = true;
        break;
    case MdbColumnType::Memo:
        type = 12, size = 0, variable = true;
        break;
    case MdbColumnType::Guid:
        type = 15, size = 16;
        break;
    case MdbColumnType::Decimal:
        type = 20, size = 17;
        break;
    case MdbColumnType::DateTimeExtended:
        type = 0x14, size = 42;
        break;
    case MdbColumnType::Unknown: // passed through as stored
        type = c.typeByte, size = c.length > 0 ? c.length : 255, variable = true;
        break;
    }
    // A calculated column shows its result's type and size, and is stored as a variable column.
    variable = variable || c.expression.has_value();
    // Only an AutoNumber Long is an increment; a GUID AutoNumber has no attribute of its own.
    const int attributes = (variable ? 2 : 1) + (c.autoNumber && c.type == MdbColumnType::Long ? 16 : 0) + 32;
    return FieldRow{qs(c.name), QString::number(type), QString::number(size),
                    c.allowZeroLength.value_or(false) ? "True" : "False", QString::number(attributes)};
}

QString show(const FieldTable& fields) {
    QStringList rows;
    for (const auto& r : fields.rows())
        rows << QStringList{r.name, r.type, r.size, r.allowZeroLength, r.attributes}.join(" | ");
    return rows.join("\n");
}

QString show(const IndexList& indexes) {
    if (std::holds_alternative<NoIndexes>(indexes))
        return "NOT";
    return std::get<TextList>(indexes).items().join(", ");
}

} // namespace

class TestMkmdbReader : public QObject {
    Q_OBJECT

private:
    struct Database {
        QString name;
        MdbSchema schema;
        QString path;
    };
    QTemporaryDir dir_;
    ReaderProcess reader_;
    std::vector<Database> databases_; // the corpus, written at test time, and the bundled sample

private slots:
    void initTestCase();
    void tableNames_data();
    void tableNames();
    void fieldsAndIndexes_data();
    void fieldsAndIndexes();
};

void TestMkmdbReader::initTestCase() {
    QVERIFY(dir_.isValid());
    for (const auto& db : mdbTestCorpus()) {
        const QString path = dir_.filePath(qs(db.name) + ".mdb");
        std::string error;
        QVERIFY2(writeMdb(db.schema, path.toStdString(), &error), error.c_str());
        databases_.push_back({qs(db.name), db.schema, path});
    }
    QFile sample(QString(VELTRANE_EXAMPLES_DIR) + "/sample.json");
    QVERIFY(sample.open(QIODevice::ReadOnly));
    const auto schema = parseMdbSchemaJson(sample.readAll(), nullptr);
    QVERIFY(schema);
    databases_.push_back({"sample", *schema, QString(VELTRANE_EXAMPLES_DIR) + "/sample.mdb"});
}

void TestMkmdbReader::tableNames_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("expected");
    for (const auto& db : databases_) {
        QStringList names{"MSysObjects", "MSysACEs", "MSysQueries", "MSysRelationships"};
        for (const auto& t : db.schema.tables)
            names << qs(t.name);
        std::sort(names.begin(), names.end(), byNameIgnoringCase);
        QTest::addRow("%s", qPrintable(db.name)) << db.path << names;
    }
}

void TestMkmdbReader::tableNames() {
    QFETCH(QString, file);
    QFETCH(QStringList, expected);
    const auto tables = reader_.GetTableNames(file);
    if (const auto* failure = std::get_if<ReadFailure>(&tables))
        QFAIL(qPrintable(QString::number(failure->number) + "  " + failure->description));
    QCOMPARE(std::get<TextList>(tables).items(), expected);
}

void TestMkmdbReader::fieldsAndIndexes_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("fields");
    QTest::addColumn<QString>("indexes");
    for (const auto& db : databases_) {
        for (const auto& t : db.schema.tables) {
            QList<FieldRow> rows;
            for (const auto& c : t.columns)
                rows << expectedRow(c);
            QStringList names;
            for (const auto& ix : t.indexes)
                names << qs(ix.name);
            std::sort(names.begin(), names.end(), byNameIgnoringCase);
            QTest::addRow("%s/%s", qPrintable(db.name), t.name.c_str())
                << db.path << qs(t.name) << show(FieldTable(rows))
                << (names.isEmpty() ? QString("NOT") : names.join(", "));
        }
    }
}

void TestMkmdbReader::fieldsAndIndexes() {
    QFETCH(QString, file);
    QFETCH(QString, table);
    QFETCH(QString, fields);
    QFETCH(QString, indexes);
    QCOMPARE(show(reader_.GetTableFields(file, table)), fields);
    QCOMPARE(show(reader_.GetTableIndexes(file, table)), indexes);
}

QTEST_GUILESS_MAIN(TestMkmdbReader)
#include "TestMkmdbReader.moc"
