// The complete script with its rows, loaded into real servers (PostgreSQL, MariaDB, SQLite, each started by
// the test): every row arrives, value by value, keys and foreign keys hold after the load, the counters
// continue past the loaded AutoNumbers, and the rows of a table cut short by damage stay with a note. The CSV
// files of the same rows are compared whole.

#include "CliWindow.h"
#include "CompleteScriptSamples.h"
#include "CsvExport.h"
#include "DataScript.h"
#include "SchemaReader.h"
#include "TargetDialect.h"
#include "servers/TestServer.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

#define skipOrFail(why)                                                                                      \
    do {                                                                                                     \
        if (qEnvironmentVariableIsSet("VELTRANE_REQUIRE_SERVERS"))                                           \
            QFAIL(qPrintable(why));                                                                          \
        QSKIP(qPrintable(why));                                                                              \
    } while (false)

using samples::column;

// A database of two tables with rows: Customers (an AutoNumber key and a value of every kind) and Orders,
// whose foreign key points at it; its rows are handed over in batches of two.
class RowsReader : public SchemaReader {
public:
    RowsReader() {
        ColumnDefinition id = samples::required(column("ID", JetType::Long, 4));
        id.autoNumber = true;
        ColumnDefinition amount = column("Amount", JetType::Decimal, 17);
        amount.precision = 12;
        amount.scale = 2;
        schema.tables << samples::table(
            "Customers",
            {id, column("Name", JetType::Text, 50), column("Notes", JetType::Memo),
             column("Active", JetType::Boolean, 1), column("Rate", JetType::Double, 8),
             column("Since", JetType::DateTime, 8), column("Credit", JetType::Currency, 8), amount,
             column("Key", JetType::Guid, 16), column("Photo", JetType::OleObject)},
            {samples::index("PrimaryKey", {{"ID"}}, true)});
        schema.tables << samples::table(
            "Orders",
            {samples::required(column("Number", JetType::Long, 4)), column("Customer", JetType::Long, 4)},
            {samples::index("PrimaryKey", {{"Number"}}, true), samples::index("Customer", {{"Customer"}})});
        schema.relationships << samples::relationship("CustomersOrders", "Orders", "Customers",
                                                      {{"Customer", "ID"}});
    }

    TableList GetTableNames(const QString&) override { return ReadFailure{3024, "not asked"}; }
    FieldTable GetTableFields(const QString&, const QString&) override { return FieldTable::unreadable(); }
    IndexList GetTableIndexes(const QString&, const QString&) override { return NoIndexes{}; }
    std::variant<ReadFailure, DatabaseSchema> GetDatabaseSchema(const QString&) override { return schema; }

    RowsRead ReadTableRows(const QString&, const QString& table,
                           const std::function<bool(const RowBatch&)>& batch) override {
        const bool customers = table == "Customers";
        const int rows = customers ? 5 : 3;
        RowsRead read;
        RowBatch b;
        b.columns = customers ? 10 : 2;
        for (int r = 0; r < rows; ++r) {
            if (customers) {
                const auto v = [](ValueKind k, std::int64_t i = 0, double d = 0, std::string_view s = {}) {
                    return DataValue{k, i, d, s};
                };
                const bool null = r == 3;
                b.values.push_back(v(ValueKind::Integer, r == 4 ? 40 : r + 1));
                b.values.push_back(null ? v(ValueKind::Null) : v(ValueKind::Text, 0, 0, names[r]));
                b.values.push_back(null ? v(ValueKind::Null) : v(ValueKind::Text, 0, 0, names[4 - r]));
                b.values.push_back(v(ValueKind::Boolean, r % 2));
                b.values.push_back(null ? v(ValueKind::Null)
                                        : v(ValueKind::Double, 0, r == 1 ? -0.0 : r * 0.1));
                b.values.push_back(null ? v(ValueKind::Null)
                                        : v(ValueKind::DateTime, 0, r == 2 ? -1.25 : 36526.5 + r));
                b.values.push_back(null ? v(ValueKind::Null) : v(ValueKind::Currency, -12345 * r));
                b.values.push_back(null ? v(ValueKind::Null) : v(ValueKind::Decimal, 0, 0, "-1234567890.12"));
                b.values.push_back(null ? v(ValueKind::Null) : v(ValueKind::Guid, 0, 0, guid));
                b.values.push_back(null ? v(ValueKind::Null) : v(ValueKind::Bytes, 0, 0, names[r]));
            } else {
                b.values.push_back({ValueKind::Integer, 100 + r, 0, {}});
                b.values.push_back(r == 2 ? DataValue{}
                                          : DataValue{ValueKind::Integer, r == 0 ? 40 : 1, 0, {}});
            }
            if (b.rows() == 2 || r == rows - 1) {
                read.rows += qint64(b.rows());
                if (!batch(b))
                    return read;
                b.values.clear();
            }
            if (!customers && r == 1 && cutOrders)
                return read; // damage after the second row
        }
        read.complete = true;
        return read;
    }

    DatabaseSchema schema;
    bool cutOrders = false;
    const std::string guid =
        std::string("\x78\x56\x34\x12\x34\x12\xCD\xAB\x01\x02\x03\x04\x05\x06\x07\x08", 16);
    const std::string names[5] = {"Ann", "it's \\ a\r\nline", "😀 Köln", "", std::string("nul\0x", 5)};
};

struct Written {
    std::string script;
    DataOutcome outcome;
};

Written write(const QString& scriptType, RowsReader& reader, const DataRequest& request = {}) {
    ConversionOptions options;
    options.DatabasePath = "rows.mdb";
    options.ScriptType = scriptType;
    CliWindow window(options, false);
    Written w;
    w.outcome = runDataScript(*completeScriptDialect(scriptType), options, request, window, reader,
                              [&w](std::string_view bytes) {
                                  w.script += bytes;
                                  return true;
                              },
                              {});
    return w;
}

} // namespace

class TestDataScript : public QObject {
    Q_OBJECT
private slots:
    void loadsEveryRow_data();
    void loadsEveryRow();
    void layoutOfSqlServer();
    void csvFiles();
};

void TestDataScript::loadsEveryRow_data() {
    QTest::addColumn<QString>("server");
    QTest::addColumn<bool>("cut");
    for (const char* server : {"postgres", "mariadb", "sqlite"}) {
        QTest::addRow("%s", server) << server << false;
        QTest::addRow("%s cut short", server) << server << true;
    }
}

void TestDataScript::loadsEveryRow() {
    QFETCH(QString, server);
    QFETCH(bool, cut);
    QString why;
    const std::unique_ptr<TestServer> target = server == "postgres"  ? startPostgres(why)
                                               : server == "mariadb" ? startMariaDb(why)
                                                                     : startSqlite(why);
    if (!target)
        skipOrFail(why);
    const QString type = server == "postgres" ? "PostgreSQL" : server == "mariadb" ? "MySQL" : "SQLite";
    RowsReader reader;
    reader.cutOrders = cut;
    const Written w = write(type, reader);
    QCOMPARE(w.outcome.rows, cut ? 7 : 8);
    QCOMPARE(w.outcome.run.unreadableTables, cut ? QStringList{"Orders"} : QStringList{});
    // Texts with NUL: MySQL and SQLite keep them, PostgreSQL cannot (and says so).
    QCOMPARE(w.outcome.warnings.join("|").contains("NUL"), server == "postgres");
    QCOMPARE(QString::fromStdString(w.script).contains(
                 "-- Table Orders: 2 rows written; the rest could not be read"),
             cut);
    const LoadResult loaded = target->load(QByteArray::fromStdString(w.script));
    QVERIFY2(loaded.ok, qPrintable(loaded.error));

    const bool pg = server == "postgres";
    const QString q = server == "mariadb" ? "`" : "\"";
    const auto name = [&q](const char* n) { return q + n + q; };
    const QString hexName =
        pg ? "encode(convert_to(" + name("Name") + ", 'UTF8'), 'hex')" : "hex(" + name("Name") + ")";
    const QString hexPhoto = pg ? "encode(" + name("Photo") + ", 'hex')" : "hex(" + name("Photo") + ")";
    const QList<QStringList> rows =
        target->select("SELECT " + name("ID") + ", " + hexName + ", " + hexPhoto + ", " + name("Credit") +
                       ", " + name("Amount") + " FROM " + name("Customers") + " ORDER BY 1");
    QCOMPARE(rows.size(), 5);
    for (int r = 0; r < 5; ++r) {
        QCOMPARE(rows[r][0], QString::number(r == 4 ? 40 : r + 1));
        if (r == 3)
            continue;
        std::string name = reader.names[r];
        if (pg)
            name.erase(std::remove(name.begin(), name.end(), '\0'), name.end());
        QCOMPARE(rows[r][1].toUpper(), QByteArray::fromStdString(name).toHex().toUpper());
        QCOMPARE(rows[r][2].toUpper(), QByteArray::fromStdString(reader.names[r]).toHex().toUpper());
        QCOMPARE(rows[r][4], "-1234567890.12");
    }
    QCOMPARE(rows[1][3], "-1.2345");
    // The counter goes on after the largest AutoNumber loaded; the foreign key holds.
    const LoadResult next = target->execute("INSERT INTO " + name("Customers") + " (" + name("Active") +
                                            ") VALUES (" + (pg ? "true" : "1") + ")");
    QVERIFY2(next.ok, qPrintable(next.error));
    QCOMPARE(target->select("SELECT MAX(" + name("ID") + ") FROM " + name("Customers")),
             QList<QStringList>{{"41"}});
    QCOMPARE(target->select("SELECT COUNT(*) FROM " + name("Orders")),
             QList<QStringList>{{QString::number(cut ? 2 : 3)}});
    if (server != "sqlite") { // SQLite checks foreign keys only when asked to
        const LoadResult orphan = target->execute("INSERT INTO " + name("Orders") + " VALUES (900, 7)");
        QVERIFY(!orphan.ok);
    }
}

// SQL Server has no server here: the script is read through. IDENTITY_INSERT around the rows of a table with
// an AutoNumber, N'' texts, the indexes and foreign keys after every row.
void TestDataScript::layoutOfSqlServer() {
    RowsReader reader;
    const QString script = QString::fromStdString(write("SQL Server", reader).script);
    const QStringList order{
        "CREATE TABLE [Customers]",
        "CREATE TABLE [Orders]",
        "SET IDENTITY_INSERT [Customers] ON;",
        "INSERT INTO [Customers] ([ID], [Name], [Notes], [Active], [Rate], [Since], [Credit], "
        "[Amount], [Key], [Photo]) VALUES\r\n(1, N'Ann', N'nulx', 0, 0,",
        "SET IDENTITY_INSERT [Customers] OFF;",
        "INSERT INTO [Orders] ([Number], [Customer]) VALUES\r\n(100, 40),\r\n(101, 1),\r\n(102, "
        "NULL);\r\n",
        "CREATE INDEX [Customer] ON [Orders] ([Customer]);",
        "ALTER TABLE [Orders] ADD CONSTRAINT [CustomersOrders] FOREIGN KEY"};
    qsizetype at = 0;
    for (const QString& part : order) {
        const qsizetype found = script.indexOf(part, at);
        QVERIFY2(found >= 0, qPrintable("missing or out of order: " + part + "\n--- in:\n" + script));
        at = found + part.size();
    }
    QVERIFY(script.contains("(CAST(N'' AS NVARCHAR(MAX))+N'it''s \\ a'+NCHAR(13)+N''+NCHAR(10)+N'line')"));
    QVERIFY(!script.contains("setval"));
    // Only the rows, for tables made before.
    const QString rowsOnly =
        QString::fromStdString(write("SQL Server", reader, {.schema = false, .tables = {}}).script);
    QVERIFY(!rowsOnly.contains("CREATE TABLE") && !rowsOnly.contains("ALTER TABLE"));
    QVERIFY(rowsOnly.contains("INSERT INTO [Orders]"));
}

void TestDataScript::csvFiles() {
    RowsReader reader;
    QTemporaryDir dir;
    ConversionOptions options;
    options.DatabasePath = "rows.mdb";
    CliWindow window(options, false);
    const CsvOutcome outcome = runCsvExport(options, {.schema = true, .tables = {"orders", "Customers"}},
                                            window, reader, dir.filePath("out/csv"), {});
    QCOMPARE(outcome.files.size(), 2);
    QFile orders(dir.filePath("out/csv/Orders.csv"));
    QVERIFY(orders.open(QIODevice::ReadOnly));
    QCOMPARE(orders.readAll(), QByteArray("Number,Customer\r\n100,40\r\n101,1\r\n102,\r\n"));
    QFile customers(dir.filePath("out/csv/Customers.csv"));
    QVERIFY(customers.open(QIODevice::ReadOnly));
    const QByteArray text = customers.readAll();
    QVERIFY2(text.startsWith(
                 QByteArray(
                     "ID,Name,Notes,Active,Rate,Since,Credit,Amount,Key,Photo\r\n1,Ann,nul\0x,false,0,", 77) +
                 "2000-01-01T12:00:00,0.0000,-1234567890.12,{12345678-1234-ABCD-0102-030405060708},"
                 "416e6e\r\n2,\"it's \\ a\r\nline\","),
             text.constData());
    QVERIFY(text.contains("\r\n4,,,true,,,,,,\r\n"));
    QVERIFY(text.contains("1899-12-29T06:00:00"));
    QStringList taken{"A.csv"};
    QCOMPARE(csvFileName("a", taken), "a (2).csv");
    QCOMPARE(csvFileName("../x/y:z", taken), "_._x_y_z.csv");
    QCOMPARE(csvFileName("...", taken), "table.csv");
}

QTEST_GUILESS_MAIN(TestDataScript)
#include "TestDataScript.moc"
