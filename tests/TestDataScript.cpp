// The complete script with its rows, loaded into real servers (PostgreSQL, MariaDB, SQLite, each started by
// the test): every row arrives, value by value, keys and foreign keys hold after the load, the counters
// continue past the loaded AutoNumbers, and the rows of a table cut short by damage stay with a note. The CSV
// files of the same rows are compared whole.

#include "CliWindow.h"
#include "CsvExport.h"
#include "DataScript.h"
#include "RowsReader.h"
#include "TargetDialect.h"
#include "servers/TestServer.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

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
    // SQLite's NUMERIC keeps 15 digits: Currency goes into a TEXT column, a Decimal(12,2) fits.
    QCOMPARE(QString::fromStdString(w.script).contains("\"Credit\" TEXT,"), server == "sqlite");
    const LoadResult loaded = target->load(QByteArray::fromStdString(w.script));
    QVERIFY2(loaded.ok, qPrintable(loaded.error));

    const bool pg = server == "postgres";
    const QString q = server == "mariadb" ? "`" : "\"";
    const auto name = [&q](const char* n) { return q + n + q; };
    const QString hexName =
        pg ? "encode(convert_to(" + name("Name") + ", 'UTF8'), 'hex')" : "hex(" + name("Name") + ")";
    const QString hexPhoto = pg ? "encode(" + name("Photo") + ", 'hex')" : "hex(" + name("Photo") + ")";
    const QList<QStringList> rows = target->select(
        "SELECT " + name("ID") + ", " + hexName + ", " + hexPhoto + ", " + name("Credit") + ", " +
        name("Amount") + ", " + name("Since") + " FROM " + name("Customers") + " ORDER BY 1");
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
    QCOMPARE(rows[2][3], "922337203685477.5807");
    // Milliseconds are kept (MySQL's DATETIME would drop them: the script with rows makes it DATETIME(3)).
    QVERIFY2(rows[4][5].endsWith("12:00:00.123"), qPrintable(rows[4][5]));
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
        "[Amount], [Key], [Photo]) VALUES\r\n(1, N'Ann', CAST(0x6E0075006C0000007800 AS NVARCHAR(MAX)), 0, "
        "0,",
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
    QVERIFY(script.contains("N'Ann'") && script.contains("CAST(0x690074002700730020005C0020006100"));
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
