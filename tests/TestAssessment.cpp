// veltrane-cli --assess as a user runs it: the whole text report of one small database, the counts of the
// fixtures and a damaged file, and the HTML report as a real browser renders it.

#include "FileTestHelpers.h"
#include "MdbTestCorpus.h"
#include "MdbWriter.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <limits>

namespace {

const QString fixtures = QStringLiteral(VELTRANE_FIXTURES_DIR);
const QString expectedDir = QStringLiteral(VELTRANE_TEST_DATA_DIR) + "/expected";
const QString cli = QStringLiteral(VELTRANE_BIN_DIR) + "/veltrane-cli";

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(180000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

MdbColumn column(const char* name, MdbColumnType type) {
    MdbColumn c;
    c.name = name;
    c.type = type;
    return c;
}

// Values the targets cannot all hold, at their edges (the day before SQL Server's DATETIME begins and the
// day it does, a date of the year 50, -0, NaN and an infinity as Double and as Single, a seventh digit of a
// second), and rows that break the rules of their columns: a validation rule, Required, and Allow Zero Length
// off.
MdbSchema valuesDatabase() {
    using T = MdbColumnType;
    MdbColumn score = column("Score", T::Long);
    score.validationRule = "Between 1 And 10";
    MdbColumn name = column("Name", T::Text);
    name.length = 20;
    name.required = true;
    name.allowZeroLength = false;
    MdbIndex key;
    key.name = "PrimaryKey";
    key.columns = {"ID"};
    key.primary = true;
    MdbTable readings;
    readings.name = "Readings";
    readings.columns = {column("ID", T::Long),
                        column("Taken", T::DateTime),
                        column("Level", T::Double),
                        column("Ratio", T::Single),
                        score,
                        name};
    readings.indexes = {key};
    const auto row = [](std::int64_t id, double taken, double level, float ratio,
                        std::optional<std::int64_t> score, std::optional<std::string> name) {
        return MdbRow{MdbValue{id},
                      MdbValue{taken},
                      MdbValue{level},
                      MdbValue{ratio},
                      score ? std::optional(MdbValue{*score}) : std::nullopt,
                      name ? std::optional(MdbValue{*name}) : std::nullopt};
    };
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    constexpr double infinity = std::numeric_limits<double>::infinity();
    readings.rows = {row(1, 45292.5, 1.5, 0.5f, 5, "first"),
                     row(2, -72926.5, -0.0, float(nan), 12, ""),               // 1700-05-01 12:00
                     row(3, -675696.0, nan, 1.0f, std::nullopt, std::nullopt), // 0050-01-01
                     row(4, -53689.25, infinity, -0.0f, 1, "x"),               // 1752-12-31 06:00
                     row(5, -53688.0, -infinity, 2.0f, 10, "y")};              // 1753-01-01
    MdbTable moments;
    moments.name = "Moments";
    moments.columns = {column("ID", T::Long), column("When", T::DateTimeExtended)};
    moments.rows = {
        {MdbValue{std::int64_t(1)}, MdbValue{std::string("0000000000000738153:0000000452967891230:7 ")}},
        {MdbValue{std::int64_t(2)}, MdbValue{std::string("0000000000000738153:0000000452967891234:7 ")}}};
    return {{readings, moments}, {}};
}

} // namespace

Q_DECLARE_METATYPE(MdbSchema)

class TestAssessment : public QObject {
    Q_OBJECT
private slots:
    void wholeReportOfOneDatabase_data();
    void wholeReportOfOneDatabase();
    void fixturesAndDamagedFile();
    void codeOfRealDatabases();
    void htmlInBrowser();
};

// Tables, rows, column types, relationships and every kind of saved query of a database mkmdb writes, and
// what each target makes of the queries; with --values, what each target cannot hold of the values and the
// rules the rows break: as the checked reports have them.
void TestAssessment::wholeReportOfOneDatabase_data() {
    QTest::addColumn<MdbSchema>("schema");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("expected");
    QTest::addRow("queries") << mdbQueriesDatabase() << QStringList() << "queries.mdb.assess.txt";
    QTest::addRow("values") << valuesDatabase() << QStringList{"--values"} << "values.mdb.assess.txt";
}

void TestAssessment::wholeReportOfOneDatabase() {
    QFETCH(MdbSchema, schema);
    QFETCH(QStringList, options);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath(expected.section('.', 0, 0) + ".mdb");
    std::string error;
    QVERIFY2(writeMdb(schema, path.toStdString(), &error), error.c_str());
    const Run result = run(cli, QStringList{"--assess"} + options + QStringList{dir.path()});
    QCOMPARE(result.err, QByteArray());
    QCOMPARE(result.exitCode, 0);
    const QByteArray report = QByteArray(result.out).replace(dir.path().toUtf8(), "DIR");
    QCOMPARE(QString::fromUtf8(report), QString::fromUtf8(readFile(expectedDir + "/" + expected)));
}

// Every fixture is a line of the report, the encrypted ones unread without their password, and a truncated
// copy of one is read as far as it goes; the run goes on past them and ends with 65.
void TestAssessment::fixturesAndDamagedFile() {
    REQUIRE_FIXTURES();
    QTemporaryDir dir;
    const QByteArray whole = readFile(fixtures + "/testV2007.accdb");
    QFile damaged(dir.filePath("truncated.accdb"));
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    QCOMPARE(damaged.write(whole.left(whole.size() * 7 / 10)), whole.size() * 7 / 10);
    damaged.close();
    const Run result = run(cli, {"--assess", fixtures, damaged.fileName(), dir.filePath("gone.mdb")});
    QCOMPARE(result.exitCode, 65);
    const QString report = QString::fromUtf8(result.out);
    for (const char* line : {
             "Databases: 20 (15 read, 1 partly read, 4 not read)\n",
             "Tables: 29 (1 linked), 10645 rows\n",
             "Relationships: 3\n",
             "  Order Details        5000\n",
             "  Documents              50\n",
             "  Table2  linked to Z:\\jackcess_test\\linkeeTest.accdb\n",
             "  Table3           0  NOT READ: its columns could not be read\n",
             "Tables not read: Table3, Table4\n",
             "Encrypted: yes, no password given\n",
             "Column types: Attachment 1, Long Text 2, Multi-valued 1, Short Text 1, Version history 1\n",
             "/gone.mdb\nNot read: No such file or folder.\n",
         })
        QVERIFY2(report.contains(QString::fromUtf8(line)), line);
    QCOMPARE(report.count("Encrypted: yes, no password given\n"), 3);
}

// The forms, reports, macros, modules and lines of VBA of a real application, counted as objects.txt counts
// them, twice under one file name: with --code each database's code is in a folder of its own, which the
// text names and the HTML links to, and an Access 97 project (MSysModules2) counted as the later ones are.
void TestAssessment::codeOfRealDatabases() {
    REQUIRE_FIXTURES();
    QTemporaryDir dir;
    const QString northwind = "GabrielLogue__Northwind-Database-Example__Northwind.mdb";
    const QString access97 = "jleefish__c-Website2__NWIND.MDB";
    QVERIFY(QDir(dir.path()).mkpath("a") && QDir(dir.path()).mkpath("b"));
    const QStringList databases = {unpackRealWorld(northwind, dir.filePath("a")),
                                   unpackRealWorld(northwind, dir.filePath("b")),
                                   unpackRealWorld(access97, dir.path())};
    QVERIFY(!databases.contains(QString()));
    const QString code = dir.filePath("code");
    const Run text = run(cli, QStringList{"--assess", "--code", code} + databases);
    QCOMPARE(text.exitCode, 0);
    const QString report = QString::fromUtf8(text.out);
    const QStringList lines = {
        "Forms: 22, reports: 14, macros: 6\n"
        "Modules: 14 (2 standard, 0 class, 12 behind forms and reports), 1008 lines of VBA in 55 procedures\n"
        "Code: " +
            code + "/" + northwind + "\n",
        "Code: " + code + "/" + northwind + " (2)\n",
        QStringLiteral(
            "Forms: 21, reports: 13, macros: 7\n"
            "Modules: 15 (3 standard, 0 class, 12 behind forms and reports), 923 lines of VBA in 46 "
            "procedures\n"
            "Code: ") +
            code + "/" + access97 + "\n",
        QStringLiteral("Databases: 3 (3 read, 0 partly read, 0 not read)\n"),
        QStringLiteral(
            "Forms: 65, reports: 41, macros: 19\n"
            "Modules: 43 (7 standard, 0 class, 36 behind forms and reports), 2939 lines of VBA in 156 "
            "procedures\n"),
    };
    for (const QString& line : lines)
        QVERIFY2(report.contains(line), qPrintable(line));

    const QString html = dir.filePath("report.html");
    QCOMPARE(run(cli, QStringList{"--assess", "--html", html, "--code", code} + databases).exitCode, 0);
    static const QRegularExpression link(R"re(<dt>Code</dt><dd><a href="([^"]+)">)re");
    QStringList targets;
    for (const QRegularExpressionMatch& match : link.globalMatch(QString::fromUtf8(readFile(html))))
        targets << QUrl(match.captured(1)).toLocalFile();
    QCOMPARE(QSet<QString>(targets.cbegin(), targets.cend()).size(), 3);
    for (const QString& target : targets)
        QVERIFY2(readFile(target).startsWith("Kind\tName\tFile\tLines\tProcedures\r\n"), qPrintable(target));
}

// The HTML report in a real browser, with the values and rules of --values: it renders without a console
// message (no script, nothing fetched), and the screenshot shows the summary table's bars.
void TestAssessment::htmlInBrowser() {
    const QString browser = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    if (browser.isEmpty()) {
        if (qEnvironmentVariableIsSet("VELTRANE_REQUIRE_SERVERS"))
            QFAIL("chromium is not installed (tools/dev.sh --test installs it)");
        QSKIP("chromium is not installed: the HTML report is not checked in a browser");
    }
    QTemporaryDir dir;
    const QString database = dir.filePath("queries.mdb");
    std::string error;
    QVERIFY2(writeMdb(mdbQueriesDatabase(), database.toStdString(), &error), error.c_str());
    const QString values = dir.filePath("values.mdb");
    QVERIFY2(writeMdb(valuesDatabase(), values.toStdString(), &error), error.c_str());
    const QString html = dir.filePath("report.html");
    const Run assess =
        run(cli, {"--assess", "--values", "--html", html, database, values, dir.filePath("gone.mdb")});
    QCOMPARE(assess.exitCode, 65);
    QCOMPARE(assess.out, QByteArray());
    const QByteArray page = readFile(html);
    QVERIFY(page.contains("<tr><td>SQL Server</td><td>Readings</td><td>Taken</td><td class=\"n\">2</td>"));
    QVERIFY(page.contains("<tr><td>all</td><td>Table Readings, column Score: validation rule"));

    const QString screenshot = dir.filePath("report.png");
    const Run browse =
        run(browser, {"--headless", "--no-sandbox", "--disable-gpu", "--enable-logging=stderr", "--v=0",
                      "--user-data-dir=" + dir.filePath("profile"), "--screenshot=" + screenshot,
                      "--window-size=1200,900", "file://" + html});
    QVERIFY2(browse.exitCode == 0, browse.err.constData());
    QVERIFY2(!browse.err.contains(":CONSOLE"), browse.err.constData());
    const QImage image(screenshot);
    QCOMPARE(image.size(), QSize(1200, 900));
    // The size bar's blue and the rows bar's green, as the page's style has them.
    bool sizeBar = false;
    bool rowsBar = false;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y) & 0xffffff;
            sizeBar |= pixel == 0x4a7fb5;
            rowsBar |= pixel == 0x6aa66a;
        }
    QVERIFY(sizeBar);
    QVERIFY(rowsBar);
}

QTEST_GUILESS_MAIN(TestAssessment)
#include "TestAssessment.moc"
