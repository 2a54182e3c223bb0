// Access SQL read into its tree and written for each server against a hand-built schema: a table of cases,
// each with the SQL every server's view gets or the reason it stays a comment; and the views section of a
// script as a whole: dependency order, names that never take a table's or index's, comments.

#include "AccessSqlParser.h"
#include "CompleteScript.h"
#include "CompleteScriptSamples.h"
#include "QueryTranslation.h"
#include "QueryViews.h"

#include <QtTest>

using namespace samples;

namespace {

DatabaseSchema schema() {
    DatabaseSchema s;
    ColumnDefinition id = column("ID", JetType::Long, 4);
    id.autoNumber = true;
    s.tables << table("Customers",
                      {id, column("First Name", JetType::Text, 50), column("Last Name", JetType::Text, 50),
                       column("City", JetType::Text, 30), column("Born", JetType::DateTime, 8)},
                      {index("PrimaryKey", {{"ID"}}, true)});
    s.tables << table("Orders",
                      {column("ID", JetType::Long, 4), column("CustID", JetType::Long, 4),
                       column("Total", JetType::Currency, 8), column("Placed", JetType::DateTime, 8),
                       column("Shipped", JetType::Boolean, 1), column("Qty", JetType::Integer, 2),
                       column("Weight", JetType::Double, 8)},
                      {index("PrimaryKey", {{"ID"}}, true), index("CustID", {{"CustID"}})});
    return s;
}

const TargetDialect& dialectNamed(const QString& name) {
    return name == "pg"     ? postgreSqlDialect()
           : name == "my"   ? mySqlDialect()
           : name == "lite" ? sqliteDialect()
                            : sqlServerDialect();
}

// The view's SELECT on one line, or "-- " and the reason it is not a view.
QString translated(const QString& sql, const TargetDialect& d) {
    const auto parsed = parseAccessSql(sql);
    if (const auto* failure = std::get_if<ParseFailure>(&parsed))
        return "-- " + failure->reason;
    const ConversionOptions options;
    const CompleteScript script(d, schema(), options);
    QuerySchema known;
    known.plan = &script.plan();
    known.queryNames << "Other Query";
    const auto result = translateQuery(std::get<AccessQuery>(parsed), d, known);
    if (const auto* no = std::get_if<NotTranslated>(&result))
        return "-- " + no->reason;
    return QString(std::get<TranslatedQuery>(result).select).replace("\r\n", " ");
}

} // namespace

class TestQueryTranslation : public QObject {
    Q_OBJECT
private slots:
    void translation_data();
    void translation();
    void viewsInDependencyOrder();
    void helpersOnceBeforeTheViews();
};

void TestQueryTranslation::translation_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("access");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* name, const char* target, const char* access, const char* expected) {
        QTest::newRow(name) << QString(target) << QString(access) << QString(expected);
    };
    row("brackets", "pg",
        "SELECT [Orders].[ID], [First Name] & \" \" & [Last Name] AS FullName FROM Orders INNER JOIN "
        "Customers ON Orders.CustID = Customers.ID WHERE Orders.Total>100;",
        "SELECT \"Orders\".\"ID\", (COALESCE(\"Customers\".\"First Name\", '') || ' ') || "
        "COALESCE(\"Customers\".\"Last Name\", '') AS \"FullName\" FROM \"Orders\" INNER JOIN \"Customers\" "
        "ON \"Orders\".\"CustID\" = \"Customers\".\"ID\" WHERE \"Orders\".\"Total\" > 100");
    row("case of names", "lite", "select orders.id, TOTAL from ORDERS;",
        "SELECT \"ID\", \"Total\" FROM \"Orders\"");
    row("table star", "my",
        "SELECT Customers.*, Orders.Total FROM Customers LEFT JOIN Orders ON Customers.ID = Orders.CustID;",
        "SELECT `Customers`.`ID`, `Customers`.`First Name`, `Customers`.`Last Name`, `Customers`.`City`, "
        "`Customers`.`Born`, `Orders`.`Total` FROM `Customers` LEFT JOIN `Orders` ON `Customers`.`ID` = "
        "`Orders`.`CustID`");
    row("star over a join", "pg",
        "SELECT * FROM Orders INNER JOIN Customers ON Orders.CustID = Customers.ID;",
        "SELECT \"Orders\".\"ID\" AS \"Orders.ID\", \"Orders\".\"CustID\", \"Orders\".\"Total\", "
        "\"Orders\".\"Placed\", \"Orders\".\"Shipped\", \"Orders\".\"Qty\", \"Orders\".\"Weight\", "
        "\"Customers\".\"ID\", \"Customers\".\"First Name\", \"Customers\".\"Last Name\", "
        "\"Customers\".\"City\", \"Customers\".\"Born\" FROM \"Orders\" INNER JOIN \"Customers\" ON "
        "\"Orders\".\"CustID\" = \"Customers\".\"ID\"");
    row("nested joins", "ms",
        "SELECT O.ID FROM (Orders AS O INNER JOIN Customers AS C ON O.CustID = C.ID) LEFT JOIN Orders AS P "
        "ON P.CustID = C.ID;",
        "SELECT [O].[ID] FROM ([Orders] AS [O] INNER JOIN [Customers] AS [C] ON [O].[CustID] = [C].[ID]) "
        "LEFT JOIN [Orders] AS [P] ON [P].[CustID] = [C].[ID]");
    row("distinctrow one table", "pg", "SELECT DISTINCTROW City FROM Customers;",
        "SELECT \"City\" FROM \"Customers\"");
    row("distinctrow keyed", "pg",
        "SELECT DISTINCTROW Customers.ID, Customers.City FROM Customers INNER JOIN Orders ON Customers.ID = "
        "Orders.CustID;",
        "SELECT DISTINCT \"Customers\".\"ID\", \"Customers\".\"City\" FROM \"Customers\" INNER JOIN "
        "\"Orders\" ON \"Customers\".\"ID\" = \"Orders\".\"CustID\"");
    row("distinctrow unkeyed", "pg",
        "SELECT DISTINCTROW Customers.City FROM Customers INNER JOIN Orders ON Customers.ID = Orders.CustID "
        "ORDER BY [Last Name] DESC;",
        "SELECT \"City\" FROM (SELECT DISTINCT \"Customers\".\"City\", \"Customers\".\"ID\" AS "
        "\"veltrane_key1\", "
        "\"Customers\".\"Last Name\" AS \"veltrane_order1\" FROM \"Customers\" INNER JOIN \"Orders\" ON "
        "\"Customers\".\"ID\" = \"Orders\".\"CustID\") AS \"veltrane_rows\" ORDER BY \"veltrane_order1\" "
        "DESC");
    row("distinctrow ordered by another table", "pg",
        "SELECT DISTINCTROW Customers.City FROM Customers INNER JOIN Orders ON Customers.ID = Orders.CustID "
        "ORDER BY Qty;",
        "-- DISTINCTROW over a join, ordered by a table it does not select from");
    row("top pg", "pg", "SELECT TOP 3 ID, Total FROM Orders ORDER BY Total DESC;",
        "SELECT \"ID\", \"Total\" FROM \"Orders\" ORDER BY \"Total\" DESC FETCH FIRST 3 ROWS WITH TIES");
    row("top ms", "ms", "SELECT TOP 3 ID, Total FROM Orders ORDER BY Total DESC;",
        "SELECT TOP 3 WITH TIES [ID], [Total] FROM [Orders] ORDER BY [Total] DESC");
    row("top my ties", "my", "SELECT TOP 3 ID, Total FROM Orders ORDER BY Total DESC;",
        "SELECT `ID`, `Total` FROM (SELECT `ID`, `Total`, RANK() OVER (ORDER BY `Total` DESC) AS "
        "`veltrane_rank` FROM `Orders`) AS `veltrane_top` WHERE `veltrane_rank` <= 3 ORDER BY "
        "`veltrane_rank`");
    row("top distinct ties", "lite", "SELECT DISTINCT TOP 3 Total FROM Orders ORDER BY Total DESC;",
        "-- TOP 3 of DISTINCT rows");
    row("top my key", "my", "SELECT TOP 3 ID, Total FROM Orders ORDER BY Total DESC, ID;",
        "SELECT `ID`, `Total` FROM `Orders` ORDER BY `Total` DESC, `ID` LIMIT 3");
    row("top in a subquery of in my", "my",
        "SELECT ID FROM Customers WHERE ID IN (SELECT TOP 2 CustID FROM Orders);",
        "SELECT `ID` FROM `Customers` WHERE `ID` IN (SELECT `CustID` FROM (SELECT `CustID`, ROW_NUMBER() "
        "OVER () AS "
        "`veltrane_rank` FROM `Orders`) AS `veltrane_top` WHERE `veltrane_rank` <= 2 ORDER BY "
        "`veltrane_rank`)");
    row("top lite unordered", "lite", "SELECT TOP 2 ID FROM Orders;",
        "SELECT \"ID\" FROM \"Orders\" LIMIT 2");
    row("top percent", "pg", "SELECT TOP 10 PERCENT ID FROM Orders ORDER BY Qty;",
        "SELECT \"ID\" FROM (SELECT \"ID\", RANK() OVER (ORDER BY \"Qty\") AS \"veltrane_rank\", COUNT(*) "
        "OVER () AS \"veltrane_rows\" FROM \"Orders\") AS \"veltrane_top\" WHERE (\"veltrane_rank\" - 1) * "
        "100 < "
        "10 * \"veltrane_rows\" ORDER BY \"veltrane_rank\"");
    row("top percent unordered", "lite", "SELECT TOP 5 PERCENT ID FROM Orders;",
        "SELECT \"ID\" FROM (SELECT \"ID\", ROW_NUMBER() OVER () AS \"veltrane_rank\", COUNT(*) OVER () AS "
        "\"veltrane_rows\" FROM \"Orders\") AS \"veltrane_top\" WHERE (\"veltrane_rank\" - 1) * 100 < 5 * "
        "\"veltrane_rows\" ORDER BY \"veltrane_rank\"");
    row("booleans", "my", "SELECT ID FROM Orders WHERE Shipped = True OR Shipped = No;",
        "SELECT `ID` FROM `Orders` WHERE (`Shipped` = TRUE) OR (`Shipped` = FALSE)");
    row("yes no as numbers", "pg", "SELECT ID FROM Orders WHERE Shipped = -1 OR 0 = Shipped;",
        "SELECT \"ID\" FROM \"Orders\" WHERE (\"Shipped\" = true) OR (false = \"Shipped\")");
    row("yes no and another number", "pg", "SELECT ID FROM Orders WHERE Shipped = 1 OR Qty > Shipped;",
        "SELECT \"ID\" FROM \"Orders\" WHERE ((CASE WHEN \"Shipped\" THEN -1 WHEN NOT \"Shipped\" THEN 0 "
        "END) = 1) "
        "OR (\"Qty\" > (CASE WHEN \"Shipped\" THEN -1 WHEN NOT \"Shipped\" THEN 0 END))");
    row("text and number", "my", "SELECT ID FROM Customers WHERE City = 5;",
        "-- compares values of two types");
    row("text in numbers", "lite", "SELECT ID FROM Orders WHERE Qty IN (1, \"2\");",
        "-- compares values of two types");
    row("boolean column as condition ms", "ms", "SELECT ID FROM Orders WHERE Shipped AND NOT Shipped;",
        "SELECT [ID] FROM [Orders] WHERE ([Shipped] <> 0) AND (NOT ([Shipped] <> 0))");
    row("concat with null", "lite", "SELECT [First Name] & [Last Name] AS Both FROM Customers;",
        "SELECT CASE WHEN \"First Name\" IS NULL AND \"Last Name\" IS NULL THEN NULL ELSE COALESCE(\"First "
        "Name\", '') || COALESCE(\"Last Name\", '') END AS \"Both\" FROM \"Customers\"");
    row("concat with number", "pg", "SELECT \"No. \" & ID AS Label FROM Orders;",
        "SELECT 'No. ' || CAST(\"ID\" AS TEXT) AS \"Label\" FROM \"Orders\"");
    row("concat ms", "ms", "SELECT City & \", \" & [Last Name] AS Place FROM Customers;",
        "SELECT (COALESCE([City], N'') + N', ') + COALESCE([Last Name], N'') AS [Place] FROM [Customers]");
    row("plus of texts", "my", "SELECT City + \"!\" AS Loud, +City + Null AS Gone FROM Customers;",
        "SELECT CONCAT(`City`, '!') AS `Loud`, CONCAT(`City`, NULL) AS `Gone` FROM `Customers`");
    row("date literal pg", "pg",
        "SELECT ID FROM Orders WHERE Placed >= #1/15/2024# AND Placed < #2024-02-01 10:30:00#;",
        "SELECT \"ID\" FROM \"Orders\" WHERE (\"Placed\" >= TIMESTAMP '2024-01-15 00:00:00') AND (\"Placed\" "
        "< TIMESTAMP '2024-02-01 10:30:00')");
    row("date literal lite", "lite",
        "SELECT ID FROM Orders WHERE Placed BETWEEN #1/15/2024# AND #12/31/2024 11:59:59 PM#;",
        "SELECT \"ID\" FROM \"Orders\" WHERE \"Placed\" BETWEEN '2024-01-15 00:00:00' AND '2024-12-31 "
        "23:59:59'");
    row("two-digit years", "pg", "SELECT ID FROM Orders WHERE Placed BETWEEN #1/1/95# AND #12/31/29#;",
        "SELECT \"ID\" FROM \"Orders\" WHERE \"Placed\" BETWEEN TIMESTAMP '1995-01-01 00:00:00' AND "
        "TIMESTAMP "
        "'2029-12-31 00:00:00'");
    row("date literal ms", "ms", "SELECT ID FROM Orders WHERE Placed > #3/1/2024#;",
        "SELECT [ID] FROM [Orders] WHERE [Placed] > CAST('2024-03-01T00:00:00' AS DATETIME2)");
    row("strings", "ms", "SELECT 'it''s' AS A, \"say \"\"hi\"\"\" AS B FROM Orders;",
        "SELECT N'it''s' AS [A], N'say \"hi\"' AS [B] FROM [Orders]");
    row("text equality pg", "pg", "SELECT ID FROM Customers WHERE City = \"Boston\" AND [Last Name] <> City;",
        "SELECT \"ID\" FROM \"Customers\" WHERE (LOWER(\"City\") = LOWER('Boston')) AND (LOWER(\"Last "
        "Name\") <> LOWER(\"City\"))");
    row("text equality lite", "lite", "SELECT ID FROM Customers WHERE City = \"Boston\";",
        "SELECT \"ID\" FROM \"Customers\" WHERE \"City\" = 'Boston' COLLATE NOCASE");
    row("text order pg", "pg",
        "SELECT ID FROM Customers WHERE City < \"b\" OR City BETWEEN \"a\" AND [Last Name];",
        "SELECT \"ID\" FROM \"Customers\" WHERE (LOWER(\"City\") < LOWER('b')) OR (LOWER(\"City\") BETWEEN "
        "LOWER('a') AND LOWER(\"Last Name\"))");
    row("text order lite", "lite",
        "SELECT ID FROM Customers WHERE City >= \"b\" AND City NOT BETWEEN \"a\" AND \"c\";",
        "SELECT \"ID\" FROM \"Customers\" WHERE (\"City\" >= 'b' COLLATE NOCASE) AND (\"City\" COLLATE "
        "NOCASE "
        "NOT BETWEEN 'a' AND 'c')");
    row("text equality my", "my", "SELECT ID FROM Customers WHERE City = \"Boston\";",
        "SELECT `ID` FROM `Customers` WHERE `City` = 'Boston'");
    row("text in pg", "pg", "SELECT ID FROM Customers WHERE City IN (\"Bonn\", \"Berlin\");",
        "SELECT \"ID\" FROM \"Customers\" WHERE LOWER(\"City\") IN (LOWER('Bonn'), LOWER('Berlin'))");
    row("text in lite", "lite", "SELECT ID FROM Customers WHERE City NOT IN (\"Bonn\", \"Berlin\");",
        "SELECT \"ID\" FROM \"Customers\" WHERE \"City\" COLLATE NOCASE NOT IN ('Bonn', 'Berlin')");
    row("like wildcards pg", "pg", "SELECT ID FROM Customers WHERE City LIKE \"B*n?\";",
        "SELECT \"ID\" FROM \"Customers\" WHERE \"City\" ILIKE 'B%n_'");
    row("like wildcards my", "my", "SELECT ID FROM Customers WHERE [Last Name] NOT LIKE \"*[*]*\";",
        "SELECT `ID` FROM `Customers` WHERE NOT (`Last Name` LIKE '%*%')");
    row("like digit lite", "lite", "SELECT ID FROM Customers WHERE City LIKE \"#*\";",
        "SELECT \"ID\" FROM \"Customers\" WHERE lower(\"City\") GLOB '[0-9]*'");
    row("like lists pg", "pg", "SELECT ID FROM Customers WHERE City LIKE \"[a-c]*[!x-z].%\";",
        "SELECT \"ID\" FROM \"Customers\" WHERE \"City\" ~* '^[a-c].*[^x-z]\\.%$'");
    row("like lists my", "my", "SELECT ID FROM Customers WHERE City LIKE \"B#_?\";",
        "SELECT `ID` FROM `Customers` WHERE `City` REGEXP '(?is)^B[0-9]_.\\\\z'");
    row("like lists lite", "lite", "SELECT ID FROM Customers WHERE City LIKE \"[A-C]?[!^-]*\";",
        "SELECT \"ID\" FROM \"Customers\" WHERE lower(\"City\") GLOB '[a-c]?[^^-]*'");
    row("like lists ms", "ms", "SELECT ID FROM Customers WHERE City LIKE \"[!0-9]*%\";",
        "SELECT [ID] FROM [Customers] WHERE [City] LIKE N'[^0-9]%[%]'");
    row("like of a whole number", "pg", "SELECT ID FROM Orders WHERE Qty LIKE \"1#\";",
        "SELECT \"ID\" FROM \"Orders\" WHERE CAST(\"Qty\" AS TEXT) ~* '^1[0-9]$'");
    row("like percent", "lite", "SELECT ID FROM Customers WHERE City LIKE \"%s\";",
        "SELECT \"ID\" FROM \"Customers\" WHERE lower(\"City\") GLOB '%s'");
    row("like unclosed", "pg", "SELECT ID FROM Customers WHERE City LIKE \"[a-c\";",
        "-- the LIKE pattern \"[a-c\"");
    row("iif", "pg", "SELECT IIf(Total > 100, \"big\", \"small\") AS Size FROM Orders;",
        "SELECT CASE WHEN \"Total\" > 100 THEN 'big' ELSE 'small' END AS \"Size\" FROM \"Orders\"");
    row("iif ms boolean", "ms", "SELECT IIf(Shipped, 1, 0) AS S FROM Orders;",
        "SELECT CASE WHEN [Shipped] <> 0 THEN 1 ELSE 0 END AS [S] FROM [Orders]");
    row("nz", "my", "SELECT Nz(Total, 0) AS T, Nz(City) AS C FROM Orders, Customers;",
        "SELECT COALESCE(`Orders`.`Total`, 0) AS `T`, COALESCE(`Customers`.`City`, '') AS `C` FROM `Orders`, "
        "`Customers`");
    row("isnull", "lite", "SELECT ID FROM Customers WHERE IsNull(City) OR City IS NOT NULL;",
        "SELECT \"ID\" FROM \"Customers\" WHERE (\"City\" IS NULL) OR (\"City\" IS NOT NULL)");
    row("texts pg", "pg",
        "SELECT Len(City), Left(City, 2), Right(City, 3), Mid(City, 2, 3), Mid(City, 2), Trim(City), "
        "UCase(City), LCase(City), InStr(City, \"on\") FROM Customers;",
        "SELECT LENGTH(\"City\") AS \"Expr1000\", LEFT(\"City\", 2) AS \"Expr1001\", RIGHT(\"City\", 3) AS "
        "\"Expr1002\", SUBSTR(\"City\", 2, 3) AS \"Expr1003\", SUBSTR(\"City\", 2) AS \"Expr1004\", "
        "TRIM(\"City\") AS \"Expr1005\", UPPER(\"City\") AS \"Expr1006\", LOWER(\"City\") AS \"Expr1007\", "
        "STRPOS(LOWER(\"City\"), LOWER('on')) AS \"Expr1008\" FROM \"Customers\"");
    row("texts lite", "lite",
        "SELECT Len(City), Left(City, 2), Right(City, 3), Mid(City, 2), InStr(City, \"on\") FROM Customers;",
        "SELECT LENGTH(\"City\") AS \"Expr1000\", substr(\"City\", 1, 2) AS \"Expr1001\", substr(\"City\", "
        "max(length(\"City\") - 3 + 1, 1)) AS \"Expr1002\", substr(\"City\", 2) AS \"Expr1003\", "
        "instr(lower(\"City\"), lower('on')) AS \"Expr1004\" FROM \"Customers\"");
    row("texts ms", "ms", "SELECT Len(City), Mid(City, 2), Trim(City), InStr(City, \"on\") FROM Customers;",
        "SELECT (LEN([City] + N'.') - 1) AS [Expr1000], SUBSTRING([City], 2, 2147483647) AS [Expr1001], "
        "LTRIM(RTRIM([City])) AS [Expr1002], CHARINDEX(N'on', [City]) AS [Expr1003] FROM [Customers]");
    row("dates pg", "pg", "SELECT Year(Placed), Month(Placed), Day(Placed), Date(), Now() FROM Orders;",
        "SELECT CAST(EXTRACT(YEAR FROM \"Placed\") AS INTEGER) AS \"Expr1000\", CAST(EXTRACT(MONTH FROM "
        "\"Placed\") AS INTEGER) AS \"Expr1001\", CAST(EXTRACT(DAY FROM \"Placed\") AS INTEGER) AS "
        "\"Expr1002\", CAST(CURRENT_DATE AS TIMESTAMP) AS \"Expr1003\", LOCALTIMESTAMP(0) AS "
        "\"Expr1004\" FROM \"Orders\"");
    row("dates lite", "lite", "SELECT Year(Placed), Month(Placed), Day(Placed), Date(), Now() FROM Orders;",
        "SELECT CAST(strftime('%Y', \"Placed\") AS INTEGER) AS \"Expr1000\", CAST(strftime('%m', \"Placed\") "
        "AS INTEGER) AS \"Expr1001\", CAST(strftime('%d', \"Placed\") AS INTEGER) AS \"Expr1002\", "
        "datetime('now', 'localtime', 'start of day') AS \"Expr1003\", datetime('now', 'localtime') AS "
        "\"Expr1004\" FROM \"Orders\"");
    row("dateadd my", "my",
        "SELECT DateAdd(\"m\", 1, Placed), DateAdd(\"d\", -3, Placed), DateDiff(\"d\", Placed, Born), "
        "DatePart(\"q\", Placed) FROM Orders, Customers;",
        "SELECT DATE_ADD(`Orders`.`Placed`, INTERVAL 1 MONTH) AS `Expr1000`, DATE_ADD(`Orders`.`Placed`, "
        "INTERVAL (-3) DAY) AS `Expr1001`, DATEDIFF(`Customers`.`Born`, `Orders`.`Placed`) AS `Expr1002`, "
        "QUARTER(`Orders`.`Placed`) AS `Expr1003` FROM `Orders`, `Customers`");
    row("dateadd lite months", "lite", "SELECT DateAdd(\"m\", 1, Placed) FROM Orders;",
        "SELECT datetime(date(\"Placed\", 'start of month', 1 || ' months', (min(CAST(strftime('%d', "
        "\"Placed\") AS INTEGER), CAST(strftime('%d', \"Placed\", 'start of month', 1 || ' months', '+1 "
        "month', '-1 day') AS INTEGER)) - 1) || ' days') || ' ' || time(\"Placed\")) AS \"Expr1000\" "
        "FROM \"Orders\"");
    row("dateadd lite days", "lite",
        "SELECT DateAdd(\"ww\", 2, Placed) AS Later, DateDiff(\"m\", Placed, #1/1/2025#) AS Months FROM "
        "Orders;",
        "SELECT datetime(\"Placed\", (2 * 7) || ' days') AS \"Later\", ((CAST(strftime('%Y', "
        "'2025-01-01 00:00:00') AS INTEGER) - CAST(strftime('%Y', \"Placed\") AS INTEGER)) * 12 + "
        "(CAST(strftime('%m', '2025-01-01 00:00:00') AS INTEGER) - CAST(strftime('%m', \"Placed\") AS "
        "INTEGER))) AS \"Months\" FROM \"Orders\"");
    row("dateadd pg", "pg",
        "SELECT DateAdd(\"h\", Qty, Placed) AS Later, DateDiff(\"yyyy\", Born, Placed) AS Age FROM Orders, "
        "Customers;",
        "SELECT (\"Orders\".\"Placed\" + \"Orders\".\"Qty\" * INTERVAL '1 HOUR') AS \"Later\", "
        "(CAST(EXTRACT(YEAR FROM \"Orders\".\"Placed\") AS INTEGER) - CAST(EXTRACT(YEAR FROM "
        "\"Customers\".\"Born\") AS INTEGER)) AS \"Age\" FROM \"Orders\", \"Customers\"");
    row("days added pg", "pg", "SELECT ID FROM Orders WHERE Placed > Date() - 30 AND Placed + Qty < Now();",
        "SELECT \"ID\" FROM \"Orders\" WHERE (\"Placed\" > (CAST(CURRENT_DATE AS TIMESTAMP) + (-30) * "
        "INTERVAL '1 DAY')) AND ((\"Placed\" + \"Qty\" * INTERVAL '1 DAY') < LOCALTIMESTAMP(0))");
    row("days added lite", "lite", "SELECT Placed - 7 AS Before FROM Orders;",
        "SELECT datetime(\"Placed\", (-7) || ' days') AS \"Before\" FROM \"Orders\"");
    row("dates subtracted", "my", "SELECT Now() - Placed AS Age FROM Orders;",
        "-- - of values that are not both numbers");
    row("datepart variable", "pg", "SELECT DatePart(City, Placed) FROM Orders, Customers;",
        "-- DatePart without a literal interval");
    row("conversions pg", "pg",
        "SELECT CInt(Weight), CLng(Qty), CDbl(Qty), CCur(Qty), CStr(ID), Int(Weight), Abs(Total), "
        "Round(Weight, 2) FROM Orders;",
        "SELECT CAST(veltrane.round_even_float(\"Weight\", 0) AS SMALLINT) AS \"Expr1000\", "
        "CAST(\"Qty\" AS INTEGER) AS \"Expr1001\", CAST(\"Qty\" AS DOUBLE PRECISION) AS \"Expr1002\", "
        "CAST(\"Qty\" AS DECIMAL(19,4)) AS \"Expr1003\", CAST(\"ID\" AS TEXT) AS \"Expr1004\", "
        "FLOOR(\"Weight\") AS \"Expr1005\", ABS(\"Total\") AS \"Expr1006\", "
        "veltrane.round_even_float(\"Weight\", 2) AS \"Expr1007\" FROM \"Orders\"");
    row("conversions my", "my", "SELECT CLng(Total), CStr(City) FROM Orders, Customers;",
        "SELECT CAST(veltrane_round_even(`Orders`.`Total`, 0) AS SIGNED) AS `Expr1000`, "
        "`Customers`.`City` AS `Expr1001` FROM `Orders`, `Customers`");
    row("cstr of a double", "lite", "SELECT CStr(Weight) FROM Orders;",
        "-- CStr of a value that is neither text nor a whole number");
    row("aggregates", "pg",
        "SELECT CustID, Count(*) AS N, Sum(Total) AS S, Avg(Qty) AS A, Min(Placed) AS M FROM Orders GROUP BY "
        "CustID HAVING Count(*) > 1 ORDER BY CustID;",
        "SELECT \"CustID\", COUNT(*) AS \"N\", SUM(\"Total\") AS \"S\", AVG(CAST(\"Qty\" AS DOUBLE "
        "PRECISION)) AS \"A\", MIN(\"Placed\") AS \"M\" FROM \"Orders\" GROUP BY \"CustID\" HAVING COUNT(*) "
        "> 1 ORDER BY \"CustID\"");
    row("aggregates ms", "ms",
        "SELECT CustID, Avg(Qty) AS A, StDev(Weight) AS D FROM Orders GROUP BY CustID ORDER BY CustID;",
        "SELECT [CustID], AVG(CAST([Qty] AS FLOAT)) AS [A], STDEV([Weight]) AS [D] FROM [Orders] GROUP BY "
        "[CustID]");
    row("stdev lite", "lite", "SELECT StDev(Weight) FROM Orders;",
        "-- StDev, which this server does not have");
    row("first", "pg", "SELECT First(Total) FROM Orders;",
        "-- the aggregate First, which servers do not have");
    row("in between", "my", "SELECT ID FROM Orders WHERE Qty IN (1, 2, 3) AND Total NOT BETWEEN 10 AND 20;",
        "SELECT `ID` FROM `Orders` WHERE (`Qty` IN (1, 2, 3)) AND (`Total` NOT BETWEEN 10 AND 20)");
    row("alias later", "pg",
        "SELECT Total * 2 AS Twice, Twice + 1 AS More, More * Qty AS Most FROM Orders ORDER BY More;",
        "SELECT \"Total\" * 2 AS \"Twice\", (\"Total\" * 2) + 1 AS \"More\", ((\"Total\" * 2) + 1) * \"Qty\" "
        "AS \"Most\" FROM \"Orders\" ORDER BY (\"Total\" * 2) + 1");
    row("alias before its item", "my",
        "SELECT [Sub] + Qty AS Total2, Total * 2 AS Sub, Circle + 1 AS Circle FROM Orders;",
        "-- asks for the parameter [Circle]");
    row("alias before its item, each once", "lite",
        "SELECT [Sub] + Qty AS Total2, Total * 2 AS Sub FROM Orders;",
        "SELECT (\"Total\" * 2) + \"Qty\" AS \"Total2\", \"Total\" * 2 AS \"Sub\" FROM \"Orders\"");
    row("alias in where", "pg", "SELECT Total * 2 AS Twice FROM Orders WHERE Twice > 10;",
        "-- asks for the parameter [Twice]");
    row("operators pg", "pg", "SELECT Qty / 2, Qty \\ 2, Qty Mod 2, Qty ^ 2, -Qty FROM Orders;",
        "SELECT CAST(\"Qty\" AS DOUBLE PRECISION) / 2 AS \"Expr1000\", \"Qty\" / 2 AS \"Expr1001\", \"Qty\" "
        "% 2 AS \"Expr1002\", POWER(CAST(\"Qty\" AS DOUBLE PRECISION), 2) AS \"Expr1003\", -\"Qty\" AS "
        "\"Expr1004\" FROM \"Orders\"");
    row("operators my", "my", "SELECT Qty / 2, Qty \\ 2, Qty Mod 2 FROM Orders;",
        "SELECT CAST(`Qty` AS DOUBLE) / 2 AS `Expr1000`, `Qty` DIV 2 AS `Expr1001`, `Qty` % 2 AS `Expr1002` "
        "FROM `Orders`");
    row("union", "pg", "SELECT City FROM Customers UNION SELECT [Last Name] FROM Customers ORDER BY City;",
        "SELECT \"City\" FROM \"Customers\" UNION SELECT \"Last Name\" FROM \"Customers\" ORDER BY \"City\"");
    row("union all ms", "ms",
        "SELECT ID, City FROM Customers UNION ALL SELECT ID, \"none\" FROM Orders ORDER BY ID;",
        "SELECT [ID], [City] FROM [Customers] UNION ALL SELECT [ID], N'none' AS [Expr1000] FROM [Orders]");
    row("union of two kinds", "lite", "SELECT ID FROM Customers UNION SELECT Placed FROM Orders;",
        "-- a union of columns of two types (ID)");
    row("unnamed expressions", "lite", "SELECT ID, Total * 2, Qty + 1 FROM Orders;",
        "SELECT \"ID\", \"Total\" * 2 AS \"Expr1000\", \"Qty\" + 1 AS \"Expr1001\" FROM \"Orders\"");
    row("same column twice", "my",
        "SELECT Orders.ID, Customers.ID FROM Orders INNER JOIN Customers ON Orders.CustID = Customers.ID;",
        "SELECT `Orders`.`ID` AS `Orders.ID`, `Customers`.`ID` FROM `Orders` INNER JOIN `Customers` ON "
        "`Orders`.`CustID` = `Customers`.`ID`");
    row("parameter", "pg", "PARAMETERS [Since] DateTime; SELECT ID FROM Orders WHERE Placed > [Since];",
        "-- parameter query");
    row("implicit parameter", "pg", "SELECT ID FROM Orders WHERE Total > [Minimum Total];",
        "-- asks for the parameter [Minimum Total]");
    row("form field", "my", "SELECT ID FROM Orders WHERE CustID = Forms!Customers!ID;",
        "-- refers to the form field Forms!Customers!ID");
    row("form field brackets", "my", "SELECT ID FROM Orders WHERE CustID = [Forms]![Customers]![ID];",
        "-- refers to the form field Forms!Customers!ID");
    row("vba function", "lite", "SELECT StrConv(City, 3) FROM Customers;",
        "-- calls the VBA function StrConv");
    row("rounding ms", "ms", "SELECT CInt(Weight), Weekday(Placed, 2) FROM Orders;",
        "SELECT CAST(CASE WHEN FLOOR(([Weight] + 0.5)) = ([Weight] + 0.5) AND FLOOR(([Weight] + 0.5) / 2) * "
        "2 "
        "<> ([Weight] + 0.5) THEN [Weight] - 0.5 ELSE FLOOR(([Weight] + 0.5)) END AS SMALLINT) AS "
        "[Expr1000], "
        "((((DATEPART(weekday, [Placed]) + @@DATEFIRST - 1) % 7 + 1) + 5) % 7 + 1) AS [Expr1001] FROM "
        "[Orders]");
    row("rounding of money lite", "lite", "SELECT CCur(Total * Qty) FROM Orders;",
        "-- CCur of a Currency or Decimal value, which this server computes as a double");
    row("domain functions", "pg",
        "SELECT DLookup(\"City\", \"Customers\", \"ID=1\") AS C, DCount(\"*\", \"Orders\") AS N, "
        "DSum(\"[Qty]*2\", \"[Orders]\", \"CustID = 2 AND Shipped\") AS S FROM Customers;",
        "SELECT (SELECT \"City\" FROM \"Customers\" WHERE \"ID\" = 1 LIMIT 1) AS \"C\", (SELECT COUNT(*) AS "
        "\"Expr1000\" FROM \"Orders\") AS \"N\", (SELECT SUM(\"Qty\" * 2) AS \"Expr1000\" FROM \"Orders\" "
        "WHERE "
        "(\"CustID\" = 2) AND \"Shipped\") AS \"S\" FROM \"Customers\"");
    row("domain function of a field", "pg",
        "SELECT DMax(\"Total\", \"Orders\", \"CustID=\" & ID) AS M FROM Customers;",
        "-- domain function DMax of arguments that are not literal texts");
    row("subquery", "pg", "SELECT ID FROM Orders WHERE Total > (SELECT Avg(Total) FROM Orders);",
        "SELECT \"ID\" FROM \"Orders\" WHERE \"Total\" > (SELECT AVG(\"Total\") AS \"Expr1000\" FROM "
        "\"Orders\")");
    row("correlated subquery", "my",
        "SELECT ID FROM Orders AS O WHERE Total = (SELECT Max(Total) FROM Orders WHERE CustID = O.CustID);",
        "SELECT `ID` FROM `Orders` AS `O` WHERE `Total` = (SELECT MAX(`Total`) AS `Expr1000` FROM `Orders` "
        "WHERE `CustID` = `O`.`CustID`)");
    row("in and exists", "lite",
        "SELECT ID FROM Customers WHERE ID IN (SELECT CustID FROM Orders) AND NOT EXISTS (SELECT * FROM "
        "Orders "
        "WHERE Orders.CustID = Customers.ID AND Qty > 4);",
        "SELECT \"ID\" FROM \"Customers\" WHERE (\"ID\" IN (SELECT \"CustID\" FROM \"Orders\")) AND (NOT "
        "(EXISTS (SELECT \"ID\", \"CustID\", \"Total\", \"Placed\", \"Shipped\", \"Qty\", \"Weight\" FROM "
        "\"Orders\" WHERE (\"CustID\" = \"Customers\".\"ID\") AND (\"Qty\" > 4))))");
    row("subquery of two columns", "pg",
        "SELECT ID FROM Orders WHERE Total = (SELECT ID, Total FROM Orders);",
        "-- a subquery of more than one column");
    row("other query", "pg", "SELECT * FROM [Other Query];",
        "-- reads the query Other Query, which is not a view here");
    row("unknown table", "pg", "SELECT * FROM Nowhere;",
        "-- reads Nowhere, which is neither a table nor a query of this script");
    row("ambiguous", "pg", "SELECT ID FROM Orders INNER JOIN Customers ON Orders.CustID = Customers.ID;",
        "-- refers to ID, a column of more than one of its tables");
    row("select into", "pg", "SELECT * INTO Copy FROM Orders;", "-- action query");
    QTest::newRow("nested too deeply") << "pg"
                                       << "SELECT " + QString(100000, '(') + "1" + QString(100000, ')') + ";"
                                       << "-- an expression nested too deeply";
    QTest::newRow("negated too often")
        << "lite"
        << "SELECT ID FROM Orders WHERE " + QString("NOT ").repeated(100000) + "Shipped;"
        << "-- an expression nested too deeply";
    row("xor", "pg", "SELECT ID FROM Orders WHERE Shipped Xor Qty > 1;", "-- the operator XOR");
}

void TestQueryTranslation::translation() {
    QFETCH(QString, target);
    QFETCH(QString, access);
    QFETCH(QString, expected);
    QCOMPARE(translated(access, dialectNamed(target)), expected);
}

void TestQueryTranslation::viewsInDependencyOrder() {
    const DatabaseSchema s = schema();
    const ConversionOptions options;
    const CompleteScript script(postgreSqlDialect(), s, options);
    const SavedQueries queries{
        {"A Big Orders", QueryKind::Select, "SELECT [Order Lines].* FROM [Order Lines] WHERE Total > 100;",
         false},
        {"Add Order", QueryKind::Append, "INSERT INTO Orders ( ID ) SELECT 1 AS Expr1;", false},
        {"CustID", QueryKind::Select, "SELECT DISTINCT CustID FROM Orders;", false},
        {"Order Lines", QueryKind::Select, "SELECT ID, Total\r\nFROM Orders;", false},
        {"Since", QueryKind::Select,
         "PARAMETERS [From] DateTime;\r\nSELECT * FROM Orders WHERE Placed >= [From];", false},
        {"~sq_cForm", QueryKind::Select, "SELECT * FROM Orders;", true},
    };
    const ViewsScript views = viewsScript(postgreSqlDialect(), options, script.plan(), queries);
    QCOMPARE(views.views, 3);
    // The parameter query a function returning its rows, the action query a procedure.
    QCOMPARE(
        views.text,
        QString("-- Saved queries: 3 views, 1 function, 1 procedure, 0 queries left as comments\r\n"
                "CREATE OR REPLACE PROCEDURE \"Add Order\"() LANGUAGE sql AS $veltrane$\r\n"
                "INSERT INTO \"Orders\" (\"ID\")\r\n"
                "SELECT 1 AS \"Expr1\"\r\n"
                "$veltrane$;\r\n"
                "CREATE VIEW \"CustID_2\" AS\r\n"
                "SELECT DISTINCT \"CustID\"\r\nFROM \"Orders\";\r\n"
                "CREATE VIEW \"Order Lines\" AS\r\n"
                "SELECT \"ID\", \"Total\"\r\nFROM \"Orders\";\r\n"
                "DROP FUNCTION IF EXISTS \"Since\"(timestamp);\r\n"
                "CREATE OR REPLACE FUNCTION \"Since\"(\"p_From\" timestamp) RETURNS TABLE(\"ID\" bigint, "
                "\"CustID\" bigint, \"Total\" numeric, \"Placed\" timestamp, \"Shipped\" boolean, \"Qty\" "
                "bigint, \"Weight\" double precision) LANGUAGE sql STABLE AS $veltrane$\r\n"
                "SELECT \"ID\", \"CustID\", \"Total\", \"Placed\", \"Shipped\", \"Qty\", \"Weight\"\r\n"
                "FROM \"Orders\"\r\n"
                "WHERE \"Placed\" >= $1\r\n"
                "$veltrane$;\r\n"
                "CREATE VIEW \"A Big Orders\" AS\r\n"
                "SELECT \"ID\", \"Total\"\r\nFROM \"Order Lines\"\r\n"
                "WHERE \"Total\" > 100;\r\n"
                "\r\n"));
    // MySQL: a procedure of one statement; a form's control the query reads is an argument as well.
    const CompleteScript mySql(mySqlDialect(), s, options);
    QCOMPARE(
        viewsScript(mySqlDialect(), options, mySql.plan(),
                    {{"Since", QueryKind::Select,
                      "PARAMETERS Forms!Customer List!ID Short, From DateTime;\r\nSELECT ID FROM Orders "
                      "WHERE Placed >= [From] AND CustID = [Forms]![Customer List]![ID];",
                      false}})
            .text,
        QString("-- Saved queries: 0 views, 0 functions, 1 procedure, 0 queries left as comments\r\n"
                "DROP PROCEDURE IF EXISTS `Since`;\r\n"
                "CREATE PROCEDURE `Since`(IN `p_Forms_Customer List_ID` SMALLINT, IN `p_From` DATETIME)\r\n"
                "SELECT `ID`\r\nFROM `Orders`\r\n"
                "WHERE (`Placed` >= `p_From`) AND (`CustID` = `p_Forms_Customer List_ID`);\r\n"
                "\r\n"));
    QCOMPARE(viewsScript(postgreSqlDialect(), options, script.plan(), {}).text, QString());
    // SQL Server takes CREATE VIEW only at the start of a batch, and an ORDER BY in a view only with TOP.
    const CompleteScript sqlServer(sqlServerDialect(), s, options);
    QCOMPARE(viewsScript(sqlServerDialect(), options, sqlServer.plan(),
                         {{"Order Lines", QueryKind::Select, "SELECT ID FROM Orders ORDER BY ID;", false}})
                 .text,
             QString("-- Saved queries: 1 view, 0 functions, 0 procedures, 0 queries left as comments\r\n"
                     "GO\r\nCREATE VIEW [Order Lines] AS\r\nSELECT [ID]\r\nFROM [Orders];\r\nGO\r\n\r\n"));
}

// The helper functions the views call are created once, before the first view; a script whose views call none
// creates none.
void TestQueryTranslation::helpersOnceBeforeTheViews() {
    const DatabaseSchema s = schema();
    const ConversionOptions options;
    const CompleteScript script(mySqlDialect(), s, options);
    const SavedQueries queries{
        {"A", QueryKind::Select, "SELECT CInt(Weight) AS W FROM Orders;", false},
        {"B", QueryKind::Select, "SELECT Round(Weight, 1) AS W, CCur(Total * 1.5) AS T FROM Orders;", false},
        {"C", QueryKind::Select, "SELECT ID FROM Orders;", false},
    };
    const QString text = viewsScript(mySqlDialect(), options, script.plan(), queries).text;
    QCOMPARE(text.count("CREATE FUNCTION veltrane_round_even_float("), 1);
    QCOMPARE(text.count("CREATE FUNCTION"), 1); // Total * 1.5 is a Double, as in Access
    QVERIFY(text.indexOf("DROP FUNCTION IF EXISTS veltrane_round_even_float;\r\nCREATE FUNCTION") <
            text.indexOf("CREATE VIEW"));
    QVERIFY(!viewsScript(mySqlDialect(), options, script.plan(), {queries[2]}).text.contains("FUNCTION"));
    const CompleteScript sqlServer(sqlServerDialect(), s, options);
    QVERIFY(!viewsScript(sqlServerDialect(), options, sqlServer.plan(), queries).text.contains("FUNCTION"));
}

QTEST_GUILESS_MAIN(TestQueryTranslation)
#include "TestQueryTranslation.moc"
