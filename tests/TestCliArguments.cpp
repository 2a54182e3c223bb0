#include "CliArguments.h"
#include <QTest>

namespace {

CliRequest parsed(QStringList arguments) {
    arguments.prepend("veltrane-cli");
    const CliArguments result = ParseCliArguments(arguments);
    if (const auto* error = std::get_if<CliUsageError>(&result))
        qWarning() << error->message;
    return std::get<CliRequest>(result);
}

bool isUsageError(QStringList arguments) {
    arguments.prepend("veltrane-cli");
    return std::holds_alternative<CliUsageError>(ParseCliArguments(arguments));
}

} // namespace

class TestCliArguments : public QObject {
    Q_OBJECT
private slots:
    void defaultsAreTheWindowsInitialLayout();
    void everyOptionSetsItsField();
    void grantList_data();
    void grantList();
    void usageErrors_data();
    void usageErrors();
    void helpAndVersion();
    void passwordOnlyFromAFile();
    void intoTakesSeveralDatabases();
};

void TestCliArguments::defaultsAreTheWindowsInitialLayout() {
    const CliRequest request = parsed({" my db.mdb "});
    const ConversionOptions& o = request.options;
    QCOMPARE(o.DatabasePath, " my db.mdb "); // never trimmed
    QCOMPARE(o.ScriptType, "Access SQL");
    QVERIFY(!o.CreateGo && o.CreateIndexes && o.CreatePrimaryKey && !o.IncludeSystemTables);
    QVERIFY(!o.StripSpaces && o.ModifyIllegalCharacters);
    QVERIFY(!o.CreatePermissions && o.GrantSelect && o.GrantInsert && o.GrantDelete && o.GrantUpdate);
    QCOMPARE(o.UserNames, QString());
    QVERIFY(request.outputFile.isEmpty() && !request.lineFeeds && !request.verbose);
    QVERIFY(o.CreateViews);
    QCOMPARE(o.CaseOfTexts, TextCase::AsServer);
}

void TestCliArguments::everyOptionSetsItsField() {
    const CliRequest request =
        parsed({"-t", "T-SQL", "--go", "--no-indexes", "--no-primary-key", "--system-tables",
                "--strip-spaces", "--keep-illegal", "--permissions", "--users", "public, dbo", "-o",
                "out.sql", "--lf", "-v", "--no-views", "x.mdb"});
    const ConversionOptions& o = request.options;
    QCOMPARE(o.ScriptType, "T-SQL");
    QVERIFY(o.CreateGo && !o.CreateIndexes && !o.CreatePrimaryKey && o.IncludeSystemTables);
    QVERIFY(o.StripSpaces && !o.ModifyIllegalCharacters && o.CreatePermissions);
    QCOMPARE(o.UserNames, "public, dbo");
    QCOMPARE(request.outputFile, "out.sql");
    QVERIFY(request.lineFeeds && request.verbose);
    QVERIFY(!request.queries);
    QVERIFY(parsed({"--queries", "-o", "q.sql", "x.mdb"}).queries);
    QVERIFY(!o.CreateViews);
    QCOMPARE(parsed({"--text-case", "insensitive", "x.mdb"}).options.CaseOfTexts, TextCase::Insensitive);
    QCOMPARE(parsed({"--text-case", "sensitive", "x.mdb"}).options.CaseOfTexts, TextCase::Sensitive);
}

void TestCliArguments::grantList_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("expected"); // bits: select, insert, delete, update
    QTest::addRow("all") << "select,insert,delete,update" << 0b1111;
    QTest::addRow("one") << "update" << 0b1000;
    QTest::addRow("spaces and case") << " Select , DELETE " << 0b0101;
    QTest::addRow("none") << "" << 0;
}

void TestCliArguments::grantList() {
    QFETCH(QString, list);
    QFETCH(int, expected);
    const ConversionOptions o = parsed({"--grant", list, "x.mdb"}).options;
    QCOMPARE(int(o.GrantSelect) | int(o.GrantInsert) << 1 | int(o.GrantDelete) << 2 | int(o.GrantUpdate) << 3,
             expected);
}

void TestCliArguments::usageErrors_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addRow("no database") << QStringList{};
    QTest::addRow("two databases") << QStringList{"a.mdb", "b.mdb"};
    QTest::addRow("unknown option") << QStringList{"--frobnicate", "a.mdb"};
    QTest::addRow("unknown permission") << QStringList{"--grant", "select,drop", "a.mdb"};
    QTest::addRow("missing value") << QStringList{"a.mdb", "--users"};
    QTest::addRow("queries with rows") << QStringList{"--queries", "--data", "-t", "SQLite", "a.mdb"};
    QTest::addRow("queries with CSV") << QStringList{"--queries", "--csv", "out", "a.mdb"};
    QTest::addRow("--into and --data")
        << QStringList{"--into", "sqlite:x.db", "-t", "SQLite", "--data", "a.mdb"};
    QTest::addRow("--into and --csv") << QStringList{"--into", "sqlite:x.db", "--csv", "out", "a.mdb"};
    QTest::addRow("--into and -o") << QStringList{"--into", "sqlite:x.db", "-o", "x.sql", "a.mdb"};
    QTest::addRow("--text-case other") << QStringList{"--text-case", "Insensitive", "a.mdb"};
    QTest::addRow("--replace alone") << QStringList{"--replace", "a.mdb"};
    QTest::addRow("--password-prompt alone") << QStringList{"--password-prompt", "a.mdb"};
    QTest::addRow("-j without --into") << QStringList{"-j", "2", "a.mdb", "b.mdb"};
    QTest::addRow("-j 0") << QStringList{"--into", "sqlite:out", "-j", "0", "a.mdb", "b.mdb"};
    QTest::addRow("--schema without --into") << QStringList{"--schema", "s", "a.mdb"};
}

void TestCliArguments::usageErrors() {
    QFETCH(QStringList, arguments);
    QVERIFY(isUsageError(arguments));
}

void TestCliArguments::helpAndVersion() {
    for (const char* option : {"-h", "--help"}) {
        const CliArguments result = ParseCliArguments({"veltrane-cli", option});
        const QString help = std::get<CliText>(result).text;
        QVERIFY(help.contains("--script-type"));
        QVERIFY(help.contains("--queries"));
        // The complete script types are offered by name.
        for (const char* type : {"\"SQL Server\"", "\"PostgreSQL\"", "\"MySQL\"", "\"SQLite\""})
            QVERIFY2(help.simplified().contains(type), type);
    }
    const CliArguments version = ParseCliArguments({"veltrane-cli", "-V"});
    QVERIFY(std::get<CliText>(version).text.startsWith("veltrane-cli "));
}

// The password of an encrypted database is named by a file, never given as an argument.
void TestCliArguments::passwordOnlyFromAFile() {
    QCOMPARE(parsed({"x.accdb"}).passwordFile, QString());
    QCOMPARE(parsed({"--password-file", "secret.txt", "x.accdb"}).passwordFile, "secret.txt");
    QVERIFY(isUsageError({"--password", "1234", "x.accdb"}));
    QVERIFY(isUsageError({"x.accdb", "--password-file"}));
    const QString help = std::get<CliText>(ParseCliArguments({"veltrane-cli", "--help"})).text.simplified();
    for (const char* text : {"--password-file FILE", "VELTRANE_PASSWORD", "exit status 77"})
        QVERIFY2(help.contains(text), text);
}

// A batch: every database or folder given, how many at once; each of its runs is given its one database.
void TestCliArguments::intoTakesSeveralDatabases() {
    const CliRequest batch = parsed({"--into", "sqlite:out", "-j", "3", "a.mdb", "shares/"});
    QCOMPARE(batch.databases, QStringList({"a.mdb", "shares/"}));
    QCOMPARE(batch.jobs, 3);
    const CliRequest one =
        parsed({"--into", "sqlite:out", "a.mdb", "shares/", "--schema", "a", "--batch-database", "b.mdb"});
    QCOMPARE(one.databases, QStringList({"b.mdb"}));
    QCOMPARE(one.options.DatabasePath, QStringLiteral("b.mdb"));
    QCOMPARE(one.schema, QStringLiteral("a"));
}

QTEST_GUILESS_MAIN(TestCliArguments)
#include "TestCliArguments.moc"
