// Every row of every real file and of the mkmdb corpus, through the script with --data into real servers
// (PostgreSQL, MariaDB, SQLite, each started by this test): every value the server holds afterwards, read
// back in an exact form (texts and bytes as hex, reals by their bits, decimals by their digits), equals the
// value the reader read from the file, type by type. What a server cannot hold is what the script said it
// could not.

#include "CliWindow.h"
#include "CompleteScript.h"
#include "DataScript.h"
#include "EveryDatabase.h"
#include "FileTestHelpers.h"
#include "MdbWriter.h"
#include "Migration.h"
#include "ReaderProcess.h"
#include "RowLiterals.h"
#include "ValueText.h"
#include "servers/TestServer.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <memory>

namespace {

const QString fixtures = QStringLiteral(VELTRANE_FIXTURES_DIR);
const QString readerPath = QStringLiteral(VELTRANE_BIN_DIR) + "/veltrane-reader";

// Trailing zeros of a decimal's fraction left out: servers print a scale's zeros, SQLite none.
QString digits(QString text) {
    if (text.contains('.')) {
        while (text.endsWith('0'))
            text.chop(1);
        if (text.endsWith('.'))
            text.chop(1);
    }
    return text == "-0" ? "0" : text;
}

// The select expression that reads a column back exactly, "NULL" for NULL (apart from an empty text).
QString readBack(const QString& server, const TargetDialect& d, const ColumnPlan& c);
QString exactForm(const QString& server, const TargetDialect& d, const ColumnPlan& c) {
    const QString q = quoteName(d, c.name);
    const bool pg = server == "postgres";
    const bool my = server == "mariadb";
    switch (c.type.form) {
    case ValueForm::Text:
        return pg ? "encode(convert_to(" + q + ", 'UTF8'), 'hex')" : "hex(" + q + ")";
    case ValueForm::Bytes:
        return pg ? "encode(" + q + ", 'hex')" : "hex(" + q + ")";
    case ValueForm::Float:
        return pg   ? q + "::text"
               : my ? "CAST(" + q + " AS DOUBLE)"
                    : "ieee754_mantissa(" + q + ") || 'p' || ieee754_exponent(" + q + ")";
    case ValueForm::Boolean:
        return pg ? "CASE WHEN " + q + " THEN 1 ELSE 0 END" : q;
    default:
        return pg ? q + "::text" : q;
    }
}

QString readBack(const QString& server, const TargetDialect& d, const ColumnPlan& c) {
    // CASE rather than COALESCE: SQLite's hex(NULL) is an empty text.
    const QString text = server == "postgres"  ? "(" + exactForm(server, d, c) + ")::text"
                         : server == "mariadb" ? "CAST(" + exactForm(server, d, c) + " AS CHAR)"
                                               : exactForm(server, d, c);
    return "CASE WHEN " + quoteName(d, c.name) + " IS NULL THEN 'NULL' ELSE " + text + " END";
}

// The value the server must hold, in the form readBack gives it; nullopt for NULL.
std::optional<QString> expected(const QString& server, const TargetDialect& d, const ColumnPlan& c,
                                const DataValue& v) {
    std::string text;
    switch (v.kind) {
    case ValueKind::Null:
        return std::nullopt;
    case ValueKind::Boolean:
        return QString::number(v.integer ? 1 : 0);
    case ValueKind::Integer:
        return QString::number(v.integer);
    case ValueKind::Currency:
        appendCurrency(text, v.integer);
        return digits(QString::fromStdString(text));
    case ValueKind::Decimal:
        return digits(QString::fromStdString(std::string(v.bytes)));
    case ValueKind::Single:
    case ValueKind::Double: {
        const double x = v.real;
        if (!std::isfinite(x) && !(std::isnan(x) ? d.notANumber : d.infinity))
            return std::nullopt;
        std::string bits;
        if (v.kind == ValueKind::Single)
            appendShortest(bits, float(x));
        else
            appendShortest(bits, x);
        return std::isfinite(x) ? QString::fromStdString(bits)
               : std::isnan(x)  ? "NaN"
               : x < 0          ? "-Inf"
                                : "Inf";
    }
    case ValueKind::DateTime:
        if (!appendTimestamp(text, v.real))
            return std::nullopt;
        return QString::fromStdString(text);
    case ValueKind::Text: {
        std::string bytes(v.bytes);
        if (server == "postgres")
            bytes.erase(std::remove(bytes.begin(), bytes.end(), '\0'), bytes.end());
        return QByteArray::fromStdString(bytes).toHex().toUpper();
    }
    case ValueKind::Bytes:
        return QByteArray(v.bytes.data(), qsizetype(v.bytes.size())).toHex().toUpper();
    case ValueKind::Guid:
        appendGuid(text, v.bytes, false);
        return QString::fromStdString(text);
    }
    (void)c;
    return std::nullopt;
}

// The printed value in the form of expected.
QString normalised(const ColumnPlan& c, const DataValue& v, QString printed) {
    switch (v.kind) {
    case ValueKind::Single:
    case ValueKind::Double: {
        const double x = printedReal(printed);
        if (std::isnan(x) || printed.compare("NaN", Qt::CaseInsensitive) == 0)
            return "NaN";
        if (std::isinf(x))
            return x < 0 ? "-Inf" : "Inf";
        std::string s;
        if (v.kind == ValueKind::Single)
            appendShortest(s, float(x));
        else
            appendShortest(s, x);
        return QString::fromStdString(s);
    }
    case ValueKind::Currency:
    case ValueKind::Decimal:
        return digits(printed);
    case ValueKind::DateTime:
        if (printed.endsWith(".000"))
            printed.chop(4);
        while (printed.contains('.') && printed.endsWith('0'))
            printed.chop(1);
        return printed;
    case ValueKind::Text:
    case ValueKind::Bytes:
        return printed.toUpper();
    case ValueKind::Guid:
        return printed.remove('{').remove('}').toUpper();
    default:
        (void)c;
        return printed;
    }
}

// A double's text with its sign of zero dropped where the server keeps none.
QString withoutZeroSign(const QString& text) {
    return text == "-0" ? "0" : text;
}

// Every value the server holds, read back exactly, against what the reader reads from the file.
void compareEveryValue(const QString& name, const TargetDialect& dialect, const ConversionOptions& options,
                       ReaderProcess& reader, TestServer& server) {
    const QString path = options.DatabasePath;
    TestServer* target = &server;
    auto answer = reader.GetDatabaseSchema(path);
    QVERIFY(std::holds_alternative<DatabaseSchema>(answer));
    const CompleteScript plan(dialect, std::get<DatabaseSchema>(answer), options,
                              ScriptContents::SchemaAndRows);
    qint64 values = 0;
    for (const TablePlan& t : plan.plan().tables) {
        if (!t.written)
            continue;
        QList<int> columns;
        QStringList selects;
        for (int c = 0; c < t.columns.size(); ++c)
            if (t.columns[c].written) {
                columns << c;
                selects << readBack(name, dialect, t.columns[c]);
            }
        // Rows compared as sorted lists of whole rows: a table need not have a key to order them by. The
        // kind of each column's first value that is not NULL decides how the printed texts are compared.
        QStringList want;
        QList<DataValue> kinds(columns.size());
        const RowsRead read = reader.ReadTableRows(path, t.table->name, [&](const RowBatch& batch) {
            for (std::size_t r = 0; r < batch.rows(); ++r) {
                QStringList row;
                for (qsizetype i = 0; i < columns.size(); ++i)
                    if (kinds[i].kind == ValueKind::Null)
                        kinds[i].kind = batch.row(r)[columns[i]].kind;
                for (int c : columns) {
                    const std::optional<QString> v = expected(name, dialect, t.columns[c], batch.row(r)[c]);
                    QString text = v.value_or("NULL");
                    if (!dialect.negativeZero && (batch.row(r)[c].kind == ValueKind::Double ||
                                                  batch.row(r)[c].kind == ValueKind::Single))
                        text = withoutZeroSign(text);
                    row << text;
                }
                want << row.join("|");
            }
            return true;
        });
        QVERIFY(read.complete);
        const QList<QStringList> rows =
            target->select("SELECT " + selects.join(", ") + " FROM " + quoteName(dialect, t.name));
        QStringList got;
        for (const QStringList& r : rows) {
            QStringList row;
            for (int i = 0; i < columns.size(); ++i) {
                const QString printed = r.value(i);
                QString text =
                    printed == "NULL" ? printed : normalised(t.columns[columns[i]], kinds.value(i), printed);
                if (!dialect.negativeZero)
                    text =
                        kinds.value(i).kind == ValueKind::Double || kinds.value(i).kind == ValueKind::Single
                            ? withoutZeroSign(text)
                            : text;
                row << text;
            }
            got << row.join("|");
        }
        want.sort();
        got.sort();
        QCOMPARE(got.size(), want.size());
        for (int r = 0; r < want.size(); ++r)
            QVERIFY2(got[r] == want[r],
                     qPrintable(t.name + ": " + got[r].left(500) + "\n  != " + want[r].left(500)));
        values += want.size() * columns.size();
    }
    qInfo("%lld values compared", static_cast<long long>(values));
}

// The dialect of each test server: 0 PostgreSQL, 1 MariaDB, 2 SQLite.
const TargetDialect& dialectOf(int server) {
    return server == 0 ? postgreSqlDialect() : server == 1 ? mySqlDialect() : sqliteDialect();
}

// The database's rows into a new database of the server, through the script with rows or (migrate) through
// --into, which reads them back where verify is asked; warnings gets the run's. The test fails where the run
// or the load did.
void loadRows(TestServer& target, const TargetDialect& dialect, const ConversionOptions& options,
              bool migrate, bool verify, QStringList& warnings) {
    ReaderProcess reader(readerPath);
    CliWindow window(options, false);
    if (migrate) {
        const auto address = parseTargetAddress(target.createDatabase());
        QVERIFY(std::holds_alternative<TargetAddress>(address));
        const MigrationReport report = runMigration(
            options, {.address = std::get<TargetAddress>(address), .verify = verify}, window, reader, {});
        QVERIFY2(report.ending == MigrationReport::Ending::Done && report.countsAgree(),
                 qPrintable(reportText(report)));
        QVERIFY2(report.valuesAgree(), qPrintable(reportText(report)));
        warnings = report.warnings;
        return;
    }
    std::string script;
    const DataOutcome outcome = runDataScript(dialect, options, {}, window, reader,
                                              [&script](std::string_view bytes) {
                                                  script += bytes;
                                                  return true;
                                              },
                                              {});
    QVERIFY(outcome.written);
    warnings = outcome.warnings;
    const LoadResult loaded = target.load(QByteArray::fromStdString(script));
    QVERIFY2(loaded.ok, qPrintable(loaded.error.left(2000)));
}

} // namespace

class TestDataServers : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void everyValueArrives_data();
    void everyValueArrives();
    void everyValueMigrates_data() { everyValueArrives_data(); }
    void everyValueMigrates();
    void complexColumnsFillChildTables_data();
    void complexColumnsFillChildTables();
    void extendedDatesArrive_data();
    void extendedDatesArrive();
    void rowsBreakingTheirRulesArrive_data() { complexColumnsFillChildTables_data(); }
    void rowsBreakingTheirRulesArrive();

private:
    QString databasePath(const QString& database) { return ::databasePath(database, corpus_.path()); }

    std::unique_ptr<TestServer> servers_[3];
    QString why_[3];
    QTemporaryDir corpus_;
};

void TestDataServers::initTestCase() {
    const char* names[] = {"postgres", "mariadb", "sqlite"};
    for (int i = 0; i < 3; ++i)
        servers_[i] = startServer(names[i], why_[i]);
    const QString error = writeCorpus(corpus_.path());
    QVERIFY2(error.isEmpty(), qPrintable(error));
}

void TestDataServers::everyValueArrives_data() {
    QTest::addColumn<int>("server");
    QTest::addColumn<QString>("database");
    const QStringList databases = everyDatabase();
    const char* names[] = {"postgres", "mariadb", "sqlite"};
    for (int s = 0; s < 3; ++s)
        for (const QString& db : databases)
            QTest::addRow("%s %s", names[s], qPrintable(QFileInfo(db).fileName())) << s << db;
}

void TestDataServers::everyValueArrives() {
    QFETCH(int, server);
    QFETCH(QString, database);
    const QString name = server == 0 ? "postgres" : server == 1 ? "mariadb" : "sqlite";
    TestServer* target = servers_[server].get();
    if (!target)
        skipOrFail(why_[server]);
    if (!database.startsWith("corpus:"))
        REQUIRE_FIXTURES();
    const QString path = databasePath(database);
    QVERIFY2(!path.isEmpty(), qPrintable("could not unpack " + database));
    const TargetDialect& dialect = dialectOf(server);
    ConversionOptions options;
    options.DatabasePath = path;
    options.ScriptType = dialect.scriptType;
    ReaderProcess reader(readerPath);

    std::string script;
    CliWindow window(options, false);
    const DataOutcome outcome = runDataScript(dialect, options, {}, window, reader,
                                              [&script](std::string_view bytes) {
                                                  script += bytes;
                                                  return true;
                                              },
                                              {});
    QVERIFY(outcome.written);
    QVERIFY2(outcome.run.unreadableTables.isEmpty(), qPrintable(outcome.run.unreadableTables.join(", ")));
    const LoadResult loaded = target->load(QByteArray::fromStdString(script));
    QVERIFY2(loaded.ok, qPrintable(loaded.error.left(2000)));
    // Every view the script makes reads its tables without an error (SQLite checks a view's names only then).
    static const QRegularExpression view(QStringLiteral("^CREATE VIEW (.+) AS\r$"),
                                         QRegularExpression::MultilineOption);
    for (auto m = view.globalMatch(QString::fromStdString(script)); m.hasNext();) {
        const QString viewName = m.next().captured(1);
        const LoadResult selected = target->execute("SELECT COUNT(*) FROM " + viewName);
        QVERIFY2(selected.ok, qPrintable(viewName + ": " + selected.error.left(2000)));
    }
    // Every function a parameter query became returns rows when called, NULL for each argument.
    static const QRegularExpression function(
        QStringLiteral("^CREATE OR REPLACE FUNCTION (\"(?:[^\"]|\"\")+\")\\((.*)\\) RETURNS TABLE"),
        QRegularExpression::MultilineOption);
    for (auto m = function.globalMatch(QString::fromStdString(script)); m.hasNext();) {
        const QRegularExpressionMatch f = m.next();
        QStringList nulls;
        for (qsizetype i = 0; i < f.captured(2).count("\"p_"); ++i)
            nulls << "NULL";
        const QString call = f.captured(1) + "(" + nulls.join(", ") + ")";
        const LoadResult called = target->execute("SELECT COUNT(*) FROM " + call);
        QVERIFY2(called.ok, qPrintable(call + ": " + called.error.left(2000)));
    }

    compareEveryValue(name, dialect, options, reader, *target);
}

// The same rows straight into the server (--into): the report counts every row on both sides, and every value
// the server holds afterwards is the file's.
void TestDataServers::everyValueMigrates() {
    QFETCH(int, server);
    QFETCH(QString, database);
    const QString name = server == 0 ? "postgres" : server == 1 ? "mariadb" : "sqlite";
    TestServer* target = servers_[server].get();
    if (!target)
        skipOrFail(why_[server]);
    if (!database.startsWith("corpus:"))
        REQUIRE_FIXTURES();
    const QString path = databasePath(database);
    QVERIFY2(!path.isEmpty(), qPrintable("could not unpack " + database));
    const TargetDialect& dialect = dialectOf(server);
    ConversionOptions options;
    options.DatabasePath = path;
    options.ScriptType = dialect.scriptType;
    ReaderProcess reader(readerPath);
    const auto address = parseTargetAddress(target->createDatabase());
    QVERIFY(std::holds_alternative<TargetAddress>(address));
    CliWindow window(options, false);
    const MigrationReport report = runMigration(
        options, {.address = std::get<TargetAddress>(address), .verify = true}, window, reader, {});
    QVERIFY2(report.ending == MigrationReport::Ending::Done, qPrintable(reportText(report)));
    QVERIFY2(report.countsAgree(), qPrintable(reportText(report)));
    // The migration's own reading back finds every value it sent, as the comparison below does.
    QVERIFY(report.verified);
    QVERIFY2(report.valuesAgree(), qPrintable(reportText(report)));
    QVERIFY2(report.run.unreadableTables.isEmpty(), qPrintable(report.run.unreadableTables.join(", ")));
    qint64 rows = 0;
    for (const TableCount& t : report.tables)
        rows += t.read;
    qInfo("%lld rows in %lld tables", static_cast<long long>(rows),
          static_cast<long long>(report.tables.size()));
    compareEveryValue(name, dialect, options, reader, *target);
}

void TestDataServers::complexColumnsFillChildTables_data() {
    QTest::addColumn<int>("server");
    QTest::addColumn<bool>("into");
    const char* names[] = {"postgres", "mariadb", "sqlite"};
    for (int s = 0; s < 3; ++s) {
        QTest::addRow("%s script", names[s]) << s << false;
        QTest::addRow("%s --into", names[s]) << s << true;
    }
}

// The values of the attachment, multi-valued and version history columns, as the file's hidden tables hold
// them, each with the key of its row; an attachment's bytes as the file had them before Access stored them.
void TestDataServers::complexColumnsFillChildTables() {
    QFETCH(int, server);
    QFETCH(bool, into);
    REQUIRE_FIXTURES();
    TestServer* target = servers_[server].get();
    if (!target)
        skipOrFail(why_[server]);
    const TargetDialect& dialect = dialectOf(server);
    ConversionOptions options;
    options.DatabasePath = fixtures + "/complexDataTestV2010.accdb";
    options.ScriptType = dialect.scriptType;
    QStringList warnings;
    loadRows(*target, dialect, options, into, false, warnings);
    if (QTest::currentTestFailed())
        return;
    QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join("\n")));

    const auto q = [&](const QString& name) { return quoteName(dialect, name); };
    const auto rows = [&](const QString& sql) {
        QStringList lines;
        for (const QStringList& row : target->select(sql))
            lines << row.join("|");
        lines.sort();
        return lines;
    };
    QCOMPARE(rows("SELECT " + q("id") + ", " + q("Value") + " FROM " + q("Table1_multi-value-data")),
             QStringList(
                 {"row2|value1", "row2|value4", "row3|value1", "row3|value2", "row3|value3", "row3|value4"}));
    QCOMPARE(rows("SELECT " + q("id") + ", " + q("append-memo-data") + " FROM " +
                  q("Table1_VersionHistory_F5F8918F-0A3F-4DA9-AE71-184EE5012880")),
             QStringList({"row2|row2-memo", "row3|row3-memo", "row3|row3-memo-again",
                          "row3|row3-memo-revised", "row4|row4-memo"}));
    const QString hex =
        server == 0 ? "encode(" + q("FileData") + ", 'hex')" : "lower(hex(" + q("FileData") + "))";
    const QString first = QByteArray("this is some test data for attachment.").toHex();
    const QString second = QByteArray("this is some more test data for attachment.").toHex();
    QCOMPARE(rows("SELECT " + q("id") + ", " + q("FileName") + ", " + q("FileType") + ", " + hex + " FROM " +
                  q("Table1_attach-data")),
             QStringList({"row2|test_data.txt|txt|" + first, "row2|test_data2.txt|txt|" + second,
                          "row4|test_data2.txt|txt|" + second}));
}

void TestDataServers::extendedDatesArrive_data() {
    QTest::addColumn<int>("server");
    QTest::addColumn<bool>("migrate");
    const char* names[] = {"postgres", "mariadb", "sqlite"};
    for (int s = 0; s < 3; ++s) {
        QTest::addRow("%s script", names[s]) << s << false;
        QTest::addRow("%s --into", names[s]) << s << true;
    }
}

// Date/Time Extended, stored as days since 0001-01-01 and ticks of 100 ns, arrives as the date and time it
// holds, at both ends of its range and to the microsecond, through the script and through the migration,
// which reads it back as sent. The column took the place of a deleted Date/Time, as a table gets it when
// one is added to rows already there: the rows not rewritten since hold only the columns they had, and the
// rows after them arrive too.
void TestDataServers::extendedDatesArrive() {
    QFETCH(int, server);
    QFETCH(bool, migrate);
    TestServer* target = servers_[server].get();
    if (!target)
        skipOrFail(why_[server]);
    MdbColumn id;
    id.name = "ID";
    id.type = MdbColumnType::Long;
    MdbColumn then;
    then.name = "Then";
    then.type = MdbColumnType::DateTime;
    then.deleted = true;
    MdbColumn when;
    when.name = "When";
    when.type = MdbColumnType::DateTimeExtended;
    when.added = true;
    MdbTable moments;
    moments.name = "Moments";
    moments.columns = {id, then, when};
    const auto row = [](std::int64_t n, const char* stored) {
        // A row written before the column was added still holds the deleted one's value.
        return MdbRow{MdbValue{n}, stored ? std::nullopt : std::optional(MdbValue{45292.0}),
                      stored ? std::optional(MdbValue{std::string(stored)}) : std::nullopt};
    };
    moments.rows = {row(1, "0000000000000000000:0000000000000000000:7 "),
                    row(2, "0000000000000738153:0000000452967891230:7 "),
                    row(3, "0000000000003652058:0000000863999999990:7 "),
                    row(4, nullptr),
                    row(5, "0000000000000738153:0000000452967891234:7 "),
                    row(6, nullptr),
                    row(7, "0000000000000738153:0000000000000000000:7 ")};
    MdbSchema schema;
    schema.tables = {moments};
    const QString path = corpus_.filePath("extendedDates.mdb");
    std::string error;
    QVERIFY2(writeMdb(schema, path.toStdString(), &error), error.c_str());

    const TargetDialect& dialect = dialectOf(server);
    ConversionOptions options;
    options.DatabasePath = path;
    options.ScriptType = dialect.scriptType;
    QStringList warnings;
    loadRows(*target, dialect, options, migrate, true, warnings);
    if (QTest::currentTestFailed())
        return;
    const QString q = server == 1 ? "`" : "\"";
    const QString from = " FROM " + q + "Moments" + q + " WHERE " + q + "When" + q;
    QStringList held;
    for (const QStringList& r :
         target->select("SELECT " + q + "When" + q + from + " IS NOT NULL ORDER BY " + q + "ID" + q)) {
        QString text = r.value(0);
        if (text.contains('.')) {
            while (text.endsWith('0'))
                text.chop(1);
            if (text.endsWith('.'))
                text.chop(1);
        }
        held << text;
    }
    // A seventh digit of a second is kept where the server keeps it, and said to be left out elsewhere.
    const bool microseconds = server != 2;
    QCOMPARE(held,
             QStringList({"0001-01-01 00:00:00", "2021-12-30 12:34:56.789123", "9999-12-31 23:59:59.999999",
                          microseconds ? "2021-12-30 12:34:56.789123" : "2021-12-30 12:34:56.7891234",
                          "2021-12-30 00:00:00"}));
    QCOMPARE(
        warnings.join("\n").contains("1 times with a seventh digit of a second written to the microsecond"),
        microseconds);
    QCOMPARE(target->select("SELECT COUNT(*)" + from + " IS NULL"), QList<QStringList>({{"2"}}));
}

// Rows that break the rules their own file declares (a Required column with NULLs, a validation rule, a
// relationship whose texts match only without regard to case and trailing spaces) all arrive: such a rule is
// written only as far as the rows allow and named in the warnings, and every other rule still holds.
void TestDataServers::rowsBreakingTheirRulesArrive() {
    QFETCH(int, server);
    QFETCH(bool, into);
    TestServer* target = servers_[server].get();
    if (!target)
        skipOrFail(why_[server]);
    const TargetDialect& dialect = dialectOf(server);
    ConversionOptions options;
    options.DatabasePath = corpus_.filePath("broken-rules.mdb");
    options.ScriptType = dialect.scriptType;
    // The reader counts the NULLs of each column from the rows' null masks, without reading the values.
    ReaderProcess reader(readerPath);
    QCOMPARE(reader.CountMissingValues(options.DatabasePath, "Clients"),
             std::optional(QList<qint64>({0, 2, 0, 1, 1})));
    QStringList warnings;
    loadRows(*target, dialect, options, into, into, warnings);
    if (QTest::currentTestFailed())
        return;
    QStringList expected{
        "Table Clients, column PostalCode: NOT NULL (Required) not written, 2 rows hold no value",
        "Table Clients, column Phone: NOT NULL (Required) not written, 1 row holds no value",
        "Table Clients, column Phone: validation rule >=20 not written, 1 row breaks it"};
    const QString unmatched =
        "Relationship CodesClients (Clients references Codes): 2 rows of Clients reference "
        "no row of Codes as " +
        dialect.scriptType +
        " compares texts, where Access compares them without regard to case and trailing "
        "spaces; the foreign key is written";
    if (server == 0)
        expected << unmatched + " NOT VALID, so that only rows added or changed later are checked";
    else if (server == 2)
        expected << unmatched + ", and checked only for rows added or changed later";
    // PostgreSQL counts a Required column's missing values as the rows go in, and says so after them.
    warnings.sort();
    expected.sort();
    QCOMPARE(warnings, expected);

    const auto q = [&](const QString& name) { return quoteName(dialect, name); };
    QCOMPARE(target->select("SELECT COUNT(*) FROM " + q("Clients")), QList<QStringList>({{"5"}}));
    QCOMPARE(
        target->select("SELECT COUNT(*) FROM " + q("Clients") + " WHERE " + q("PostalCode") + " IS NULL"),
        QList<QStringList>({{"2"}}));
    // The rules the rows keep are still the server's: a Required column, and the foreign key for new rows
    // (SQLite checks foreign keys only on a connection that turns them on).
    const QString insert = "INSERT INTO " + q("Clients") + " (" + q("ID") + ", " + q("City") + ", " +
                           q("Phone") + ", " + q("Code") + ") VALUES ";
    QVERIFY(!target->execute(insert + "(9, NULL, 1, 'X')").ok);
    if (server != 2)
        QVERIFY(!target->execute(insert + "(9, 'Nice', 1, 'nowhere')").ok);
    QVERIFY(!target->execute(insert + "(9, 'Nowhere', NULL, 'X')").ok);
    QVERIFY(target->execute(insert + "(9, 'Nice', NULL, 'X')").ok);
}

QTEST_GUILESS_MAIN(TestDataServers)
#include "TestDataServers.moc"
