// veltrane-cli as a user runs it: the real program on real Access files, compared byte for byte with
// scripts that were checked by reading them.

#include "CliWindow.h"
#include "ConversionRun.h"
#include "FileTestHelpers.h"
#include "MdbTestCorpus.h"
#include "MdbWriter.h"
#include "ReaderProcess.h"
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString fixtures = QStringLiteral(VELTRANE_FIXTURES_DIR);
const QString expectedDir = QStringLiteral(VELTRANE_TEST_DATA_DIR) + "/expected";
const QString cli = QStringLiteral(VELTRANE_BIN_DIR) + "/veltrane-cli";

struct CliResult {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

CliResult runCli(const QStringList& arguments, const QString& program = cli) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(120000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

const QStringList allOn{"--go", "--system-tables", "--permissions", "--users", "public"};

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// On a mismatch, say where, rather than just "false".
void compareScripts(const QByteArray& actual, const QByteArray& expected) {
    const QList<QByteArray> a = actual.split('\n');
    const QList<QByteArray> e = expected.split('\n');
    for (qsizetype i = 0; i < std::min(a.size(), e.size()); ++i) {
        if (a[i] != e[i])
            QFAIL(qPrintable(QStringLiteral("line %1 differs:\n actual:   %2\n expected: %3")
                                 .arg(i + 1)
                                 .arg(QString::fromUtf8(a[i]), QString::fromUtf8(e[i]))));
    }
    QCOMPARE(a.size(), e.size());
}

} // namespace

class TestCliEndToEnd : public QObject {
    Q_OBJECT
private slots:
    void fixturesMatchCheckedScripts_data();
    void fixturesMatchCheckedScripts();
    void sqlServerRowsMatchCheckedScripts_data();
    void sqlServerRowsMatchCheckedScripts();
    void oneRequestEqualsPerCallReader_data();
    void oneRequestEqualsPerCallReader();
    void exitStatuses_data();
    void exitStatuses();
    void outputFileAndLineFeeds();
    void cannotWriteSaysWhy_data();
    void cannotWriteSaysWhy();
    void intoSqliteFile();
    void valuesLeftOutWithoutPrimaryKey_data();
    void valuesLeftOutWithoutPrimaryKey();
    void readerProgramMissing();
    void partlyReadDatabase();
    void linkedFileGone();
    void namesOutsideTheBasicPlane();
    void queriesOfEveryKind();
    void queryThatMakesNoStatementIsNamed();
    void fixturesWithoutQueries_data();
    void fixturesWithoutQueries();
};

void TestCliEndToEnd::fixturesMatchCheckedScripts_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("dialect");
    // The bundled sample is always there, so a plain clone runs the end-to-end comparison too.
    const QString examples = QStringLiteral(VELTRANE_SOURCE_DIR) + "/examples";
    QTest::addRow("sample access") << examples << "sample.mdb"
                                   << "Access SQL";
    QTest::addRow("sample tsql") << examples << "sample.mdb"
                                 << "T-SQL";
    for (const char* file :
         {"testV1997.mdb", "indexTestV2000.mdb", "compIndexTestV2003.mdb", "test2V2003.mdb",
          "testV2007.accdb", "emptyJet4.mdb", "adox_jet4.mdb", "calcFieldTestV2010.accdb",
          "complexDataTestV2010.accdb", "linkerTestV2007.accdb", "linkeeTest.accdb"}) {
        QTest::addRow("%s access", file) << fixtures << QString(file) << "Access SQL";
        QTest::addRow("%s tsql", file) << fixtures << QString(file) << "T-SQL";
        // SQL Server has no server here: its complete script is checked against scripts read through.
        QTest::addRow("%s sqlserver", file) << fixtures << QString(file) << "SQL Server";
    }
}

void TestCliEndToEnd::fixturesMatchCheckedScripts() {
    QFETCH(QString, folder);
    QFETCH(QString, database);
    QFETCH(QString, dialect);
    if (folder == fixtures)
        REQUIRE_FIXTURES();
    // Run from the database's folder with a relative path, so the header does not depend on where it lies.
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(cli, QStringList(allOn) << "-t" << dialect << database);
    QVERIFY(process.waitForFinished(120000));
    QCOMPARE(process.exitCode(), 0);
    const QString expectedFile = expectedDir + "/" + database +
                                 (dialect == "T-SQL"        ? ".tsql.sql"
                                  : dialect == "SQL Server" ? ".sqlserver.sql"
                                                            : ".access.sql");
    compareScripts(process.readAllStandardOutput(), readFile(expectedFile));
}

void TestCliEndToEnd::sqlServerRowsMatchCheckedScripts_data() {
    QTest::addColumn<QString>("database");
    // Every Access type in rows, and the child tables of complex columns with an attachment's bytes.
    QTest::newRow("testV2007.accdb") << "testV2007.accdb";
    QTest::newRow("complexDataTestV2010.accdb") << "complexDataTestV2010.accdb";
}

// SQL Server has no server here: its script with rows is checked against scripts read through.
void TestCliEndToEnd::sqlServerRowsMatchCheckedScripts() {
    QFETCH(QString, database);
    REQUIRE_FIXTURES();
    QProcess process;
    process.setWorkingDirectory(fixtures);
    process.start(cli, {"-t", "SQL Server", "--go", "--data", database});
    QVERIFY(process.waitForFinished(120000));
    QCOMPARE(process.exitCode(), 0);
    compareScripts(process.readAllStandardOutput(),
                   readFile(expectedDir + "/" + database + ".sqlserver-data.sql"));
}

void TestCliEndToEnd::oneRequestEqualsPerCallReader_data() {
    fixturesMatchCheckedScripts_data();
}

void TestCliEndToEnd::oneRequestEqualsPerCallReader() {
    QFETCH(QString, folder);
    QFETCH(QString, database);
    QFETCH(QString, dialect);
    if (folder == fixtures)
        REQUIRE_FIXTURES();
    const QString path = folder + "/" + database;
    ConversionOptions options;
    options.DatabasePath = path;
    options.ScriptType = dialect;
    options.CreateGo = options.IncludeSystemTables = options.CreatePermissions = true;
    options.UserNames = "public";
    CliWindow window(options, false);
    ReaderProcess perCall(QStringLiteral(VELTRANE_BIN_DIR) + "/veltrane-reader");
    cmdGenSQL_Click(window, perCall);
    const CliResult result = runCli(QStringList(allOn) << "-t" << dialect << path);
    QCOMPARE(result.exitCode, 0);
    compareScripts(result.out, window.script().toUtf8());
}

void TestCliEndToEnd::exitStatuses_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    QTest::addRow("usage") << QStringList{} << 64 << "no database given";
    QTest::addRow("blank path") << QStringList{"   "} << 64 << "You must select a DB first. Exiting...";
    QTest::addRow("no such file") << QStringList{"/nonexistent/x.mdb"} << 66
                                  << "3024  Could not find file '/nonexistent/x.mdb'.";
    QTest::addRow("folder") << QStringList{"/tmp"} << 65 << "This DB doesn't appear to be the correct format";
    QTest::addRow("text file") << QStringList{QStringLiteral(VELTRANE_TEST_DATA_DIR) + "/not-a-database.txt"}
                               << 65 << "Unrecognized database format";
    QTest::addRow("queries: no such file") << QStringList{"--queries", "/nonexistent/x.mdb"} << 66
                                           << "Could not find file '/nonexistent/x.mdb'.";
    QTest::addRow("queries: text file")
        << QStringList{"--queries", QStringLiteral(VELTRANE_TEST_DATA_DIR) + "/not-a-database.txt"} << 65
        << "Unrecognized database format";
    QTest::addRow("queries: blank path") << QStringList{"--queries", " "} << 64 << "no database given";
    const QString sample = QStringLiteral(VELTRANE_SOURCE_DIR) + "/examples/sample.mdb";
    QTest::addRow("password in --into") << QStringList{"--into", "postgresql://me:secret@/db", sample} << 64
                                        << "a password in the address is refused";
    QTest::addRow("unknown target") << QStringList{"--into", "oracle://db", sample} << 64 << "unknown target";
    QTest::addRow("target refuses") << QStringList{"--into", "postgresql:///db?host=/nonexistent", sample}
                                    << 70 << "Cannot connect to postgresql:///db?host=/nonexistent";
    QTest::addRow("into: encrypted without its password")
        << QStringList{"--into", "sqlite:" + QDir::temp().filePath("veltrane-never-made.db"),
                       fixtures + "/db2013-enc.accdb"}
        << 77 << "is encrypted, and its password is missing or wrong";
}

void TestCliEndToEnd::exitStatuses() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, message);
    if (arguments.join(' ').contains(fixtures))
        REQUIRE_FIXTURES();
    const CliResult result = runCli(arguments);
    QCOMPARE(result.exitCode, status);
    QVERIFY2(QString::fromLocal8Bit(result.err).contains(message), result.err.constData());
    QCOMPARE(result.out, QByteArray());
}

// The report on standard output; a second run finds the tables and refuses them, --replace makes them again.
void TestCliEndToEnd::intoSqliteFile() {
    const QString sample = QStringLiteral(VELTRANE_SOURCE_DIR) + "/examples/sample.mdb";
    QTemporaryDir dir;
    const QString target = "sqlite:" + dir.filePath("sample.db");
    const CliResult first = runCli({"--into", target, sample});
    QCOMPARE(first.exitCode, 0);
    const QStringList lines = QString::fromUtf8(first.out).split('\n', Qt::SkipEmptyParts);
    QVERIFY2(lines.value(0).startsWith("Table ") && lines.value(0).contains("Rows read"),
             first.out.constData());
    QVERIFY(lines.last().startsWith("5 tables migrated into " + target + " (SQLite "));
    const QStringList total = lines.value(lines.size() - 2).split(' ', Qt::SkipEmptyParts);
    QCOMPARE(total.value(0), "Total");
    QCOMPARE(total.value(1), total.value(2));
    const CliResult second = runCli({"--into", target, sample});
    QCOMPARE(second.exitCode, 73);
    QVERIFY2(second.err.contains("already holds tables of these names"), second.err.constData());
    const CliResult replaced = runCli({"--into", target, "--replace", sample});
    QCOMPARE(replaced.exitCode, 0);
    QVERIFY(replaced.out.contains("Replaced: "));
    QVERIFY(replaced.out.contains(lines.value(lines.size() - 2).toUtf8()));
}

void TestCliEndToEnd::valuesLeftOutWithoutPrimaryKey_data() {
    QTest::addColumn<QStringList>("arguments"); // "TARGET" stands for a new SQLite file
    QTest::addRow("--data") << QStringList{"-t", "SQLite", "--data"};
    QTest::addRow("--data-only") << QStringList{"-t", "PostgreSQL", "--data-only"};
    QTest::addRow("--into") << QStringList{"--into", "TARGET"};
    QTest::addRow("--into --verify") << QStringList{"--into", "TARGET", "--verify"};
}

// Without a primary key the values of complex columns have no child table: each column is named with the
// count of the values its storage table holds, on standard error and in the script's comments or the
// migration's report, and the run ends as one that left something out.
void TestCliEndToEnd::valuesLeftOutWithoutPrimaryKey() {
    QFETCH(QStringList, arguments);
    REQUIRE_FIXTURES();
    QTemporaryDir dir;
    arguments.replaceInStrings(QStringLiteral("TARGET"), "sqlite:" + dir.filePath("left.db"));
    const CliResult result =
        runCli(arguments << "--no-primary-key" << fixtures + "/complexDataTestV2010.accdb");
    QCOMPARE(result.exitCode, 65);
    const QString err = QString::fromLocal8Bit(result.err);
    const QString out = QString::fromUtf8(result.out);
    for (const QString& left :
         {QStringLiteral("Table Table1, column VersionHistory_F5F8918F-0A3F-4DA9-AE71-184EE5012880: 5 values "
                         "left out, as the table has no primary key to link them to its rows"),
          QStringLiteral("Table Table1, column multi-value-data: 6 values left out"),
          QStringLiteral("Table Table1, column attach-data: 3 values left out")}) {
        QVERIFY2(err.contains("veltrane-cli: " + left), qPrintable(err));
        QVERIFY2(out.contains(left), qPrintable(out));
    }
}

void TestCliEndToEnd::outputFileAndLineFeeds() {
    const QString sample = QStringLiteral(VELTRANE_SOURCE_DIR) + "/examples/sample.mdb";
    QTemporaryDir dir;
    const QString out = dir.filePath("script.sql");
    const CliResult toFile = runCli({"-o", out, sample});
    QCOMPARE(toFile.exitCode, 0);
    QCOMPARE(toFile.out, QByteArray());
    const CliResult toStdout = runCli({sample});
    QCOMPARE(readFile(out), toStdout.out);
    QVERIFY(toStdout.out.contains("\r\n"));
    const CliResult lf = runCli({"--lf", sample});
    QVERIFY(!lf.out.contains('\r'));
    QCOMPARE(lf.out, QByteArray(toStdout.out).replace("\r\n", "\n"));
    // A run that fails leaves no output file behind.
    const QString failed = dir.filePath("failed.sql");
    QCOMPARE(runCli({"-o", failed, "/nonexistent.mdb"}).exitCode, 66);
    QVERIFY(!QFile::exists(failed));
}

// Each output that cannot be written is named with the system's reason. A folder that is a regular file
// stops root as well as anyone, and /dev/full as standard output is a full disk.
void TestCliEndToEnd::cannotWriteSaysWhy_data() {
    QTest::addColumn<QStringList>("arguments"); // DIR is a temporary folder holding a regular file "file"
    QTest::addColumn<QString>("standardOutput");
    QTest::addColumn<QString>("message");
    const QString sample = QStringLiteral(VELTRANE_SOURCE_DIR) + "/examples/sample.mdb";
    const QString queries = "DIR/queries.mdb";
    QTest::addRow("script: -o in a file") << QStringList{"-o", "DIR/file/out.sql", sample} << QString()
                                          << "cannot write DIR/file/out.sql: Not a directory";
    QTest::addRow("script: full disk") << QStringList{sample} << "/dev/full"
                                       << "cannot write standard output: No space left on device";
    QTest::addRow("data: -o in a file")
        << QStringList{"--data", "-t", "SQLite", "-o", "DIR/file/out.sql", sample} << QString()
        << "cannot write DIR/file/out.sql: Not a directory";
    QTest::addRow("data: full disk") << QStringList{"--data", "-t", "SQLite", sample} << "/dev/full"
                                     << "cannot write standard output: No space left on device";
    QTest::addRow("queries: -o in a file") << QStringList{"--queries", "-o", "DIR/file/q.sql", queries}
                                           << QString() << "cannot write DIR/file/q.sql: Not a directory";
    QTest::addRow("queries: full disk") << QStringList{"--queries", queries} << "/dev/full"
                                        << "cannot write standard output: No space left on device";
    QTest::addRow("csv: folder in a file") << QStringList{"--csv", "DIR/file/csv", sample} << QString()
                                           << "cannot write DIR/file/csv: Not a directory";
}

void TestCliEndToEnd::cannotWriteSaysWhy() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, standardOutput);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QFile file(dir.filePath("file"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    std::string error;
    QVERIFY2(writeMdb(mdbQueriesDatabase(), dir.filePath("queries.mdb").toStdString(), &error),
             error.c_str());
    arguments.replaceInStrings("DIR", dir.path());
    QProcess process;
    if (!standardOutput.isEmpty())
        process.setStandardOutputFile(standardOutput);
    process.start(cli, arguments);
    QVERIFY(process.waitForFinished(120000));
    const QString err = QString::fromLocal8Bit(process.readAllStandardError());
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 73);
    QCOMPARE(err, "veltrane-cli: " + QString(message).replace("DIR", dir.path()) + "\n");
}

// Without the reader program beside it (nor in ../libexec), every file, even a missing one, gets the same
// answer: the reader program could not be started, with its path.
void TestCliEndToEnd::readerProgramMissing() {
    QTemporaryDir dir;
    const QString alone = dir.filePath("veltrane-cli");
    QVERIFY(QFile::copy(cli, alone));
    for (const QString& database : {QStringLiteral("/nonexistent/x.mdb"),
                                    QStringLiteral(VELTRANE_SOURCE_DIR) + "/examples/sample.mdb"}) {
        const CliResult result = runCli({database}, alone);
        QCOMPARE(result.exitCode, 69);
        const QString err = QString::fromLocal8Bit(result.err);
        QVERIFY2(err.contains("429  The schema reader program '" +
                              QDir::cleanPath(dir.path() + "/../libexec") +
                              "/veltrane/veltrane-reader' could not be started"),
                 result.err.constData());
        QVERIFY2(!err.contains("damaged") && !err.contains("correct format"), result.err.constData());
        QCOMPARE(result.out, QByteArray());
    }
}

// A truncated copy of a real file: the script of what could be read is written, the tables that could
// not be read are named on standard error, and the exit status says the data was bad.
void TestCliEndToEnd::partlyReadDatabase() {
    REQUIRE_FIXTURES();
    QTemporaryDir dir;
    const QByteArray whole = readFile(fixtures + "/testV2007.accdb");
    QCOMPARE(whole.size(), 425984);
    const QString path = dir.filePath("truncated.accdb");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(whole.left(whole.size() * 7 / 10)), whole.size() * 7 / 10);
    file.close();

    const QString out = dir.filePath("script.sql");
    const CliResult result = runCli({"-o", out, path});
    QCOMPARE(result.exitCode, 65);
    QCOMPARE(QString::fromLocal8Bit(result.err),
             "The script is incomplete: 2 of the tables could not be read, the file may be damaged: Table3, "
             "Table4.\n");
    const QByteArray script = readFile(out);
    QVERIFY(script.contains("CREATE TABLE Table1 (\r\n     A TEXT (50) NOT NULL ,"));
    QCOMPARE(script.count("     -- fields could not be read\r\n"), 2);
}

// A linked table whose file is not there is left unread on purpose: named, but no failure.
void TestCliEndToEnd::linkedFileGone() {
    REQUIRE_FIXTURES();
    QTemporaryDir dir;
    const QString path = dir.filePath("linkerTestV2007.accdb");
    QVERIFY(QFile::copy(fixtures + "/linkerTestV2007.accdb", path));
    const CliResult result = runCli({path});
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(QString::fromLocal8Bit(result.err),
             "Linked tables not read because the table they link to could not be reached: Table2.\n");
    QVERIFY(result.out.contains("CREATE TABLE Table2 (\r\n     -- fields could not be read\r\n)"));
}

// Names with characters outside the Basic Multilingual Plane, in every kind of name, arrive whole in both
// dialects; T-SQL cleaning turns such a character into one underscore.
void TestCliEndToEnd::namesOutsideTheBasicPlane() {
    QTemporaryDir dir;
    const QString path = dir.filePath("emoji.mdb");
    MdbSchema schema;
    MdbTable table;
    table.name = "Fun \U0001F600 Table";
    const auto column = [](std::string name, MdbColumnType type, int length = 0, bool autoNumber = false) {
        MdbColumn column;
        column.name = std::move(name);
        column.type = type;
        column.length = length;
        column.autoNumber = autoNumber;
        return column;
    };
    const auto index = [](std::string name, std::string column, bool primary = false) {
        MdbIndex index;
        index.name = std::move(name);
        index.columns = {std::move(column)};
        index.primary = primary;
        return index;
    };
    table.columns = {column("ID", MdbColumnType::Long, 0, true),
                     column("Smile \U0001F600", MdbColumnType::Text, 20),
                     column("\U0001D11E Clef", MdbColumnType::Long)};
    table.indexes = {index("PrimaryKey", "ID", true), index("Idx \U0001F389", "Smile \U0001F600"),
                     index("\U00020000", "\U0001D11E Clef")};
    schema.tables = {table};
    std::string error;
    QVERIFY2(writeMdb(schema, path.toStdString(), &error), error.c_str());

    const CliResult access = runCli({path});
    QCOMPARE(access.exitCode, 0);
    const QString accessScript = QString::fromUtf8(access.out);
    QVERIFY2(accessScript.contains(QString::fromUtf8("CREATE TABLE Fun \U0001F600 Table (\r\n"
                                                     "     ID COUNTER NOT NULL ,\r\n"
                                                     "     Smile \U0001F600 TEXT (20) NOT NULL ,\r\n"
                                                     "     \U0001D11E Clef INT NOT NULL ,\r\n")),
             access.out.constData());
    QVERIFY(accessScript.contains(QString::fromUtf8("ON Fun \U0001F600 Table (Idx \U0001F389, \U00020000)")));

    const CliResult tsql = runCli({"-t", "T-SQL", path});
    QCOMPARE(tsql.exitCode, 0);
    const QString tsqlScript = QString::fromUtf8(tsql.out);
    QVERIFY2(tsqlScript.contains(QString::fromUtf8("     Smile__ VARCHAR (20) NOT NULL ,\r\n"
                                                   "     __Clef INT NOT NULL ,\r\n")),
             tsql.out.constData());
    QVERIFY(!tsqlScript.contains(QLatin1Char('?')));
}

// Written by mkmdb, read back by --queries: every kind, as the checked output has it, and nothing else.
void TestCliEndToEnd::queriesOfEveryKind() {
    QTemporaryDir dir;
    const QString path = dir.filePath("queries.mdb");
    std::string error;
    QVERIFY2(writeMdb(mdbQueriesDatabase(), path.toStdString(), &error), error.c_str());
    const CliResult result = runCli({"--queries", path});
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.err, QByteArray());
    compareScripts(result.out, readFile(expectedDir + "/queries.mdb.queries.txt"));
}

// The other queries are written all the same; the one left out is named, and the run says so.
void TestCliEndToEnd::queryThatMakesNoStatementIsNamed() {
    QTemporaryDir dir;
    const QString path = dir.filePath("broken.mdb");
    const auto row = [](int attribute, std::optional<std::string> expression) {
        MdbQueryRow r;
        r.attribute = attribute;
        r.expression = std::move(expression);
        return r;
    };
    MdbSchema schema;
    schema.queries = {MdbQuery{"Broken", MdbQueryKind::Select, false, {row(8, "A>1"), row(8, "A>2")}},
                      MdbQuery{"Fine", MdbQueryKind::Select, false, {row(6, "1"), row(8, "True")}}};
    std::string error;
    QVERIFY2(writeMdb(schema, path.toStdString(), &error), error.c_str());
    const CliResult result = runCli({"--queries", path});
    QCOMPARE(result.exitCode, 65);
    QCOMPARE(result.out, QByteArray("-- Query: Fine (Select)\nSELECT 1\nWHERE True;\n\n"));
    QCOMPARE(result.err, QByteArray("veltrane-cli: query Broken not read: more than one WHERE row\n"));
}

void TestCliEndToEnd::fixturesWithoutQueries_data() {
    QTest::addColumn<QString>("database");
    // Their MSysQueries tables hold no rows and their catalogs no query.
    for (const char* database : {"testV1997.mdb", "testV2007.accdb", "indexTestV2000.mdb", "emptyJet4.mdb",
                                 "complexDataTestV2010.accdb", "linkerTestV2007.accdb"})
        QTest::newRow(database) << QString::fromLatin1(database);
}

void TestCliEndToEnd::fixturesWithoutQueries() {
    REQUIRE_FIXTURES();
    QFETCH(QString, database);
    const CliResult result = runCli({"--queries", fixtures + "/" + database});
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out, QByteArray());
    QCOMPARE(result.err, QByteArray());
}

QTEST_GUILESS_MAIN(TestCliEndToEnd)
#include "TestCliEndToEnd.moc"
