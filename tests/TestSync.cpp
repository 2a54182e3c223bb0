// The synchronization of a migrated database with its file, against the real servers: the target is
// changed behind the file's back (rows deleted, values of several types changed, rows inserted, NULLs both
// ways, a table without a primary key), and one sync makes it hold the file's rows again with the counts of
// what it changed; a second finds every row unchanged; a column the target no longer has alike refuses the
// run with the target untouched. Every fixture, corpus and real-world database comes back the same way
// after a third of each table's rows is deleted and columns are set to NULL.

#include "CliWindow.h"
#include "EveryDatabase.h"
#include "FileTestHelpers.h"
#include "MdbWriter.h"
#include "ReaderProcess.h"
#include "Sync.h"
#include "servers/TestServer.h"

#include <QtTest>
#include <memory>

namespace {

const QString readerPath = QStringLiteral(VELTRANE_BIN_DIR) + "/veltrane-reader";
const char* serverNames[] = {"postgres", "mariadb", "sqlite"};

MdbColumn column(const std::string& name, MdbColumnType type, int length = 0) {
    MdbColumn c;
    c.name = name;
    c.type = type;
    c.length = length;
    return c;
}

// Items: a primary key and a column of each kind of value, every tenth Long note NULL (names that begin
// alike); Loose: no primary key.
MdbSchema database() {
    MdbSchema schema;
    MdbTable items;
    items.name = "Items";
    items.columns = {column("ID", MdbColumnType::Long),
                     column("Name", MdbColumnType::Text, 50),
                     column("Long amount", MdbColumnType::Currency),
                     column("Price", MdbColumnType::Double),
                     column("At", MdbColumnType::DateTime),
                     column("Flag", MdbColumnType::YesNo),
                     column("Long note", MdbColumnType::Memo)};
    MdbIndex key;
    key.name = "PrimaryKey";
    key.columns = {"ID"};
    key.primary = true;
    items.indexes = {key};
    for (std::int64_t i = 1; i <= 200; ++i)
        items.rows.push_back({MdbValue{i}, MdbValue{"item " + std::to_string(i)},
                              MdbValue{MdbCurrency{i * 12345}}, MdbValue{double(i) / 3},
                              MdbValue{40000.5 + double(i)}, MdbValue{i % 2 == 0},
                              i % 10 == 0 ? std::nullopt : std::optional(MdbValue{std::string("note")})});
    MdbTable loose;
    loose.name = "Loose";
    loose.columns = {column("ID", MdbColumnType::Long), column("Name", MdbColumnType::Text, 20)};
    for (std::int64_t i = 1; i <= 5; ++i)
        loose.rows.push_back({MdbValue{i}, MdbValue{std::string("loose")}});
    // Details: rows of six items by a foreign key, before Items in the file's order of tables.
    MdbTable details;
    details.name = "Details";
    details.columns = {column("DetailID", MdbColumnType::Long), column("ItemID", MdbColumnType::Long)};
    MdbIndex detailKey = key;
    detailKey.columns = {"DetailID"};
    details.indexes = {detailKey};
    for (std::int64_t i = 150; i <= 155; ++i)
        details.rows.push_back({MdbValue{i}, MdbValue{i}});
    schema.tables = {details, items, loose};
    schema.relationships = {MdbRelationship{.name = "ItemDetails",
                                            .table = "Details",
                                            .columns = {"ItemID"},
                                            .referencedTable = "Items",
                                            .referencedColumns = {"ID"}}};
    return schema;
}

const TableSync* line(const SyncReport& report, const QString& name) {
    for (const TableSync& t : report.tables)
        if (t.name == name)
            return &t;
    return nullptr;
}

} // namespace

class TestSync : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void changesAreUndone_data();
    void changesAreUndone();
    void stopLeavesTarget_data();
    void stopLeavesTarget();
    void everyDatabaseComesBack_data();
    void everyDatabaseComesBack();

private:
    SyncReport sync(const QString& url, const QString& path, const RowProgress& progress = {},
                    bool verify = true);
    QString migrated(TestServer& target);
    std::unique_ptr<TestServer> servers_[3];
    QString why_[3];
    QTemporaryDir dir_;
    QString path_;
};

void TestSync::initTestCase() {
    for (int i = 0; i < 3; ++i)
        servers_[i] = startServer(serverNames[i], why_[i]);
    const QString corpus = writeCorpus(dir_.path());
    QVERIFY2(corpus.isEmpty(), qPrintable(corpus));
    path_ = dir_.filePath("sync.mdb");
    std::string error;
    QVERIFY2(writeMdb(database(), path_.toStdString(), &error), error.c_str());
}

SyncReport TestSync::sync(const QString& url, const QString& path, const RowProgress& progress, bool verify) {
    ConversionOptions options;
    options.DatabasePath = path;
    ReaderProcess reader(readerPath);
    CliWindow window(options, false);
    return runSync(options, {.address = std::get<TargetAddress>(parseTargetAddress(url)), .verify = verify},
                   window, reader, progress);
}

// A new database with the test database migrated into it.
QString TestSync::migrated(TestServer& target) {
    const QString url = target.createDatabase();
    ConversionOptions options;
    options.DatabasePath = path_;
    ReaderProcess reader(readerPath);
    CliWindow window(options, false);
    const MigrationReport report = runMigration(
        options, {.address = std::get<TargetAddress>(parseTargetAddress(url))}, window, reader, {});
    if (report.ending != MigrationReport::Ending::Done)
        qWarning("%s", qPrintable(reportText(report)));
    return url;
}

// Each change, on each server: the statements (names in double quotes, backquotes for MariaDB), then what
// the sync does to Items (inserted, updated, deleted: a row deleted in the target is inserted again) and
// whether it replaces Loose; a negative count: the run is refused.
void TestSync::changesAreUndone_data() {
    QTest::addColumn<int>("server");
    QTest::addColumn<QStringList>("changes");
    QTest::addColumn<QList<int>>("counts");
    QTest::addColumn<bool>("replaced");
    for (int s = 0; s < 3; ++s) {
        const auto row = [&](const char* name, const QStringList& changes, const QList<int>& counts,
                             bool replaced = false) {
            QTest::addRow("%s: %s", serverNames[s], name) << s << changes << counts << replaced;
        };
        row("nothing", {}, {0, 0, 0});
        row("rows deleted", {"DELETE FROM \"Items\" WHERE \"ID\" <= 3"}, {3, 0, 0});
        row("rows inserted", {"INSERT INTO \"Items\" (\"ID\", \"Name\") VALUES (1001, 'new'), (1002, NULL)"},
            {0, 0, 2});
        row("texts changed, in case only too",
            {"UPDATE \"Items\" SET \"Name\" = 'changed' WHERE \"ID\" = 5",
             "UPDATE \"Items\" SET \"Name\" = 'ITEM 6' WHERE \"ID\" = 6",
             "UPDATE \"Items\" SET \"Name\" = 'item 7 ' WHERE \"ID\" = 7"},
            {0, 3, 0});
        row("numbers, dates and booleans changed, NULL both ways",
            {"UPDATE \"Items\" SET \"Long amount\" = \"Long amount\" + 1 WHERE \"ID\" = 8",
             "UPDATE \"Items\" SET \"Price\" = \"Price\" * 2 WHERE \"ID\" = 9",
             "UPDATE \"Items\" SET \"At\" = '2001-02-03 04:05:06' WHERE \"ID\" = 11",
             QStringLiteral("UPDATE \"Items\" SET \"Flag\" = %1 WHERE \"ID\" = 12")
                 .arg(s == 0 ? "false" : "0"),
             "UPDATE \"Items\" SET \"Long note\" = NULL WHERE \"ID\" = 13",
             "UPDATE \"Items\" SET \"Long note\" = 'was NULL' WHERE \"ID\" = 20"},
            {0, 6, 0});
        row("all at once, and a table without a primary key",
            {"DELETE FROM \"Items\" WHERE \"ID\" = 100",
             "UPDATE \"Items\" SET \"Name\" = NULL WHERE \"ID\" = 101",
             "INSERT INTO \"Items\" (\"ID\") VALUES (5000)", "DELETE FROM \"Loose\" WHERE \"ID\" = 1"},
            {1, 1, 1}, true);
        row("a row and the rows that name it deleted",
            {"DELETE FROM \"Details\" WHERE \"ItemID\" = 150", "DELETE FROM \"Items\" WHERE \"ID\" = 150"},
            {1, 0, 0});
        row("a column only in the target",
            {"DELETE FROM \"Items\" WHERE \"ID\" = 1", "ALTER TABLE \"Items\" ADD COLUMN \"Extra\" INTEGER"},
            {-1, -1, -1});
        if (s != 2) // SQLite keeps no column types to change
            row("a column retyped",
                {"DELETE FROM \"Items\" WHERE \"ID\" = 1",
                 s == 0 ? "ALTER TABLE \"Items\" ALTER COLUMN \"Price\" TYPE numeric"
                        : "ALTER TABLE \"Items\" MODIFY \"Price\" DECIMAL(20,6)"},
                {-1, -1, -1});
    }
}

void TestSync::changesAreUndone() {
    QFETCH(int, server);
    QFETCH(QStringList, changes);
    QFETCH(QList<int>, counts);
    QFETCH(bool, replaced);
    TestServer* target = servers_[server].get();
    if (!target)
        skipOrFail(why_[server]);
    const QString url = migrated(*target);
    for (QString change : changes) {
        if (server == 1)
            change.replace('"', '`');
        const LoadResult done = target->execute(change);
        QVERIFY2(done.ok, qPrintable(change + ": " + done.error));
    }
    const QString items = server == 1 ? "`Items`" : "\"Items\"";
    const QList<QStringList> before = target->select("SELECT COUNT(*) FROM " + items);

    const SyncReport first = sync(url, path_);
    if (counts[0] < 0) {
        QVERIFY2(first.differences.size() == 1 && first.differences[0].startsWith("Table Items: column "),
                 qPrintable(syncReportText(first)));
        QVERIFY(first.tables.isEmpty());
        QVERIFY(syncReportText(first).contains("nothing was changed"));
        QCOMPARE(target->select("SELECT COUNT(*) FROM " + items), before);
        return;
    }
    QVERIFY2(first.run.ending == MigrationReport::Ending::Done, qPrintable(syncReportText(first)));
    const TableSync* changed = line(first, "Items");
    QVERIFY(changed);
    QCOMPARE(QList<qint64>({changed->inserted, changed->updated, changed->deleted}),
             QList<qint64>({counts[0], counts[1], counts[2]}));
    QCOMPARE(changed->inFile, 200);
    QCOMPARE(changed->unchanged(), 200 - counts[0] - counts[1]);
    QCOMPARE(int(line(first, "Loose")->how),
             int(replaced ? TableSync::How::Replaced : TableSync::How::Keyed));
    QVERIFY2(first.valuesAgree(), qPrintable(syncReportText(first)));

    const SyncReport second = sync(url, path_);
    QVERIFY2(second.run.ending == MigrationReport::Ending::Done, qPrintable(syncReportText(second)));
    for (const TableSync& t : second.tables) {
        QCOMPARE(QList<qint64>({t.inserted, t.updated, t.deleted}), QList<qint64>({0, 0, 0}));
        QCOMPARE(t.unchanged(), t.inFile);
    }
    QVERIFY(second.valuesAgree());
}

void TestSync::everyDatabaseComesBack_data() {
    QTest::addColumn<int>("server");
    QTest::addColumn<QString>("database");
    const QStringList databases = everyDatabase();
    for (int s = 0; s < 3; ++s)
        for (const QString& database : databases)
            QTest::addRow("%s %s", serverNames[s], qPrintable(QFileInfo(database).fileName()))
                << s << database;
}

// Every fixture, corpus and real-world database, migrated, then changed behind the file's back in every
// table: a third of its rows deleted (foreign keys not checked), and in some of the rest each column that
// takes NULL set to NULL. One sync puts back the deleted rows and the values, and its reading back finds the
// target holding exactly the file's rows; a second sync finds every row unchanged (no value of any type
// differs from itself).
void TestSync::everyDatabaseComesBack() {
    QFETCH(int, server);
    QFETCH(QString, database);
    TestServer* target = servers_[server].get();
    if (!target)
        skipOrFail(why_[server]);
    if (!database.startsWith("corpus:"))
        REQUIRE_FIXTURES();
    const QString path = databasePath(database, dir_.path());
    QVERIFY2(!path.isEmpty(), qPrintable("could not unpack " + database));
    const QString url = target->createDatabase();
    {
        ConversionOptions options;
        options.DatabasePath = path;
        ReaderProcess reader(readerPath);
        CliWindow window(options, false);
        const MigrationReport migrated = runMigration(
            options, {.address = std::get<TargetAddress>(parseTargetAddress(url))}, window, reader, {});
        QVERIFY2(migrated.ending == MigrationReport::Ending::Done, qPrintable(reportText(migrated)));
    }

    const auto q = [server](const QString& name) {
        return server == 1 ? '`' + QString(name).replace('`', "``") + '`'
                           : '"' + QString(name).replace('"', "\"\"") + '"';
    };
    // The first n rows the server comes to, by its own row address.
    const auto someRows = [&](const QString& table, qint64 n) {
        const QString address = server == 0 ? "ctid" : "rowid";
        return QStringLiteral(" WHERE %1 IN (SELECT %1 FROM %2 LIMIT %3)").arg(address, q(table)).arg(n);
    };
    const QString unchecked = server == 0   ? "SET session_replication_role = replica; "
                              : server == 1 ? "SET FOREIGN_KEY_CHECKS = 0; "
                                            : "";
    QHash<QString, qint64> deleted;
    for (const CatalogTable& table : target->catalog()) {
        const qint64 rows =
            target->select("SELECT COUNT(*) FROM " + q(table.name)).value(0).value(0).toLongLong();
        const qint64 n = rows / 3;
        if (n == 0)
            continue;
        const QString remove = server == 1
                                   ? QStringLiteral("DELETE FROM %1 LIMIT %2").arg(q(table.name)).arg(n)
                                   : "DELETE FROM " + q(table.name) + someRows(table.name, n);
        const LoadResult done = target->execute(unchecked + remove);
        QVERIFY2(done.ok, qPrintable(remove + ": " + done.error));
        deleted[table.name] = n;
        for (const CatalogColumn& c : table.columns) {
            if (c.notNull || table.primaryKey.contains(c.name))
                continue;
            const QString update =
                QStringLiteral("UPDATE %1 SET %2 = NULL").arg(q(table.name), q(c.name)) +
                (server == 1 ? QStringLiteral(" LIMIT %1").arg(n) : someRows(table.name, n));
            const LoadResult nulled = target->execute(unchecked + update);
            QVERIFY2(nulled.ok, qPrintable(update + ": " + nulled.error));
        }
    }

    const SyncReport first = sync(url, path);
    QVERIFY2(first.run.ending == MigrationReport::Ending::Done, qPrintable(syncReportText(first)));
    QVERIFY2(first.valuesAgree(), qPrintable(syncReportText(first)));
    for (const TableSync& t : first.tables)
        if (t.how == TableSync::How::Keyed && deleted.contains(t.name))
            QVERIFY2(t.inserted == deleted[t.name] && t.deleted == 0, qPrintable(syncReportText(first)));
    const SyncReport second = sync(url, path, {}, false);
    QVERIFY2(second.run.ending == MigrationReport::Ending::Done, qPrintable(syncReportText(second)));
    for (const TableSync& t : second.tables)
        if (t.how == TableSync::How::Keyed)
            QVERIFY2(t.inserted == 0 && t.updated == 0 && t.deleted == 0, qPrintable(syncReportText(second)));
}

// A sync stopped while it reads the second table, after the first was staged: nothing of the target changed
// (the target's tables are changed only once every table's rows are read, inside the transaction).
void TestSync::stopLeavesTarget_data() {
    QTest::addColumn<int>("server");
    for (int s = 0; s < 3; ++s)
        QTest::newRow(serverNames[s]) << s;
}

void TestSync::stopLeavesTarget() {
    QFETCH(int, server);
    TestServer* target = servers_[server].get();
    if (!target)
        skipOrFail(why_[server]);
    const QString url = migrated(*target);
    const QString items = server == 1 ? "`Items`" : "\"Items\"";
    QVERIFY(
        target->execute("DELETE FROM " + items + " WHERE " + (server == 1 ? "`ID`" : "\"ID\"") + " <= 3").ok);
    const SyncReport stopped =
        sync(url, path_, [](const QString& table, qint64, int, int) { return table != "Loose"; });
    QCOMPARE(int(stopped.run.ending), int(MigrationReport::Ending::Stopped));
    QVERIFY(syncReportText(stopped).contains("Stopped"));
    QCOMPARE(target->select("SELECT COUNT(*) FROM " + items), QList<QStringList>({{"197"}}));
}

QTEST_GUILESS_MAIN(TestSync)
#include "TestSync.moc"
