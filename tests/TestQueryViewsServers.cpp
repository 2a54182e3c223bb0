// The views of saved queries in the script with rows, loaded into real servers (PostgreSQL, MariaDB, SQLite,
// each started by this test): a database of known rows written by mkmdb, given queries through the reader,
// and for each case the rows its view returns, written out by hand.

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
std::optional<MdbValue> s(const char* v) {
    return MdbValue{std::string(v)};
}
std::optional<MdbValue> day(double v) {
    return MdbValue{v};
}

MdbSchema shop() {
    using T = MdbColumnType;
    const MdbIndex key{"PrimaryKey", {"ID"}, true, true, false, true, false, {}};
    MdbTable customers{"Customers",
                       false,
                       {col("ID", T::Long), col("FirstName", T::Text, 20), col("LastName", T::Text, 20),
                        col("City", T::Text, 20)},
                       {key},
                       false,
                       {{n(1), s("Ann"), s("Lee"), s("Boston")},
                        {n(2), s("Bob"), std::nullopt, s("Berlin")},
                        {n(3), std::nullopt, std::nullopt, std::nullopt},
                        {n(4), s("Cy"), s("Day"), s("Bonn")}},
                       {}};
    MdbTable orders{"Orders",
                    false,
                    {col("ID", T::Long), col("CustID", T::Long), col("Total", T::Currency),
                     col("Placed", T::DateTime), col("Shipped", T::YesNo), col("Qty", T::Integer)},
                    {key},
                    false,
                    {{n(1), n(1), MdbValue{MdbCurrency{1500000}}, day(45306.5), MdbValue{true}, n(2)},
                     {n(2), n(1), MdbValue{MdbCurrency{500000}}, day(45342), MdbValue{false}, n(1)},
                     {n(3), n(2), MdbValue{MdbCurrency{3000000}}, day(45356), MdbValue{true}, n(5)},
                     {n(4), n(4), MdbValue{MdbCurrency{755000}}, day(45291), MdbValue{false}, n(3)},
                     {n(5), n(2), MdbValue{MdbCurrency{200000}}, day(45322), MdbValue{true}, n(1)}},
                    {}};
    return MdbSchema{{customers, orders}, {}};
}

struct ViewCase {
    const char* name;
    const char* sql;
    QStringList columns; // read back from the view
    QStringList rows;    // "|" between values, "NULL" for NULL
    QueryKind kind = QueryKind::Select;
};

const QList<ViewCase>& cases() {
    static const QList<ViewCase> all{
        {"Big Orders",
         "SELECT Orders.ID, Customers.City\r\nFROM Orders INNER JOIN Customers ON Orders.CustID = "
         "Customers.ID\r\n"
         "WHERE Orders.Total>100;",
         {"ID", "City"},
         {"1|Boston", "3|Berlin"}},
        // Read by Big Order Cities, which comes first by name but must follow it.
        {"Big Order Cities", "SELECT DISTINCT City FROM [Big Orders];", {"City"}, {"Berlin", "Boston"}},
        {"Names",
         "SELECT ID, [FirstName] & \" \" & [LastName] AS FullName, [firstname] & [LASTNAME] AS Joined FROM "
         "Customers;",
         {"ID", "FullName", "Joined"},
         {"1|Ann Lee|AnnLee", "2|Bob |Bob", "3| |NULL", "4|Cy Day|CyDay"}},
        {"Sizes",
         "SELECT ID, IIf(Total >= 100, \"big\", \"small\") AS Size, IIf(Shipped, \"sent\", \"waiting\") AS "
         "State "
         "FROM Orders;",
         {"ID", "Size", "State"},
         {"1|big|sent", "2|small|waiting", "3|big|sent", "4|small|waiting", "5|small|sent"}},
        {"Places",
         "SELECT ID, Nz(City, \"?\") AS Place, Nz(LastName) AS Last, IsNull(FirstName) AS Unnamed FROM "
         "Customers;",
         {"ID", "Place", "Last"},
         {"1|Boston|Lee", "2|Berlin|", "3|?|", "4|Bonn|Day"}},
        {"Dates",
         "SELECT ID, Year(Placed) AS Y, Month(Placed) AS M, DateAdd(\"d\", 10, Placed) AS Later, "
         "DateDiff(\"m\", Placed, #3/1/2024#) AS Months, DatePart(\"q\", Placed) AS Q FROM Orders "
         "WHERE Placed >= #1/1/2024# AND Placed - 1 < #2024-03-04#;",
         {"ID", "Y", "M", "Later", "Months", "Q"},
         {"1|2024|1|2024-01-25 12:00:00|2|1", "2|2024|2|2024-03-01 00:00:00|1|1",
          "5|2024|1|2024-02-10 00:00:00|2|1"}},
        {"B Cities",
         "SELECT ID FROM Customers WHERE City LIKE \"b*n\" AND City NOT LIKE \"?onn\";",
         {"ID"},
         {"1", "2"}},
        {"In Boston",
         "SELECT ID FROM Customers WHERE City = \"BOSTON\" OR LastName <> \"lee\" OR City IN (\"berlin\");",
         {"ID"},
         {"1", "2", "4"}},
        {"Top Two", "SELECT TOP 2 ID, Qty FROM Orders ORDER BY Qty DESC, ID;", {"ID", "Qty"}, {"3|5", "4|3"}},
        {"Regulars",
         "SELECT CustID, Count(*) AS N, Sum(Qty) AS Q FROM Orders GROUP BY CustID HAVING Count(*) > 1;",
         {"CustID", "N", "Q"},
         {"1|2|3", "2|2|6"}},
        {"Cities",
         "SELECT City FROM Customers WHERE City IS NOT NULL\r\nUNION SELECT \"Boston\" FROM Orders;",
         {"City"},
         {"Berlin", "Bonn", "Boston"}},
        {"Singles",
         "SELECT CustID AS Who FROM Orders WHERE Qty = 1\r\nUNION ALL SELECT ID FROM Customers WHERE ID IN "
         "(1, 3);",
         {"Who"},
         {"1", "1", "2", "3"}},
        {"Above Average",
         "SELECT ID FROM Orders WHERE Total > (SELECT Avg(Total) FROM Orders);",
         {"ID"},
         {"1", "3"}},
        {"Largest Orders",
         "SELECT ID FROM Orders AS O WHERE Total = (SELECT Max(Total) FROM Orders WHERE CustID = O.CustID);",
         {"ID"},
         {"1", "3", "4"}},
        {"Doubled",
         "SELECT ID, Qty * 2 AS Twice, Twice + 1 AS More FROM Orders WHERE ID BETWEEN 2 AND 3;",
         {"ID", "Twice", "More"},
         {"2|2|3", "3|10|11"}},
        {"Before Alias",
         "SELECT ID, [Twice] + 1 AS More, Qty * 2 AS Twice FROM Orders WHERE ID <= 2;",
         {"ID", "More", "Twice"},
         {"1|5|4", "2|3|2"}},
        {"Two Digit Years",
         "SELECT ID FROM Orders WHERE Placed BETWEEN #12/1/23# AND #1/31/24# AND Placed > #12/31/99#;",
         {"ID"},
         {"1", "4", "5"}},
        {"Like Lists",
         "SELECT ID, IIf(City LIKE \"b[!E]*\", \"y\", \"n\") AS A, IIf((\"n\" & ID & \"%\") LIKE "
         "\"N[3-3]%\", \"y\", \"n\") AS B, IIf((\"x\" & (ID * 4)) LIKE \"X#\", \"y\", \"n\") AS C, IIf(ID * "
         "4 LIKE "
         "\"1#\", \"y\", \"n\") AS D FROM Customers;",
         {"ID", "A", "B", "C", "D"},
         {"1|y|n|y|n", "2|n|n|y|n", "3|n|y|n|y", "4|y|n|n|y"}},
        {"Text Order",
         "SELECT ID FROM Customers WHERE City BETWEEN \"BE\" AND \"bor\" OR LastName > \"LA\" AND LastName < "
         "\"lf\";",
         {"ID"},
         {"1", "2", "4"}},
        {"Yes No Numbers",
         "SELECT ID FROM Orders WHERE Shipped < Qty - 2 AND Shipped <> 1;",
         {"ID"},
         {"1", "3", "4"}},
        {"Cities With Orders",
         "SELECT DISTINCTROW Customers.City FROM Customers INNER JOIN Orders ON Customers.ID = Orders.CustID "
         "WHERE Orders.Qty < 3;",
         {"City"},
         {"Berlin", "Boston"}},
        {"Top Ties", "SELECT TOP 1 ID, Qty FROM Orders ORDER BY Qty;", {"ID", "Qty"}, {"2|1", "5|1"}},
        {"Top In",
         "SELECT ID FROM Customers WHERE ID IN (SELECT TOP 1 CustID FROM Orders ORDER BY Qty);",
         {"ID"},
         {"1", "2"}},
        {"Top Half", "SELECT TOP 50 PERCENT ID FROM Orders ORDER BY Qty DESC;", {"ID"}, {"1", "3", "4"}},
        // A Double, as SQLite rounds no Currency value (it computes them as doubles).
        {"Whole Division",
         "SELECT ID, (Total * 1.0) \\ 40 AS D, (Total * 1.0) Mod 40 AS M, -7 Mod 2 AS N FROM Orders WHERE ID "
         "IN "
         "(1, 4);",
         {"ID", "D", "M", "N"},
         {"1|3|30|-1", "4|1|36|-1"}},
        {"Lookups",
         "SELECT ID, DLookup(\"City\", \"Customers\", \"ID = 2\") AS C, DCount(\"*\", \"Orders\", "
         "\"Shipped\") AS N, DSum(\"Qty\", \"Orders\", \"CustID = 1\") AS Q FROM Customers WHERE ID = 1;",
         {"ID", "C", "N", "Q"},
         {"1|Berlin|3|3"}},
        // Fixed headings: one column each, a heading no row has included, in the order given.
        {"Qty By State",
         "TRANSFORM Sum(Orders.Qty) AS SumOfQty\r\nSELECT Customers.City\r\n"
         "FROM Orders INNER JOIN Customers ON Orders.CustID = Customers.ID\r\nGROUP BY Customers.City\r\n"
         "PIVOT IIf(Orders.Shipped, \"sent\", \"waiting\") In (\"sent\",\"waiting\",\"lost\");",
         {"City", "sent", "waiting", "lost"},
         {"Berlin|6|NULL|NULL", "Bonn|NULL|3|NULL", "Boston|2|1|NULL"},
         QueryKind::CrossTab},
        // Headings read from the rows, Null among them ("<>"): a Count is empty where no row has the
        // heading, and 0 where its rows have no value to count.
        {"Orders By City",
         "TRANSFORM Count(Orders.ID) AS N\r\nSELECT Customers.ID\r\nFROM Customers LEFT JOIN Orders ON "
         "Customers.ID = Orders.CustID\r\nGROUP BY Customers.ID\r\nPIVOT Customers.City;",
         {"ID", "<>", "Berlin", "Bonn", "Boston"},
         {"1|NULL|NULL|NULL|2", "2|NULL|2|NULL|NULL", "3|0|NULL|NULL|NULL", "4|NULL|NULL|1|NULL"},
         QueryKind::CrossTab},
        // The months of a date column read, as numbers in their order.
        {"Qty By Month",
         "TRANSFORM Sum(Qty) AS S\r\nSELECT CustID\r\nFROM Orders\r\nGROUP BY CustID\r\nPIVOT Month(Placed);",
         {"CustID", "1", "2", "3", "12"},
         {"1|2|1|NULL|NULL", "2|1|NULL|5|NULL", "4|NULL|NULL|NULL|3"},
         QueryKind::CrossTab},
        // A pivot on the side of an outer join that may find no row is Null there: a "<>" column, though the
        // table holds no Null.
        {"Customers By Qty",
         "TRANSFORM Count(*) AS N\r\nSELECT Customers.ID\r\n"
         "FROM Customers LEFT JOIN Orders ON Customers.ID = Orders.CustID\r\n"
         "GROUP BY Customers.ID\r\nPIVOT Orders.Qty;",
         {"ID", "<>", "1", "2", "3", "5"},
         {"1|NULL|1|1|NULL|NULL", "2|NULL|1|NULL|NULL|1", "3|1|NULL|NULL|NULL|NULL",
          "4|NULL|NULL|NULL|1|NULL"},
         QueryKind::CrossTab},
        // Headings read through a query that selects the table's column under a name of its own: every value
        // the table holds is a column, Null too, whether or not the query's rows have it.
        {"Order Towns",
         "SELECT Orders.Qty, Customers.City AS Town, Orders.CustID\r\nFROM Orders INNER JOIN Customers ON "
         "Orders.CustID = Customers.ID;",
         {"Qty", "Town", "CustID"},
         {"2|Boston|1", "1|Boston|1", "5|Berlin|2", "3|Bonn|4", "1|Berlin|2"}},
        {"Qty By Town",
         "TRANSFORM Sum(Qty) AS S\r\nSELECT CustID\r\nFROM [Order Towns]\r\nGROUP BY CustID\r\nPIVOT Town;",
         {"CustID", "<>", "Berlin", "Bonn", "Boston"},
         {"1|NULL|NULL|NULL|3", "2|NULL|6|NULL|NULL", "4|NULL|NULL|3|NULL"},
         QueryKind::CrossTab},
    };
    return all;
}

// A parameter or action query made a routine, called with sample arguments, and the rows then read.
struct RoutineCase {
    const char* name;
    QueryKind kind;
    const char* sql;
    const char* arguments; // as the call writes them
    const char* check;     // the rows to read afterwards; nullptr: those the call returns
    QStringList rows;
};

// Run in this order, each over what the ones before left.
const QList<RoutineCase>& routineCases() {
    static const QList<RoutineCase> all{
        {"Orders Since",
         QueryKind::Select,
         "PARAMETERS [From] DateTime, Least Long;\r\nSELECT ID, Qty FROM Orders WHERE Placed >= [From] AND "
         "Qty >= Least ORDER BY ID;",
         "'2024-01-01', 2",
         nullptr,
         {"1|2", "3|5"}},
        {"Orders Of",
         QueryKind::Select,
         "SELECT ID FROM Orders WHERE CustID = [Forms]![Customers]![ID];",
         "2",
         nullptr,
         {"3", "5"}},
        {"Customers In",
         QueryKind::Select,
         "SELECT ID FROM Customers WHERE City = [Which city?];",
         "'berlin'",
         nullptr,
         {"2"}},
        {"Ship To",
         QueryKind::Update,
         "UPDATE Orders SET Shipped = True, Qty = Qty + 1\r\nWHERE CustID = [Who];",
         "4",
         "SELECT ID, Qty FROM Orders WHERE Shipped",
         {"1|2", "3|5", "4|4", "5|1"}},
        {"Empty Boston",
         QueryKind::Update,
         "UPDATE Orders INNER JOIN Customers ON Orders.CustID = Customers.ID SET Orders.Qty = 0\r\n"
         "WHERE Customers.City = [Town];",
         "'Boston'",
         "SELECT ID FROM Orders WHERE Qty = 0",
         {"1", "2"}},
        {"Drop Small",
         QueryKind::Delete,
         "DELETE Orders.*\r\nFROM Orders\r\nWHERE Total < [Below];",
         "60",
         "SELECT ID FROM Orders",
         {"1", "3", "4"}},
        {"Add Customer",
         QueryKind::Append,
         "INSERT INTO Customers (ID, City)\r\nVALUES (9, [Town]);",
         "'Paris'",
         "SELECT ID FROM Customers WHERE City = 'Paris'",
         {"9"}},
        {"Add Buyers",
         QueryKind::Append,
         "INSERT INTO Customers ( ID, LastName )\r\nSELECT Orders.ID + 100 AS Expr1, \"order\" AS Expr2\r\n"
         "FROM Orders\r\nWHERE Orders.Qty > 4;",
         "",
         "SELECT ID FROM Customers WHERE LastName = 'order'",
         {"103"}},
        {"Make Towns",
         QueryKind::MakeTable,
         "SELECT DISTINCT Customers.City INTO Towns\r\nFROM Customers\r\nWHERE Customers.City Is Not Null;",
         "",
         "SELECT City FROM Towns",
         {"Berlin", "Bonn", "Boston", "Paris"}},
    };
    return all;
}

} // namespace

class TestQueryViewsServers : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void viewsReturnTheirRows_data();
    void viewsReturnTheirRows();
    void routinesRun_data();
    void routinesRun();

private:
    std::unique_ptr<TestServer> servers_[3];
    QString why_[3];
    QTemporaryDir dir_;
    QString path_;
};

void TestQueryViewsServers::initTestCase() {
    const char* names[] = {"postgres", "mariadb", "sqlite"};
    for (int i = 0; i < 3; ++i)
        servers_[i] = startServer(names[i], why_[i]);
    path_ = dir_.filePath("shop.mdb");
    std::string error;
    QVERIFY2(writeMdb(shop(), path_.toStdString(), &error), error.c_str());
}

void TestQueryViewsServers::viewsReturnTheirRows_data() {
    QTest::addColumn<int>("server");
    QTest::newRow("postgres") << 0;
    QTest::newRow("mariadb") << 1;
    QTest::newRow("sqlite") << 2;
}

void TestQueryViewsServers::viewsReturnTheirRows() {
    QFETCH(int, server);
    TestServer* target = servers_[server].get();
    if (!target)
        skipOrFail(why_[server]);
    const TargetDialect& d = server == 0   ? postgreSqlDialect()
                             : server == 1 ? mySqlDialect()
                                           : sqliteDialect();
    SavedQueries queries;
    for (const ViewCase& c : cases())
        queries << SavedQuery{c.name, c.kind, c.sql, false};
    queries << SavedQuery{"Since", QueryKind::Select, "PARAMETERS [From] DateTime;\r\nSELECT * FROM Orders;",
                          false};
    queries << SavedQuery{"By Month", QueryKind::CrossTab,
                          "TRANSFORM Sum(Qty) AS S\r\nSELECT CustID\r\nFROM Orders\r\nGROUP BY CustID\r\n"
                          "PIVOT Format(Placed, \"mmm\");",
                          false}
            << SavedQuery{"First Qty", QueryKind::CrossTab,
                          "TRANSFORM First(Qty) AS F\r\nSELECT CustID\r\nFROM Orders\r\nGROUP BY CustID\r\n"
                          "PIVOT Shipped In (0, -1);",
                          false};
    std::sort(queries.begin(), queries.end(),
              [](const SavedQuery& a, const SavedQuery& b) { return a.name < b.name; });
    const std::optional<std::string> made = scriptWithQueries(d, path_, queries);
    QVERIFY(made);
    const std::string& script = *made;
    const QString text = QString::fromStdString(script);
    if (server == 2)
        QVERIFY2(text.contains("-- Query Since is not a view here: parameter query"),
                 qPrintable(text.right(3000)));
    QVERIFY2(text.contains("-- Query By Month is not a view here: a crosstab without fixed column headings "
                           "whose pivot is neither a column of a table nor its Year or Month\r\n"),
             qPrintable(text.right(3000)));
    QVERIFY2(text.contains("-- Query First Qty is not a view here: a crosstab of the aggregate First, which "
                           "servers do not have\r\n"),
             qPrintable(text.right(3000)));
    QVERIFY2(
        text.contains("-- Query Orders By City is a crosstab: its columns after the row headings are the "
                      "values of Customers.City in the file when this script was written\r\nCREATE VIEW "),
        qPrintable(text.right(3000)));
    // A crosstab's headings come after its row headings in Access's order: as given, or Null first, then
    // texts and numbers ascending.
    for (const ViewCase& c : cases()) {
        if (c.kind != QueryKind::CrossTab)
            continue;
        qsizetype at = text.indexOf("CREATE VIEW " + quoteName(d, c.name));
        const qsizetype end = text.indexOf(";\r\n", at);
        for (const QString& column : c.columns) {
            const qsizetype next = text.indexOf(quoteName(d, column), at + 1);
            QVERIFY2(next > at && next < end, qPrintable(c.name + (": " + column)));
            at = next;
        }
    }
    QVERIFY(text.indexOf("CREATE VIEW " + quoteName(d, "Big Orders")) <
            text.indexOf("CREATE VIEW " + quoteName(d, "Big Order Cities")));
    const LoadResult loaded = target->load(QByteArray::fromStdString(script));
    QVERIFY2(loaded.ok, qPrintable(loaded.error.left(2000) + "\n" + text.right(4000)));

    // The same check of every view made as the script with rows of every database gets.
    static const QRegularExpression view(QStringLiteral("^CREATE VIEW (.+) AS\r$"),
                                         QRegularExpression::MultilineOption);
    int views = 0;
    for (auto m = view.globalMatch(text); m.hasNext(); ++views) {
        const QString name = m.next().captured(1);
        const LoadResult selected = target->execute("SELECT COUNT(*) FROM " + name);
        QVERIFY2(selected.ok, qPrintable(name + ": " + selected.error.left(2000)));
    }
    static const QRegularExpression notView(QStringLiteral("^-- Query .* is not a view here: .*$"),
                                            QRegularExpression::MultilineOption);
    QStringList notViews;
    for (auto m = notView.globalMatch(text); m.hasNext();)
        notViews << m.next().captured(0);
    QVERIFY2(views == int(cases().size()), qPrintable(notViews.join("\n")));

    const QString castTo = server == 0 ? "TEXT" : server == 1 ? "CHAR" : "TEXT";
    for (const ViewCase& c : cases()) {
        QStringList selects;
        for (const QString& column : c.columns)
            selects << QStringLiteral("CASE WHEN %1 IS NULL THEN 'NULL' ELSE CAST(%1 AS %2) END")
                           .arg(quoteName(d, column), castTo);
        QStringList got;
        for (const QStringList& row :
             target->select("SELECT " + selects.join(", ") + " FROM " + quoteName(d, c.name)))
            got << row.join("|").replace(".000", ""); // MariaDB's DATETIME(3)
        got.sort();
        QStringList want = c.rows;
        want.sort();
        QVERIFY2(got == want,
                 qPrintable(QString(c.name) + ": " + got.join(", ") + "\n  != " + want.join(", ")));
    }
}

void TestQueryViewsServers::routinesRun_data() {
    QTest::addColumn<int>("server");
    QTest::newRow("postgres") << 0;
    QTest::newRow("mariadb") << 1;
}

void TestQueryViewsServers::routinesRun() {
    QFETCH(int, server);
    TestServer* target = servers_[server].get();
    if (!target)
        skipOrFail(why_[server]);
    const TargetDialect& d = server == 0 ? postgreSqlDialect() : mySqlDialect();
    SavedQueries queries;
    for (const RoutineCase& c : routineCases())
        queries << SavedQuery{c.name, c.kind, c.sql, false};
    const std::optional<std::string> made = scriptWithQueries(d, path_, queries);
    QVERIFY(made);
    const std::string& script = *made;
    const QString text = QString::fromStdString(script);
    QVERIFY2(text.contains(server == 0
                               ? "-- Saved queries: 0 views, 3 functions, 6 procedures, 0 queries left"
                               : "-- Saved queries: 0 views, 0 functions, 9 procedures, 0 queries left"),
             qPrintable(text.right(5000)));
    const LoadResult loaded = target->load(QByteArray::fromStdString(script));
    QVERIFY2(loaded.ok, qPrintable(loaded.error.left(2000) + "\n" + text.right(5000)));

    for (const RoutineCase& c : routineCases()) {
        const QString call = QStringLiteral("%1(%2)").arg(quoteName(d, c.name), c.arguments);
        QList<QStringList> rows;
        if (!c.check) {
            rows = target->select(server == 0 ? "SELECT * FROM " + call : "CALL " + call);
        } else {
            const LoadResult called = target->execute("CALL " + call);
            QVERIFY2(called.ok, qPrintable(QString(c.name) + ": " + called.error.left(2000)));
            QString check = c.check;
            if (server == 0) // the script keeps the names' case
                check.replace(
                    QRegularExpression("\\b(ID|Qty|City|Orders|Customers|Towns|Shipped|LastName)\\b"),
                    "\"\\1\"");
            rows = target->select(check);
        }
        QStringList got;
        for (const QStringList& row : rows)
            got << row.join("|");
        got.sort();
        QVERIFY2(got == c.rows,
                 qPrintable(QString(c.name) + ": " + got.join(", ") + "\n  != " + c.rows.join(", ")));
    }
}

QTEST_GUILESS_MAIN(TestQueryViewsServers)
#include "TestQueryViewsServers.moc"
