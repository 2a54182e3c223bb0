// The values of rows as the scripts write them: the exact texts (dates, Currency, shortest floats, GUIDs) as
// a table of cases, and a round trip through real servers (PostgreSQL, MariaDB, SQLite, each started by the
// test): every edge value written as an INSERT literal (and for PostgreSQL as COPY data) is read back equal.

#include "RowLiterals.h"
#include "ValueText.h"
#include "servers/TestServer.h"

#include <QtTest>
#include <cmath>
#include <limits>

namespace {

DataValue text(std::string_view t) {
    return {ValueKind::Text, 0, 0, t};
}

// The values of the round trip, one row each: a text, bytes, a double, a float, a Currency, a date.
struct Row {
    std::string text;
    std::string bytes;
    double real;
    float single;
    std::int64_t currency;
    double date;
};

const std::string emoji = "\xF0\x9F\x98\x80";

QList<Row> rows() {
    return {
        {"", std::string(), 0.1, 0.1f, 0, 0.0},
        {"it's \"quoted\"", std::string("\0\x01\xFF", 3), -0.0, -0.0f,
         std::numeric_limits<std::int64_t>::min(), -1.25},
        {"back\\slash \\n", "\\x'", 1e300, 3.4028235e38f, std::numeric_limits<std::int64_t>::max(), 36526.5},
        {"tab\tCR\r\nLF ctl\x01\x1F end", std::string(70000, 'b'), 5e-324, 1e-45f, -5, -657434.0},
        {emoji + " Köln ;\\g --", "", 1.7976931348623157e308, -1.5f, 12345, 2958465.999988426},
        {std::string(70000, 'x') + emoji, "\r\n", -2.5e-10, 16777216.0f, 1, 0.5 / 86400000.0 * 3},
    };
}

QString hex(const std::string& bytes) {
    return QByteArray::fromStdString(bytes).toHex().toUpper();
}

QString timestamp(double days) {
    std::string out;
    appendTimestamp(out, days);
    return QString::fromStdString(out);
}

QString currency(std::int64_t v) {
    std::string out;
    appendCurrency(out, v);
    return QString::fromStdString(out);
}

} // namespace

class TestRowLiterals : public QObject {
    Q_OBJECT
private slots:
    void valueTexts_data();
    void valueTexts();
    void literals_data();
    void literals();
    void serversReadBackEveryValue_data();
    void serversReadBackEveryValue();
};

void TestRowLiterals::valueTexts_data() {
    QTest::addColumn<QString>("actual");
    QTest::addColumn<QString>("expected");
    QTest::addRow("day zero") << timestamp(0) << "1899-12-30 00:00:00";
    QTest::addRow("before day zero, time forward") << timestamp(-1.25) << "1899-12-29 06:00:00";
    QTest::addRow("negative fraction only") << timestamp(-0.5) << "1899-12-30 12:00:00";
    QTest::addRow("2000 noon") << timestamp(36526.5) << "2000-01-01 12:00:00";
    QTest::addRow("milliseconds") << timestamp(36526 + 1234.0 / 86400000) << "2000-01-01 00:00:01.234";
    QTest::addRow("rounds to the next day") << timestamp(36526.9999999999) << "2000-01-02 00:00:00";
    QTest::addRow("first day Access holds") << timestamp(-657434) << "0100-01-01 00:00:00";
    QTest::addRow("last day Access holds") << timestamp(2958465.5) << "9999-12-31 12:00:00";
    QTest::addRow("before the year 100") << timestamp(-657435) << "";
    QTest::addRow("after 9999") << timestamp(2958466) << "";
    QTest::addRow("not a number") << timestamp(std::nan("")) << "";
    QTest::addRow("ISO separator") << [] {
        std::string out;
        appendTimestamp(out, 1.5, 'T');
        return QString::fromStdString(out);
    }() << "1899-12-31T12:00:00";
    QTest::addRow("currency") << currency(12345) << "1.2345";
    QTest::addRow("currency small negative") << currency(-5) << "-0.0005";
    QTest::addRow("currency least") << currency(std::numeric_limits<std::int64_t>::min())
                                    << "-922337203685477.5808";
    const auto shortest = [](auto v) {
        std::string out;
        return appendShortest(out, v) ? QString::fromStdString(out) : QString("none");
    };
    QTest::addRow("double 0.1") << shortest(0.1) << "0.1";
    QTest::addRow("float 0.1") << shortest(0.1f) << "0.1";
    QTest::addRow("negative zero") << shortest(-0.0) << "-0";
    QTest::addRow("huge") << shortest(1e300) << "1e+300";
    QTest::addRow("infinity") << shortest(std::numeric_limits<double>::infinity()) << "none";
    const std::string guid("\x78\x56\x34\x12\x34\x12\xCD\xAB\x01\x02\x03\x04\x05\x06\x07\x08", 16);
    std::string g;
    appendGuid(g, guid, true);
    QTest::addRow("guid") << QString::fromStdString(g) << "{12345678-1234-ABCD-0102-030405060708}";
}

void TestRowLiterals::valueTexts() {
    QFETCH(QString, actual);
    QFETCH(QString, expected);
    QCOMPARE(actual, expected);
}

void TestRowLiterals::literals_data() {
    QTest::addColumn<QString>("scriptType");
    QTest::addColumn<int>("kind"); // 0 text with NUL, 1 bytes, 2 NaN, 3 -Infinity, 4 true, 5 line breaks
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("problem");
    const auto none = int(ValueProblem::None);
    QTest::addRow("PostgreSQL NUL") << "PostgreSQL" << 0 << "'a\\b'''" << int(ValueProblem::NulRemoved);
    QTest::addRow("MySQL NUL") << "MySQL" << 0 << "'a\\0\\\\b'''" << none;
    QTest::addRow("SQLite NUL") << "SQLite" << 0 << "CAST(X'61005C6227' AS TEXT)" << none;
    QTest::addRow("SQL Server NUL") << "SQL Server" << 0 << "CAST(0x610000005C0062002700 AS NVARCHAR(MAX))"
                                    << none;
    QTest::addRow("PostgreSQL bytes") << "PostgreSQL" << 1 << "'\\x00ff'" << none;
    QTest::addRow("MySQL bytes") << "MySQL" << 1 << "X'00FF'" << none;
    QTest::addRow("SQL Server bytes") << "SQL Server" << 1 << "0x00FF" << none;
    QTest::addRow("PostgreSQL NaN") << "PostgreSQL" << 2 << "'NaN'" << none;
    QTest::addRow("SQLite NaN") << "SQLite" << 2 << "NULL" << int(ValueProblem::NotFinite);
    QTest::addRow("MySQL NaN") << "MySQL" << 2 << "NULL" << int(ValueProblem::NotFinite);
    QTest::addRow("PostgreSQL -Infinity") << "PostgreSQL" << 3 << "'-Infinity'" << none;
    QTest::addRow("SQLite -Infinity") << "SQLite" << 3 << "-9e999" << none;
    QTest::addRow("SQL Server true") << "SQL Server" << 4 << "1" << none;
    QTest::addRow("MySQL true") << "MySQL" << 4 << "TRUE" << none;
    QTest::addRow("PostgreSQL line break") << "PostgreSQL" << 5 << R"(E'a\\\r\n''')" << none;
    QTest::addRow("SQL Server line break")
        << "SQL Server" << 5 << "CAST(0x61005C000D000A002700 AS NVARCHAR(MAX))" << none;
    QTest::addRow("SQLite line break") << "SQLite" << 5 << "CAST(X'615C0D0A27' AS TEXT)" << none;
}

void TestRowLiterals::literals() {
    QFETCH(QString, scriptType);
    QFETCH(int, kind);
    QFETCH(QString, expected);
    QFETCH(int, problem);
    const std::string nul("a\0\\b'", 5);
    const DataValue values[] = {text(nul),
                                {ValueKind::Bytes, 0, 0, std::string_view("\0\xFF", 2)},
                                {ValueKind::Double, 0, std::nan(""), {}},
                                {ValueKind::Double, 0, -std::numeric_limits<double>::infinity(), {}},
                                {ValueKind::Boolean, 1, 0, {}},
                                text("a\\\r\n'")};
    std::string out;
    const ValueProblem p =
        appendSqlLiteral(out, *completeScriptDialect(scriptType), ValueForm::Text, values[kind]);
    QCOMPARE(QString::fromStdString(out), expected);
    QCOMPARE(int(p), problem);
}

void TestRowLiterals::serversReadBackEveryValue_data() {
    QTest::addColumn<QString>("server");
    QTest::addColumn<bool>("copy");
    QTest::addRow("postgres INSERT") << "postgres" << false;
    QTest::addRow("postgres COPY") << "postgres" << true;
    QTest::addRow("mariadb INSERT") << "mariadb" << false;
    QTest::addRow("sqlite INSERT") << "sqlite" << false;
}

void TestRowLiterals::serversReadBackEveryValue() {
    QFETCH(QString, server);
    QFETCH(bool, copy);
    QString why;
    const std::unique_ptr<TestServer> target = server == "postgres"  ? startPostgres(why)
                                               : server == "mariadb" ? startMariaDb(why)
                                                                     : startSqlite(why);
    if (!target)
        skipOrFail(why);
    const TargetDialect& dialect = server == "postgres"  ? postgreSqlDialect()
                                   : server == "mariadb" ? mySqlDialect()
                                                         : sqliteDialect();
    const bool pg = server == "postgres";
    const bool my = server == "mariadb";
    // A MySQL script says its character set first, as the complete scripts do (dialect.scriptSetup).
    std::string script = my ? std::string(dialect.scriptSetup) + ";\n" : std::string();
    script += pg   ? "CREATE TABLE v (n integer, t text, b bytea, d double precision, r real, "
                     "c numeric(19,4), w timestamp(3));\n"
              : my ? "CREATE TABLE v (n INT, t LONGTEXT, b LONGBLOB, d DOUBLE, r FLOAT, c "
                     "DECIMAL(19,4), w DATETIME(3)) DEFAULT CHARSET=utf8mb4;\n"
                   : "CREATE TABLE v (n INTEGER, t TEXT, b BLOB, d DOUBLE, r REAL, c TEXT, w "
                     "TEXT);\n";
    const QList<Row> all = rows();
    if (copy)
        script += "COPY v FROM stdin;\n";
    for (int i = 0; i < all.size(); ++i) {
        const Row& r = all[i];
        const DataValue values[] = {
            {ValueKind::Integer, i, 0, {}},       text(r.text),
            {ValueKind::Bytes, 0, 0, r.bytes},    {ValueKind::Double, 0, r.real, {}},
            {ValueKind::Single, 0, r.single, {}}, {ValueKind::Currency, r.currency, 0, {}},
            {ValueKind::DateTime, 0, r.date, {}}};
        const ValueForm forms[] = {ValueForm::Integer,  ValueForm::Text,  ValueForm::Bytes,
                                   ValueForm::Float,    ValueForm::Float, ValueForm::Exact,
                                   ValueForm::Timestamp};
        script += copy ? "" : "INSERT INTO v VALUES (";
        for (int c = 0; c < 7; ++c) {
            if (c > 0)
                script += copy ? "\t" : ", ";
            const ValueProblem p = copy ? appendCopyField(script, forms[c], values[c])
                                        : appendSqlLiteral(script, dialect, forms[c], values[c]);
            // A negative zero keeps its sign only where the server keeps it; elsewhere the writer says so.
            const bool negativeZero =
                (c == 3 || c == 4) && values[c].real == 0 && std::signbit(values[c].real);
            QCOMPARE(int(p), int(negativeZero && !dialect.negativeZero ? ValueProblem::ZeroSignLost
                                                                       : ValueProblem::None));
        }
        script += copy ? "\n" : ");\n";
    }
    if (copy)
        script += "\\.\n";
    const LoadResult loaded = target->load(QByteArray::fromStdString(script));
    QVERIFY2(loaded.ok, qPrintable(loaded.error));

    const QString select =
        pg   ? "SELECT n, encode(convert_to(t, 'UTF8'), 'hex'), encode(b, 'hex'), d::text, r::text, c::text, "
               "w::text FROM v ORDER BY n"
        : my ? "SELECT n, hex(t), hex(b), d, CAST(r AS DOUBLE), c, w FROM v ORDER BY n"
             : "SELECT n, hex(t), hex(b), ieee754_mantissa(d) || 'p' || ieee754_exponent(d), "
               "ieee754_mantissa(r) || 'p' || ieee754_exponent(r), c, w FROM v ORDER BY n";
    const QList<QStringList> back = target->select(select);
    QCOMPARE(back.size(), all.size());
    for (int i = 0; i < all.size(); ++i) {
        const QStringList& got = back[i];
        const Row& r = all[i];
        const QString where = QStringLiteral("row %1: ").arg(i);
        QCOMPARE(got.size(), 7);
        QVERIFY2(got[1].toUpper() == hex(r.text), qPrintable(where + "text"));
        QVERIFY2(got[2].toUpper() == hex(r.bytes), qPrintable(where + "bytes " + got[2]));
        // The exact value, whatever digits the client prints; the sign of zero where the server keeps it.
        const double d = printedReal(got[3]);
        QVERIFY2(d == r.real && (!dialect.negativeZero || std::signbit(d) == std::signbit(r.real)),
                 qPrintable(where + "double " + got[3]));
        const float f = float(printedReal(got[4]));
        QVERIFY2(f == r.single && (!dialect.negativeZero || std::signbit(f) == std::signbit(r.single)),
                 qPrintable(where + "real " + got[4]));
        QCOMPARE(got[5], currency(r.currency));
        QString when = got[6];
        if (when.endsWith(".000"))
            when.chop(4);
        QCOMPARE(when, timestamp(r.date));
    }
}

QTEST_GUILESS_MAIN(TestRowLiterals)
#include "TestRowLiterals.moc"
