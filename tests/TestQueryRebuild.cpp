// The rebuild of saved queries from their MSysQueries rows, rows in and Access SQL out: every kind, every
// clause, the nesting of joins, and the rows that make no statement.

#include "QueryRebuild.h"

#include <QTest>

Q_DECLARE_METATYPE(std::vector<QueryRow>)

namespace {

using readerprotocol::StoredQuery;
using readerprotocol::StoredQueryKind;

constexpr std::uint32_t id = 7;

// A row of the query: attribute, flag, name1, name2, expression; "" is NULL.
QueryRow row(int attribute, std::optional<int> flag = std::nullopt, const char* name1 = "",
             const char* name2 = "", const char* expression = "") {
    const auto text = [](const char* s) { return *s ? std::optional<std::string>(s) : std::nullopt; };
    QueryRow r;
    r.objectId = id;
    r.attribute = attribute;
    r.flag = flag;
    r.name1 = text(name1);
    r.name2 = text(name2);
    r.expression = text(expression);
    return r;
}

QueryRow kind(int value) {
    return row(1, value);
}
QueryRow table(const char* name, const char* alias = "") {
    return row(5, std::nullopt, name, alias);
}
QueryRow column(const char* expression, const char* alias = "") {
    return row(6, std::nullopt, alias, "", expression);
}
QueryRow join(int type, const char* left, const char* right, const char* on) {
    return row(7, type, left, right, on);
}
QueryRow where(const char* expression) {
    return row(8, std::nullopt, "", "", expression);
}

using Rows = std::vector<QueryRow>;

} // namespace

class TestQueryRebuild : public QObject {
    Q_OBJECT
private slots:
    void rebuildsEveryKindAndClause_data();
    void rebuildsEveryKindAndClause();
    void refusesRowsThatMakeNoStatement_data();
    void refusesRowsThatMakeNoStatement();
    void ordersAndSkipsInOneAnswer();
};

void TestQueryRebuild::rebuildsEveryKindAndClause_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("flags");
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<bool>("hidden");
    const int select = int(StoredQueryKind::Select);

    QTest::newRow("select") << "Q" << 0
                            << Rows{row(0), kind(1), table("Orders"), column("Orders.ID"), row(255)} << select
                            << "SELECT Orders.ID\nFROM Orders;" << false;
    QTest::newRow("aliases quoted where needed")
        << "Q" << 0 << Rows{table("Order Lines", "L"), column("L.Qty", "How Many"), table("T", "x.y")}
        << select << "SELECT L.Qty AS [How Many]\nFROM [Order Lines] AS L, T AS [x.y];" << false;
    QTest::newRow("star, where, group by, having, order by")
        << "Q" << 0
        << Rows{row(3, 1),
                table("T"),
                column("Count(*)", "N"),
                where("T.A>1"),
                row(9, std::nullopt, "", "", "T.B"),
                row(10, std::nullopt, "", "", "Count(*)>2"),
                row(11, std::nullopt, "D", "", "T.B"),
                row(11, std::nullopt, "", "", "T.C")}
        << select
        << "SELECT Count(*) AS N, *\nFROM T\nWHERE T.A>1\nGROUP BY T.B\nHAVING Count(*)>2\nORDER BY T.B "
           "DESC, T.C;"
        << false;
    QTest::newRow("distinct") << "Q" << 0 << Rows{row(3, 2), table("T"), column("T.A")} << select
                              << "SELECT DISTINCT T.A\nFROM T;" << false;
    QTest::newRow("distinctrow") << "Q" << 0 << Rows{row(3, 8), table("T"), column("T.A")} << select
                                 << "SELECT DISTINCTROW T.A\nFROM T;" << false;
    QTest::newRow("top percent") << "Q" << 0 << Rows{row(3, 0x30, "25"), table("T"), column("T.A")} << select
                                 << "SELECT TOP 25 PERCENT T.A\nFROM T;" << false;
    QTest::newRow("distinct top") << "Q" << 0 << Rows{row(3, 0x12, "5"), table("T"), column("T.A")} << select
                                  << "SELECT DISTINCT TOP 5 T.A\nFROM T;" << false;
    QueryRow text = row(2, 10, "[Who]");
    text.extra = 50;
    QTest::newRow("parameters")
        << "Q" << 0 << Rows{row(2, 8, "[Since]"), text,          row(2, 0, "Plain"),
                            table("T"),           column("T.A"), where("T.D>=[Since] And T.W=[Who]")}
        << select
        << "PARAMETERS [Since] DateTime, [Who] Text(50), Plain Value;\nSELECT T.A\nFROM "
           "T\nWHERE T.D>=[Since] And T.W=[Who];"
        << false;
    QTest::newRow("owner access") << "Q" << 0 << Rows{row(3, 4), table("T"), column("T.A")} << select
                                  << "SELECT T.A\nFROM T\nWITH OWNERACCESS OPTION;" << false;
    QTest::newRow("other database") << "Q" << 0
                                    << Rows{row(4, std::nullopt, "C:\\db.mdb", "", "dBASE IV;"), table("T"),
                                            column("T.A"), row(5, std::nullopt, "U", "", "C:\\x.mdb")}
                                    << select
                                    << "SELECT T.A\nFROM T, [C:\\x.mdb].U IN 'C:\\db.mdb' [dBASE IV;];"
                                    << false;
    QTest::newRow("inner join") << "Q" << 0
                                << Rows{table("A"), table("B"), column("A.X"),
                                        join(1, "A", "B", "A.ID = B.ID")}
                                << select << "SELECT A.X\nFROM A INNER JOIN B ON A.ID = B.ID;" << false;
    QTest::newRow("left join of aliases")
        << "Q" << 0
        << Rows{table("Alpha", "a"), table("Beta", "b"), column("a.X"), join(2, "a", "b", "a.ID = b.ID")}
        << select << "SELECT a.X\nFROM Alpha AS a LEFT JOIN Beta AS b ON a.ID = b.ID;" << false;
    QTest::newRow("nested joins")
        << "Q" << 0
        << Rows{table("A"),
                table("B"),
                table("C"),
                column("A.X"),
                join(1, "A", "B", "A.ID = B.ID"),
                join(3, "B", "C", "B.K = C.K")}
        << select << "SELECT A.X\nFROM (A INNER JOIN B ON A.ID = B.ID) RIGHT JOIN C ON B.K = C.K;" << false;
    QTest::newRow("two joins apart, then joined") << "Q" << 0
                                                  << Rows{table("A"),
                                                          table("B"),
                                                          table("C"),
                                                          table("D"),
                                                          column("A.X"),
                                                          join(1, "A", "B", "A.ID = B.ID"),
                                                          join(1, "C", "D", "C.ID = D.ID"),
                                                          join(2, "B", "C", "B.K = C.K")}
                                                  << select
                                                  << "SELECT A.X\nFROM (A INNER JOIN B ON A.ID = B.ID) LEFT "
                                                     "JOIN (C INNER JOIN D ON C.ID = D.ID) ON B.K = "
                                                     "C.K;"
                                                  << false;
    QTest::newRow("join on two columns")
        << "Q" << 0
        << Rows{table("A"), table("B"), column("A.X"), join(1, "A", "B", "A.K1 = B.K1"),
                join(1, "A", "B", "A.K2 = B.K2")}
        << select << "SELECT A.X\nFROM A INNER JOIN B ON (A.K2 = B.K2) AND (A.K1 = B.K1);" << false;
    QTest::newRow("join beside a lone table")
        << "Q" << 0
        << Rows{table("A"), table("B"), table("C"), column("A.X"), join(1, "A", "C", "A.ID = C.ID")} << select
        << "SELECT A.X\nFROM B, A INNER JOIN C ON A.ID = C.ID;" << false;
    QTest::newRow("union") << "U" << 128
                           << Rows{kind(9), row(3, 2),
                                   row(5, std::nullopt, "", "X7YZ_____1", " SELECT A\r\n\r\nFROM T "),
                                   row(5, std::nullopt, "", "X7YZ_____2", "SELECT B\r\nFROM U"),
                                   row(11, std::nullopt, "", "", "A")}
                           << int(StoredQueryKind::Union)
                           << "SELECT A\nFROM T\nUNION SELECT B\nFROM U\nORDER BY A;" << false;
    QTest::newRow("union all") << "U" << 128
                               << Rows{kind(9), row(5, std::nullopt, "", "X7YZ_____1", "SELECT A FROM T"),
                                       row(5, std::nullopt, "", "X7YZ_____2", "SELECT B FROM U")}
                               << int(StoredQueryKind::Union) << "SELECT A FROM T\nUNION ALL SELECT B FROM U;"
                               << false;
    QTest::newRow("crosstab")
        << "X" << 16
        << Rows{kind(6),
                table("Orders"),
                row(6, 0, "SumOfAmount", "", "Sum(Orders.Amount)"),
                row(6, 2, "", "", "Orders.CustomerID"),
                row(6, 1, "", "", "Year([OrderDate])"),
                row(9, 2, "", "", "Orders.CustomerID"),
                row(9, 1, "", "", "Year([OrderDate])")}
        << int(StoredQueryKind::CrossTab)
        << "TRANSFORM Sum(Orders.Amount) AS SumOfAmount\nSELECT Orders.CustomerID\nFROM Orders\nGROUP BY "
           "Orders.CustomerID\nPIVOT Year([OrderDate]);"
        << false;
    QTest::newRow("append values") << "A" << 64
                                   << Rows{row(1, 3, "Customers"), row(6, -32768, "", "CustomerID", "4"),
                                           row(6, -32768, "", "Name", "\"Dan\"")}
                                   << int(StoredQueryKind::Append)
                                   << "INSERT INTO Customers (CustomerID, Name)\nVALUES (4, \"Dan\");"
                                   << false;
    QTest::newRow("append select")
        << "A" << 64
        << Rows{row(1, 3, "Old Orders", "C:\\old.mdb"), table("Orders"),
                row(6, std::nullopt, "", "OrderID", "Orders.OrderID"), where("Orders.Amount>5")}
        << int(StoredQueryKind::Append)
        << "INSERT INTO [Old Orders] (OrderID) IN 'C:\\old.mdb'\nSELECT Orders.OrderID\nFROM Orders\nWHERE "
           "Orders.Amount>5;"
        << false;
    QTest::newRow("update") << "U" << 48
                            << Rows{kind(4), table("Products"),
                                    row(6, std::nullopt, "", "Products.Price", "[Price]*1.1"),
                                    where("Products.Price<10")}
                            << int(StoredQueryKind::Update)
                            << "UPDATE Products\nSET Products.Price = [Price]*1.1\nWHERE Products.Price<10;"
                            << false;
    QTest::newRow("delete") << "D" << 32
                            << Rows{kind(5), table("Orders"), column("Orders.*"), where("Orders.ID<3")}
                            << int(StoredQueryKind::Delete)
                            << "DELETE Orders.*\nFROM Orders\nWHERE Orders.ID<3;" << false;
    QTest::newRow("make table") << "M" << 80
                                << Rows{row(1, 2, "Old Orders"), table("Orders"), column("Orders.*")}
                                << int(StoredQueryKind::MakeTable)
                                << "SELECT Orders.* INTO [Old Orders]\nFROM Orders;" << false;
    QTest::newRow("data definition") << "DDL" << 96
                                     << Rows{row(1, 7, "", "", "CREATE TABLE X (A TEXT(10))  \r\n")}
                                     << int(StoredQueryKind::DataDefinition) << "CREATE TABLE X (A TEXT(10));"
                                     << false;
    QTest::newRow("data definition with its semicolon")
        << "DDL" << 96 << Rows{row(1, 7, "", "", "DROP TABLE X;")} << int(StoredQueryKind::DataDefinition)
        << "DROP TABLE X;" << false;
    QTest::newRow("pass-through") << "P" << 112
                                  << Rows{row(1, 8, "ODBC;DSN=S", "", "SELECT GETDATE()"), row(3, 4)}
                                  << int(StoredQueryKind::PassThrough) << "SELECT GETDATE();" << false;
    QTest::newRow("a select by its flags, another kind by its rows")
        << "D" << 0 << Rows{kind(5), table("T"), column("T.*")} << int(StoredQueryKind::Delete)
        << "DELETE T.*\nFROM T;" << false;
    QTest::newRow("hidden by its flags")
        << "Q" << 8 << Rows{table("T"), column("T.A")} << select << "SELECT T.A\nFROM T;" << true;
    QTest::newRow("hidden by its name") << "~sq_cForm~sq_cBox" << 0 << Rows{table("T"), column("T.A")}
                                        << select << "SELECT T.A\nFROM T;" << true;
}

void TestQueryRebuild::rebuildsEveryKindAndClause() {
    QFETCH(QString, name);
    QFETCH(int, flags);
    QFETCH(Rows, rows);
    QFETCH(int, kind);
    QFETCH(QString, sql);
    QFETCH(bool, hidden);
    const auto rebuilt = rebuildQuery({name.toStdString(), id, std::uint32_t(flags)}, rows);
    const auto* query = std::get_if<StoredQuery>(&rebuilt);
    QVERIFY2(query, std::get_if<std::string>(&rebuilt) ? std::get<std::string>(rebuilt).c_str() : "");
    QCOMPARE(QString::fromStdString(query->sql), sql);
    QCOMPARE(int(query->kind), kind);
    QCOMPARE(query->hidden, hidden);
    QCOMPARE(QString::fromStdString(query->name), name);
}

void TestQueryRebuild::refusesRowsThatMakeNoStatement_data() {
    QTest::addColumn<int>("flags");
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<QString>("reason");
    QTest::newRow("a kind the engine lacks")
        << 144 << Rows{} << "a query kind the engine does not have (flags 144)";
    QTest::newRow("rows of another kind") << 32 << Rows{kind(4)} << "its rows say it is of the kind 4";
    QTest::newRow("two WHERE rows") << 0 << Rows{table("T"), column("T.A"), where("1"), where("2")}
                                    << "more than one WHERE row";
    QTest::newRow("unknown join") << 0 << Rows{table("A"), table("B"), join(4, "A", "B", "A.X = B.X")}
                                  << "a join of the unknown type 4";
    QTest::newRow("contradicting joins")
        << 0 << Rows{table("A"), table("B"), join(1, "A", "B", "A.X = B.X"), join(2, "A", "B", "A.Y = B.Y")}
        << "joins of different types between A and B";
    QTest::newRow("a join without its condition") << 0 << Rows{table("A"), table("B"), join(1, "A", "B", "")}
                                                  << "a join without its two tables and its condition";
    QTest::newRow("half a union") << 128 << Rows{row(5, std::nullopt, "", "X7YZ_____1", "SELECT 1")}
                                  << "a union without both its parts";
    QTest::newRow("unknown parameter type")
        << 0 << Rows{row(2, 99, "[P]"), table("T")} << "a parameter of the unknown type 99";
    QTest::newRow("crosstab without pivot")
        << 16 << Rows{table("T"), row(6, 0, "", "", "Sum(T.A)")} << "no PIVOT column";
    QTest::newRow("make table without target") << 80 << Rows{table("T"), column("T.*")} << "no target table";
    QTest::newRow("update without its column")
        << 48 << Rows{table("T"), column("1")} << "an UPDATE column without its name";
}

void TestQueryRebuild::refusesRowsThatMakeNoStatement() {
    QFETCH(int, flags);
    QFETCH(Rows, rows);
    QFETCH(QString, reason);
    const auto rebuilt = rebuildQuery({"Q", id, std::uint32_t(flags)}, rows);
    QVERIFY(std::holds_alternative<std::string>(rebuilt));
    QCOMPARE(QString::fromStdString(std::get<std::string>(rebuilt)), reason);
}

void TestQueryRebuild::ordersAndSkipsInOneAnswer() {
    // Rows of two queries interleaved, and of one the catalog does not name: each query takes its own.
    std::vector<QueryRow> rows{table("T"), column("T.A")};
    QueryRow other = table("U");
    other.objectId = 8;
    rows.insert(rows.begin() + 1, other);
    QueryRow stray = where("lost");
    stray.objectId = 99;
    rows.push_back(stray);
    const readerprotocol::QueriesAnswer answer = rebuildQueries({{"B", id, 0}, {"A", 8, 144}}, rows);
    QCOMPARE(answer.queries.size(), std::size_t(1));
    QCOMPARE(answer.queries[0].sql, std::string("SELECT T.A\nFROM T;"));
    QCOMPARE(answer.unread.size(), std::size_t(1));
    QCOMPARE(answer.unread[0].name, std::string("A"));
}

QTEST_APPLESS_MAIN(TestQueryRebuild)
#include "TestQueryRebuild.moc"
