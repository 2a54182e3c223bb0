// Access's functions in the views of saved queries, loaded into real servers (PostgreSQL, MariaDB, SQLite,
// each started once by this test) over rows written by mkmdb: for each case the value Access gives, as the
// language defines it (ties of banker's rounding, negative numbers, NULLs).

#include "CliWindow.h"
#include "DataScript.h"
#include "MdbWriter.h"
#include "QueriesReader.h"
#include "ReaderProcess.h"
#include "TargetDialect.h"
#include "servers/TestServer.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <memory>

namespace {

MdbColumn col(const char* name, MdbColumnType type, int length = 0) {
    MdbColumn c;
    c.name = name;
    c.type = type;
    c.length = length;
    return c;
}

std::optional<MdbValue> n(std::int64_t v) {
    return MdbValue{v};
}
std::optional<MdbValue> x(double v) {
    return MdbValue{v};
}
std::optional<MdbValue> money(std::int64_t tenThousandths) {
    return MdbValue{MdbCurrency{tenThousandths}};
}
std::optional<MdbValue> s(const char* v) {
    return MdbValue{std::string(v)};
}

// An Access date: days since December 30, 1899 and the time as a fraction of a day.
std::optional<MdbValue> date(int y, int m, int d, int h = 0, int n = 0, int sec = 0) {
    return MdbValue{double(QDate(1899, 12, 30).daysTo(QDate(y, m, d))) + (h * 3600 + n * 60 + sec) / 86400.0};
}

// Rows of values that tell rules apart: X a Double, C and E Currency, D a date, T a text, B a Yes/No.
MdbSchema values() {
    using T = MdbColumnType;
    const MdbIndex key{"PrimaryKey", {"ID"}, true, true, false, true, false, {}};
    const auto row = [](std::int64_t id, std::optional<MdbValue> xv, std::optional<MdbValue> c,
                        std::optional<MdbValue> e, std::optional<MdbValue> d, std::optional<MdbValue> t) {
        return MdbRow{n(id), xv, c, e, d, t, MdbValue{id % 2 == 1}};
    };
    MdbTable vals{"Vals",
                  false,
                  {col("ID", T::Long), col("X", T::Double), col("C", T::Currency), col("E", T::Currency),
                   col("D", T::DateTime), col("T", T::Text, 30), col("B", T::YesNo)},
                  {key},
                  false,
                  {row(1, x(2.5), money(25000), money(1), date(2024, 1, 15, 12), s("Hello World")),
                   row(2, x(-2.5), money(-25000), money(3), date(2024, 1, 31), s("hello")),
                   row(3, x(1.5), money(15000), money(5), date(2024, 12, 31, 18), s("ABC")),
                   row(4, x(0.5), money(5000), money(5000), date(1850, 3, 1), s("")),
                   row(5, x(0.125), money(2500), money(-5), date(2000, 2, 29, 6, 30, 15), s("a")),
                   row(6, x(0.375), money(3500), money(7), date(1999, 12, 31), s("a")),
                   row(7, x(0.03125), money(-3500), money(1), date(2023, 1, 1), s("a")),
                   row(8, x(-0.09375), money(12345), money(1), date(2024, 1, 15), s("a")),
                   row(9, x(1.23456), money(-15000), money(1), date(2024, 1, 15), s("a")),
                   row(10, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt)},
                  {}};
    return MdbSchema{{vals}, {}};
}

struct FunctionCase {
    const char* expression; // of the row's columns
    int id;                 // the row
    const char* value;      // Access's value: "NULL" for NULL; numbers compare as numbers
    bool onSqlite = true;   // SQLite gets a view (it computes Currency and Decimal as doubles)
};

// Each group's cases, as Access computes them.
const QList<FunctionCase>& rounding() {
    static const QList<FunctionCase> all{
        // Round, CInt and CLng take a half to the even neighbour, of a Double and of a Currency.
        {"Round(X)", 1, "2"},
        {"Round(X)", 2, "-2"},
        {"Round(X)", 3, "2"},
        {"Round(X)", 4, "0"},
        {"Round(X, 2)", 5, "0.12"},
        {"Round(X, 2)", 6, "0.38"},
        {"Round(X, 1)", 9, "1.2"},
        {"Round(X)", 10, "NULL"},
        {"CInt(X)", 1, "2"},
        {"CInt(X)", 2, "-2"},
        {"CInt(X)", 3, "2"},
        {"CLng(X)", 4, "0"},
        {"CLng(-X)", 3, "-2"},
        {"CLng(X)", 9, "1"},
        {"Round(C)", 1, "2", false},
        {"Round(C)", 2, "-2", false},
        {"Round(C)", 3, "2", false},
        {"Round(C, 1)", 5, "0.2", false},
        {"Round(C, 1)", 6, "0.4", false},
        {"Round(C, 1)", 7, "-0.4", false},
        {"Round(C, 3)", 8, "1.234", false},
        {"CInt(C)", 1, "2", false},
        {"CLng(C)", 9, "-2", false},
        // CCur keeps four places: a Double's fifth is rounded to even, and so is a product of Currencies.
        {"CCur(X)", 7, "0.0312"},
        {"CCur(X)", 8, "-0.0938"},
        {"CCur(X)", 9, "1.2346"},
        {"CCur(X)", 10, "NULL"},
        {"CCur(C * E)", 4, "0.25", false},
        {"CCur(C * E)", 1, "0.0002", false},
        {"CCur(C * E)", 2, "-0.0008", false},
        {"CCur(C * E)", 3, "0.0008", false},
        {"CCur(C * E)", 5, "-0.0001", false},
        {"CCur(C * E)", 6, "0.0002", false},
        // Int takes a negative number down, Fix towards 0.
        {"Int(X)", 2, "-3"},
        {"Fix(X)", 2, "-2"},
        {"Int(X)", 1, "2"},
        {"Fix(X)", 1, "2"},
        {"Int(C)", 9, "-2"},
        {"Fix(C)", 9, "-1"},
        {"Int(X)", 10, "NULL"},
    };
    return all;
}

// Row 1's date is Monday, January 15, 2024 at noon; January 1, 2024 was a Monday, 2023 a Sunday.
const QList<FunctionCase>& dates() {
    static const QList<FunctionCase> all{
        {"Year(D)", 1, "2024"},
        {"Month(D)", 1, "1"},
        {"Day(D)", 1, "15"},
        {"Hour(D)", 1, "12"},
        {"Minute(D)", 5, "30"},
        {"Second(D)", 5, "15"},
        {"Weekday(D)", 1, "2"},
        {"Weekday(D, 2)", 1, "1"},
        {"Weekday(D, 7)", 7, "2"},
        {"DatePart(\"w\", D, 2)", 7, "7"},
        {"DatePart(\"y\", D)", 3, "366"},
        {"DatePart(\"q\", D, 1, 0)", 3, "4"},
        {"DatePart(\"ww\", D)", 1, "3"},
        {"DatePart(\"ww\", D)", 6, "53"},
        {"DatePart(\"ww\", D, 2)", 7, "1"},
        {"DatePart(\"ww\", D, 2)", 1, "3"},
        {"DatePart(\"yyyy\", D)", 4, "1850"},
        {"Year(D)", 10, "NULL"},
        // DateAdd keeps a month's end within the month.
        {"DateAdd(\"m\", 1, D)", 2, "2024-02-29 00:00:00"},
        {"DateAdd(\"m\", 1, D)", 6, "2000-01-31 00:00:00"},
        {"DateAdd(\"yyyy\", 1, D)", 5, "2001-02-28 06:30:15"},
        {"DateAdd(\"q\", -1, D)", 3, "2024-09-30 18:00:00"},
        {"DateAdd(\"ww\", 2, D)", 1, "2024-01-29 12:00:00"},
        {"DateAdd(\"h\", 13, D)", 1, "2024-01-16 01:00:00"},
        {"DateAdd(\"d\", -1, D)", 4, "1850-02-28 00:00:00"},
        {"DateAdd(\"n\", 90, D)", 5, "2000-02-29 08:00:15"},
        {"DateAdd(\"s\", 45, D)", 5, "2000-02-29 06:31:00"},
        {"DateAdd(\"d\", 1, D)", 10, "NULL"},
        // DateSerial reads two-digit years as Access does and runs over the ends of months and years.
        {"DateSerial(2024, 14, 1)", 1, "2025-02-01 00:00:00"},
        {"DateSerial(2024, 3, 0)", 1, "2024-02-29 00:00:00"},
        {"DateSerial(95, 1, 1)", 1, "1995-01-01 00:00:00"},
        {"DateSerial(5, 6, 7)", 1, "2005-06-07 00:00:00"},
        {"DateSerial(1850, 1, 60)", 1, "1850-03-01 00:00:00"},
        {"DateSerial(Year(D), Month(D) + 1, 0)", 1, "2024-01-31 00:00:00"},
        {"DateSerial(Year(D), 1, 1)", 10, "NULL"},
        // DateDiff counts the boundaries of its unit: "ww" the first days of weeks after the first date up to
        // the second, "w" whole weeks.
        {"DateDiff(\"d\", #1/1/2024#, D)", 1, "14"},
        {"DateDiff(\"yyyy\", #12/31/2023#, D)", 1, "1"},
        {"DateDiff(\"yyyy\", D, #1/1/2024#)", 3, "0"},
        {"DateDiff(\"m\", D, #3/1/2024#)", 2, "2"},
        {"DateDiff(\"q\", #12/31/2023#, D)", 1, "1"},
        {"DateDiff(\"w\", #1/1/2024#, D)", 1, "2"},
        {"DateDiff(\"w\", #1/2/2024#, D)", 1, "1"},
        {"DateDiff(\"w\", D, #1/2/2024#)", 1, "-1"},
        {"DateDiff(\"ww\", #1/13/2024#, D)", 1, "1"},
        {"DateDiff(\"ww\", #1/14/2024#, D)", 1, "0"},
        {"DateDiff(\"ww\", #1/13/2024#, D, 2)", 1, "1"},
        {"DateDiff(\"ww\", D, #1/21/2024#, 2)", 1, "0"},
        {"DateDiff(\"ww\", D, #1/1/2024#)", 1, "-2"},
        {"DateDiff(\"h\", #1/14/2024#, D)", 1, "36"},
        {"DateDiff(\"n\", #1/15/2024#, D)", 1, "720"},
        {"DateDiff(\"s\", D, #1/15/2024#)", 1, "-43200"},
        {"DateDiff(\"d\", #1/1/1850#, D)", 4, "59"},
        {"DateDiff(\"d\", D, #1/1/2024#)", 10, "NULL"},
    };
    return all;
}

// Access compares texts without regard to case unless the call asks for a binary comparison (0).
const QList<FunctionCase>& texts() {
    static const QList<FunctionCase> all{
        {"InStr(T, \"world\")", 1, "7"},
        {"InStr(1, T, \"world\", 0)", 1, "0"},
        {"InStr(1, T, \"World\", 0)", 1, "7"},
        {"InStr(8, T, \"o\")", 1, "8"},
        {"InStr(9, T, \"o\")", 1, "0"},
        {"InStr(T, \"\")", 1, "1"},
        {"InStr(T, \"x\")", 10, "NULL"},
        {"StrComp(T, \"HELLO\")", 2, "0"},
        {"StrComp(T, \"HELLO\", 0)", 2, "1"},
        {"StrComp(T, \"abd\")", 3, "-1"},
        {"StrComp(T, \"abc\", 0)", 3, "-1"},
        {"StrComp(T, \"ab\")", 3, "1"},
        {"StrComp(T, \"a\")", 10, "NULL"},
        {"Len(T)", 1, "11"},
        {"Len(T)", 4, "0"},
        {"Left(T, 5)", 1, "Hello"},
        {"Right(T, 5)", 1, "World"},
        {"Right(T, 9)", 2, "hello"},
        {"Mid(T, 7)", 1, "World"},
        {"Mid(T, 2, 3)", 1, "ell"},
    };
    return all;
}

const QList<FunctionCase>& choices() {
    static const QList<FunctionCase> all{
        {"Switch(X > 2, \"big\", X > 0, \"small\")", 1, "big"},
        {"Switch(X > 2, \"big\", X > 0, \"small\")", 4, "small"},
        {"Switch(X > 2, \"big\", X > 0, \"small\")", 2, "NULL"},
        {"Choose(ID, \"a\", \"b\", \"c\")", 2, "b"},
        {"Choose(ID, \"a\", \"b\", \"c\")", 5, "NULL"},
        {"IIf(X > 0, \"positive\", \"other\")", 10, "other"},
        {"Nz(X, 0)", 10, "0"},
        {"Nz(T, \"none\")", 10, "none"},
        {"Str(ID) & \"|\"", 3, " 3|"},
        {"Str(-ID)", 3, "-3"},
        // Val reads the number a text begins with, blanks left out; SQLite has no function that does.
        {"Val(\"    1615 198th Street N.E.\")", 1, "1615198", false},
        {"Val(\"24 and 57\")", 1, "24", false},
        {"Val(\"&HFFFF\")", 1, "-1", false},
        {"Val(\"&h1F\")", 1, "31", false},
        {"Val(\"&O17\")", 1, "15", false},
        {"Val(\"2.5e2x\")", 1, "250", false},
        {"Val(\"1D2\")", 1, "100", false},
        {"Val(\"-.5\")", 1, "-0.5", false},
        {"Val(\"1.2.3\")", 1, "1.2", false},
        {"Val(T)", 3, "0", false},
        {"Val(T)", 4, "0", false},
        {"Val(T)", 10, "NULL", false},
    };
    return all;
}

// Format in the US English locale Access uses by default.
const QList<FunctionCase>& formats() {
    static const QList<FunctionCase> all{
        {"Format(D, \"yyyy\")", 1, "2024"},
        {"Format(D, \"mmmm\")", 1, "January"},
        {"Format(D, \"mmmm\")", 6, "December"},
        {"Format(D, \"mmm d, yyyy\")", 5, "Feb 29, 2000"},
        {"Format(D, \"dd/mm/yy\")", 6, "31/12/99"},
        {"Format(D, \"yyyy-mm-dd\")", 4, "1850-03-01"},
        {"Format(D, \"dddd\")", 1, "Monday"},
        {"Format(D, \"ddd\")", 7, "Sun"},
        {"Format(D, \"hh:nn:ss\")", 5, "06:30:15"},
        {"Format(D, \"h:mm AM/PM\")", 1, "12:00 PM"},
        {"Format(D, \"q\")", 3, "4"},
        {"Format(D, \"Short Date\")", 2, "1/31/2024"},
        {"Format(D, \"Long Date\")", 1, "Monday, January 15, 2024"},
        {"Format(D, \"Medium Date\")", 5, "29-Feb-00"},
        {"Format(D, \"Long Time\")", 5, "6:30:15 AM"},
        {"Format(D, \"Short Time\")", 3, "18:00"},
        {"Format(D, \"General Date\")", 2, "1/31/2024"},
        {"Format(D, \"General Date\")", 1, "1/15/2024 12:00:00 PM"},
        {"Format(D, \"yyyy\")", 10, "NULL"},
        {"Format(B, \"Yes/No\")", 1, "Yes"},
        {"Format(B, \"Yes/No\")", 2, "No"},
        // Numbers round half away from zero; SQLite formats whole numbers alone.
        {"Format(C, \"Currency\")", 8, "$1.23", false},
        {"Format(C, \"Currency\")", 9, "($1.50)", false},
        {"Format(X, \"Fixed\")", 9, "1.23", false},
        {"Format(X, \"Fixed\")", 2, "-2.50", false},
        {"Format(C * 1000, \"Standard\")", 8, "1,234.50", false},
        {"Format(X, \"Percent\")", 5, "12.50%", false},
        {"Format(C, \"0.0\")", 5, "0.3", false},
        {"Format(C, \"0.0\")", 7, "-0.4", false},
        {"Format(X, \"#,##0.00\")", 9, "1.23", false},
        {"Format(ID * 1000, \"#,##0\")", 3, "3,000"},
        {"Format(ID, \"0.00\")", 3, "3.00"},
        {"Format(C, \"0.00\")", 10, "NULL", false},
    };
    return all;
}

struct Group {
    const char* name;
    const QList<FunctionCase>& (*cases)();
};

const Group groups[] = {
    {"rounding", rounding}, {"dates", dates}, {"texts", texts}, {"choices", choices}, {"formats", formats}};

QString viewName(const Group& g, int i) {
    return QStringLiteral("%1 %2").arg(QLatin1String(g.name)).arg(i);
}

const TargetDialect& dialectOf(int server) {
    return server == 0 ? postgreSqlDialect() : server == 1 ? mySqlDialect() : sqliteDialect();
}

bool sameValue(const QString& got, const QString& want) {
    bool a = false;
    bool b = false;
    const double g = got.toDouble(&a);
    const double w = want.toDouble(&b);
    if (a && b)
        return std::abs(g - w) <= 1e-9 * std::max(1.0, std::abs(w));
    return got == want;
}

} // namespace

class TestQueryFunctionsServers : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void functionsGiveAccessValues_data();
    void functionsGiveAccessValues();

private:
    std::unique_ptr<TestServer> servers_[3];
    QString why_[3];
    QString scripts_[3];
    QTemporaryDir dir_;
};

// Each server is started and given the script with every case's view once.
void TestQueryFunctionsServers::initTestCase() {
    const QString path = dir_.filePath("values.mdb");
    std::string error;
    QVERIFY2(writeMdb(values(), path.toStdString(), &error), error.c_str());
    SavedQueries queries;
    for (const Group& g : groups)
        for (int i = 0; i < g.cases().size(); ++i)
            queries << SavedQuery{viewName(g, i), QueryKind::Select,
                                  QStringLiteral("SELECT %1 AS R FROM Vals WHERE ID = %2;")
                                      .arg(QLatin1String(g.cases()[i].expression))
                                      .arg(g.cases()[i].id),
                                  false};
    const char* names[] = {"postgres", "mariadb", "sqlite"};
    for (int server = 0; server < 3; ++server) {
        servers_[server] = startServer(names[server], why_[server]);
        if (!servers_[server])
            continue;
        const std::optional<std::string> script = scriptWithQueries(dialectOf(server), path, queries);
        QVERIFY(script);
        scripts_[server] = QString::fromStdString(*script);
        const LoadResult loaded = servers_[server]->load(QByteArray::fromStdString(*script));
        QVERIFY2(loaded.ok, qPrintable(loaded.error.left(2000) + "\n" + scripts_[server].right(4000)));
    }
}

void TestQueryFunctionsServers::functionsGiveAccessValues_data() {
    QTest::addColumn<int>("server");
    QTest::addColumn<QString>("view");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("made");
    const char* names[] = {"postgres", "mariadb", "sqlite"};
    for (int server = 0; server < 3; ++server)
        for (const Group& g : groups)
            for (int i = 0; i < g.cases().size(); ++i) {
                const FunctionCase& c = g.cases()[i];
                QTest::addRow("%s: %s of row %d", names[server], c.expression, c.id)
                    << server << viewName(g, i) << QString::fromLatin1(c.value)
                    << (server != 2 || c.onSqlite);
            }
}

void TestQueryFunctionsServers::functionsGiveAccessValues() {
    QFETCH(int, server);
    QFETCH(QString, view);
    QFETCH(QString, value);
    TestServer* target = servers_[server].get();
    if (!target)
        skipOrFail(why_[server]);
    const TargetDialect& d = dialectOf(server);
    const QString& script = scripts_[server];
    QFETCH(bool, made);
    if (!made) {
        QVERIFY2(script.contains("-- Query " + view + " is not a view here: "),
                 qPrintable(script.right(3000)));
        return;
    }
    QVERIFY2(script.contains("CREATE VIEW " + quoteName(d, view) + " AS"),
             qPrintable(script.mid(script.indexOf("-- Query " + view + " is"), 300)));
    const QString castTo = server == 1 ? "CHAR" : "TEXT";
    const QList<QStringList> rows = target->select(
        QStringLiteral("SELECT CASE WHEN %1 IS NULL THEN 'NULL' ELSE CAST(%1 AS %2) END FROM %3")
            .arg(quoteName(d, "R"), castTo, quoteName(d, view)));
    if (rows.size() != 1) {
        const LoadResult selected = target->execute("SELECT COUNT(*) FROM " + quoteName(d, view));
        QVERIFY2(selected.ok, qPrintable(selected.error.left(1000)));
    }
    QCOMPARE(rows.size(), 1);
    QVERIFY2(sameValue(rows[0].value(0).remove(QRegularExpression("\\.000$")), value),
             qPrintable(rows[0].value(0) + " != " + value));
}

QTEST_GUILESS_MAIN(TestQueryFunctionsServers)
#include "TestQueryFunctionsServers.moc"
