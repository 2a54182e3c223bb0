// The synchronization of a migrated database with its file, against the real servers: the target is
// changed behind the file's back (rows deleted, values of several types changed, rows inserted, NULLs both
// ways, a table without a primary key), and one sync makes it hold the file's rows again with the counts of
// what it changed; a second finds every row unchanged; a column the target no longer has alike refuses the
// run with the target untouched; a sync cut off while it changes rows (its connection ended, its process
// killed) leaves the target as it was. Every fixture, corpus and real-world database comes back the same way
// after a third of each table's rows is deleted and columns are set to NULL.

#include "CliWindow.h"
#include "EveryDatabase.h"
#include "FileTestHelpers.h"
#include "LiveConnection.h"
#include "MdbWriter.h"
#include "ReaderProcess.h"
#include "Sync.h"
#include "servers/TestServer.h"

#include <QProcess>
#include <QtTest>
#include <csignal>
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
MdbSchema database(std::int64_t itemCount = 200) {
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
    for (std::int64_t i = 1; i <= itemCount; ++i)
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

const std::int64_t bigItems = 20000;

// Every row of the target's tables, in order.
QList<QStringList> heldRows(TestServer& target, int server) {
    QList<QStringList> rows;
    for (const char* table : {"Details", "Items", "Loose"})
        rows << target.select(QStringLiteral("SELECT * FROM %1 ORDER BY 1, 2")
                                  .arg(QString(server == 1 ? "`%1`" : "\"%1\"").arg(table)));
    return rows;
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
    QString migrated(TestServer& target, const QString& path);
    void endConnectionWhileChanging(TestServer& target, const QString& url);
    bool killWhileChanging(const QString& url);
    std::unique_ptr<TestServer> servers_[3];
    QString why_[3];
    QTemporaryDir dir_;
    QString path_;
    QString bigPath_;
};

void TestSync::initTestCase() {
    for (int i = 0; i < 3; ++i)
        servers_[i] = startServer(serverNames[i], why_[i]);
    const QString corpus = writeCorpus(dir_.path());
    QVERIFY2(corpus.isEmpty(), qPrintable(corpus));
    path_ = dir_.filePath("sync.mdb");
    std::string error;
    QVERIFY2(writeMdb(database(), path_.toStdString(), &error), error.c_str());
    bigPath_ = dir_.filePath("big.mdb");
    QVERIFY2(writeMdb(database(bigItems), bigPath_.toStdString(), &error), error.c_str());
}

SyncReport TestSync::sync(const QString& url, const QString& path, const RowProgress& progress, bool verify) {
    ConversionOptions options;
    options.DatabasePath = path;
    ReaderProcess reader(readerPath);
    CliWindow window(options, false);
    return runSync(options, {.address = std::get<TargetAddress>(parseTargetAddress(url)), .verify = verify},
                   window, reader, progress);
}

// A new database with a test database migrated into it.
QString TestSync::migrated(TestServer& target, const QString& path) {
    const QString url = target.createDatabase();
    ConversionOptions options;
    options.DatabasePath = path;
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
// whether it replaces Loose; a negative count: the run is refused (-1: before it changes anything, -2: once
// it changed the rows).
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
        // Made again with their foreign key, after the rows: the table that references, and the one
        // referenced (MariaDB keeps the foreign key to a table dropped with the checks off, and takes it up
        // again when the table is made).
        row("a table gone", {"DROP TABLE \"Details\""}, {0, 0, 0});
        row("a referenced table gone",
            {s == 0   ? "DROP TABLE \"Items\" CASCADE"
             : s == 1 ? "SET FOREIGN_KEY_CHECKS = 0; DROP TABLE \"Items\""
                      : "DROP TABLE \"Items\""},
            {200, 0, 0});
        // Refused once the rows are changed, and rolled back: a table only the target holds references a row
        // the file does not have.
        row("a row the target's own table references",
            {"CREATE TABLE \"Orders\" (\"ID\" INTEGER PRIMARY KEY, \"ItemID\" INTEGER, "
             "FOREIGN KEY (\"ItemID\") REFERENCES \"Items\" (\"ID\"))",
             "INSERT INTO \"Items\" (\"ID\") VALUES (1001)", "INSERT INTO \"Orders\" VALUES (1, 1001)",
             "DELETE FROM \"Items\" WHERE \"ID\" = 1"},
            {-2, -2, -2});
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
    const QString url = migrated(*target, path_);
    for (QString change : changes) {
        if (server == 1)
            change.replace('"', '`');
        const LoadResult done = target->execute(change);
        QVERIFY2(done.ok, qPrintable(change + ": " + done.error));
    }
    const QString items = server == 1 ? "`Items`" : "\"Items\"";
    const QString held = QStringLiteral("SELECT COUNT(*), MIN(%1), MAX(%1) FROM %2")
                             .arg(server == 1 ? "`ID`" : "\"ID\"", items);
    const QList<QStringList> before = target->select(held);

    const SyncReport first = sync(url, path_);
    if (counts[0] == -2) {
        QCOMPARE(int(first.run.ending), int(MigrationReport::Ending::Failed));
        // Said undone, on MySQL too, and without the counts of changes that did not stay.
        const QString said = syncReportText(first);
        QVERIFY2(first.run.failure.contains("Orders") && said.contains("Nothing was changed") &&
                     !said.contains("Rows in file"),
                 qPrintable(said));
        QCOMPARE(target->select(held), before);
        return;
    }
    if (counts[0] < 0) {
        QVERIFY2(first.differences.size() == 1 && first.differences[0].startsWith("Table Items: column "),
                 qPrintable(syncReportText(first)));
        QVERIFY(first.tables.isEmpty());
        QVERIFY(syncReportText(first).contains("nothing was changed"));
        QCOMPARE(target->select(held), before);
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
    Catalog catalog = target->catalog();
    const QList<CatalogForeignKey> keys = catalogTable(catalog, "Details").foreignKeys;
    QVERIFY2(keys.size() == 1 && keys[0].referencedTable == "Items", qPrintable(syncReportText(first)));

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

// How a sync is cut off: stopped by its caller while it reads the second table, after the first was
// staged; its connection ended by the server while it waits on a row of Items that another session holds,
// after it changed Details; its process killed while it changes Items, after it changed Details. Whichever,
// the target holds every row it held before, value for value: the row changes are one transaction.
enum class Cut { Stopped, ConnectionEnded, Killed };

void TestSync::stopLeavesTarget_data() {
    QTest::addColumn<int>("server");
    QTest::addColumn<int>("how");
    for (int s = 0; s < 3; ++s)
        QTest::addRow("%s: stopped while reading", serverNames[s]) << s << int(Cut::Stopped);
    QTest::newRow("postgres: connection ended while changing rows") << 0 << int(Cut::ConnectionEnded);
    QTest::newRow("sqlite: killed while changing rows") << 2 << int(Cut::Killed);
}

void TestSync::stopLeavesTarget() {
    QFETCH(int, server);
    QFETCH(int, how);
    const Cut cut = Cut(how);
    TestServer* target = servers_[server].get();
    if (!target)
        skipOrFail(why_[server]);
    // Killed: enough rows of Items to change that the sync is still at them when it is seen to begin.
    const QString path = cut == Cut::Killed ? bigPath_ : path_;
    const int itemCount = cut == Cut::Killed ? int(bigItems) : 200;
    const QString url = migrated(*target, path);
    const auto change = [&] {
        for (QString change :
             {"UPDATE \"Details\" SET \"ItemID\" = 151 WHERE \"DetailID\" = 150",
              "DELETE FROM \"Items\" WHERE \"ID\" <= 3", "UPDATE \"Items\" SET \"Price\" = \"Price\" + 1"}) {
            if (server == 1)
                change.replace('"', '`');
            const LoadResult done = target->execute(change);
            QVERIFY2(done.ok, qPrintable(change + ": " + done.error));
        }
    };
    change();
    const QList<QStringList> before = heldRows(*target, server);
    QCOMPARE(before.size(), 6 + itemCount - 3 + 5);

    if (cut == Cut::Stopped) {
        const SyncReport stopped =
            sync(url, path, [](const QString& table, qint64, int, int) { return table != "Loose"; });
        QCOMPARE(int(stopped.run.ending), int(MigrationReport::Ending::Stopped));
        QVERIFY(syncReportText(stopped).contains("Stopped"));
    } else if (cut == Cut::ConnectionEnded) {
        endConnectionWhileChanging(*target, url);
    } else {
        // Should the sync end before it is stopped (a machine too busy to answer in time), it made the
        // target the file's again: the same changes, and again.
        bool killed = false;
        for (int attempt = 0; attempt < 5 && !killed && !QTest::currentTestFailed(); ++attempt) {
            if (attempt > 0)
                change();
            killed = killWhileChanging(url);
        }
        QVERIFY2(killed, "the sync's transaction was not seen open while it changed Items: it committed "
                         "before, or ended before it could be stopped, five times");
    }
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(heldRows(*target, server), before);
}

// The sync waits on a row of Items that a session of the test holds locked; the server ends its connection
// there. It says so and fails.
void TestSync::endConnectionWhileChanging(TestServer& target, const QString& url) {
    Connected connected = connectTarget(std::get<TargetAddress>(parseTargetAddress(url)), {});
    QVERIFY(std::holds_alternative<std::unique_ptr<LiveConnection>>(connected));
    LiveConnection& holder = *std::get<std::unique_ptr<LiveConnection>>(connected);
    QVERIFY(!holder.execute("BEGIN; SELECT 1 FROM \"Items\" WHERE \"ID\" = 7 FOR UPDATE"));

    QProcess cli;
    cli.setProcessChannelMode(QProcess::MergedChannels);
    cli.start(QStringLiteral(VELTRANE_BIN_DIR) + "/veltrane-cli", {"--into", url, "--sync", path_});
    QList<QStringList> waiting;
    QDeadlineTimer deadline(60000);
    while (waiting.isEmpty() && !deadline.hasExpired() && !cli.waitForFinished(10))
        waiting = target.select("SELECT pid, left(regexp_replace(query, '\\s+', ' ', 'g'), 60) FROM "
                                "pg_stat_activity WHERE datname = current_database() AND "
                                "wait_event_type = 'Lock'");
    QVERIFY2(waiting.size() == 1, qPrintable(cli.readAll()));
    // Waiting in a statement that changes rows, not in the setting up.
    QVERIFY2(
        QRegularExpression("^(UPDATE|INSERT|DELETE|WITH|MERGE)\\b").match(waiting[0].value(1)).hasMatch(),
        qPrintable(waiting[0].value(1)));
    QCOMPARE(target.select("SELECT pg_terminate_backend(" + waiting[0][0] + ")"),
             QList<QStringList>({{"t"}}));
    QVERIFY(!holder.execute("ROLLBACK"));

    QVERIFY(cli.waitForFinished(60000));
    const QString said = cli.readAll();
    QCOMPARE(cli.exitStatus(), QProcess::NormalExit);
    QVERIFY2(cli.exitCode() == 70 && said.contains("refused the synchronization"), qPrintable(said));
}

// The sync's process stopped (SIGSTOP) as soon as it says it synchronizes Items, and killed if the file's
// journal is still there (its transaction open); false where it had already ended.
bool TestSync::killWhileChanging(const QString& url) {
    const QString journal = url.mid(QStringLiteral("sqlite:").size()) + "-journal";
    QProcess cli;
    cli.setProcessChannelMode(QProcess::MergedChannels);
    cli.start(QStringLiteral(VELTRANE_BIN_DIR) + "/veltrane-cli",
              {"--verbose", "--verify", "--into", url, "--sync", bigPath_});
    QByteArray said;
    QDeadlineTimer deadline(60000);
    while (!said.contains("Synchronizing Items\n") && cli.waitForReadyRead(int(deadline.remainingTime())))
        said += cli.readAll();
    [&] { QVERIFY2(said.contains("Synchronizing Items\n"), said.constData()); }();
    const pid_t pid = pid_t(cli.processId());
    bool stopped = pid > 0 && ::kill(pid, SIGSTOP) == 0;
    // Stopped once its state says so.
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    while (stopped && !deadline.hasExpired() && stat.open(QIODevice::ReadOnly)) {
        const QByteArray fields = stat.readAll();
        stat.close();
        if (fields.mid(fields.lastIndexOf(')') + 2, 1) == "T")
            break;
        QThread::msleep(1);
    }
    const bool open = stopped && QFile::exists(journal);
    if (open)
        cli.kill();
    else if (stopped)
        ::kill(pid, SIGCONT);
    [&] { QVERIFY(cli.waitForFinished(60000)); }();
    if (!open) {
        [&] { QCOMPARE(cli.exitCode(), 0); }();
        return false;
    }
    [&] {
        QCOMPARE(cli.exitStatus(), QProcess::CrashExit);
        QVERIFY(QFile::exists(journal)); // rolled back by the next opening of the file
    }();
    return true;
}

QTEST_GUILESS_MAIN(TestSync)
#include "TestSync.moc"
