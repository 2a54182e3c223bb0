// Saved queries written by mkmdb (from its JSON description) and read back by the program's own reader:
// each kind and hidden flag as written, the SQL as the rows give it, and a query whose rows make no
// statement left out while the others are read.

#include "MdbSchemaJson.h"
#include "MdbTestCorpus.h"
#include "MdbWriter.h"
#include "OneRequestReader.h"
#include "ReaderProcess.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

// clang-format off
const char* const schemaJson = R"json({
  "tables": [{"name": "Order Lines", "columns": [{"name": "OrderID", "type": "Long"},
                                                {"name": "Qty", "type": "Integer"}]},
             {"name": "Orders", "columns": [{"name": "OrderID", "type": "Long"}, {"name": "Who", "type": "Text"}]}],
  "queries": [
    {"name": "Lines", "kind": "Select", "distinctRow": true,
     "parameters": [{"name": "[Least]", "type": "Short"}, {"name": "[Who]", "type": "Text", "size": 20}],
     "columns": ["o.Who", {"expression": "Sum(L.Qty)", "alias": "All Of Them"}],
     "tables": [{"name": "Orders", "alias": "o"}, {"name": "Order Lines", "alias": "L"}],
     "joins": [{"left": "o", "right": "L", "type": "Right", "on": "o.OrderID = L.OrderID"}],
     "where": "o.Who=[Who]", "groupBy": ["o.Who"], "having": "Sum(L.Qty)>=[Least]",
     "orderBy": [{"expression": "o.Who", "descending": true}]},
    {"name": "Both", "kind": "Union", "union": ["SELECT OrderID FROM Orders", "SELECT OrderID FROM [Order Lines]"]},
    {"name": "Copy", "kind": "Append", "target": "Orders", "top": 3, "percent": true,
     "columns": [{"expression": "[Order Lines].OrderID", "column": "OrderID"}], "tables": ["Order Lines"]},
    {"name": "Broken", "rows": [{"attribute": 1, "flag": 1}, {"attribute": 5, "name1": "Orders"},
                                {"attribute": 8, "expression": "1"}, {"attribute": 8, "expression": "2"}]},
    {"name": "~sq_rReport", "kind": "Select", "star": true, "tables": ["Orders"]},
    {"name": "As Stored", "kind": "Delete", "hidden": true,
     "rows": [{"attribute": 0}, {"attribute": 1, "flag": 5}, {"attribute": 5, "name1": "Orders"},
              {"attribute": 6, "expression": "Orders.*"}, {"attribute": 255}]}
  ]})json";

// clang-format on

} // namespace

class TestSavedQueries : public QObject {
    Q_OBJECT
private slots:
    void describedQueriesReadBack();
    void corpusHasEveryKind();
    void oneRequestReaderAsksTheReader();

private:
    QString written(const MdbSchema& schema, const QString& name) {
        const QString path = dir_.filePath(name);
        std::string error;
        if (!writeMdb(schema, path.toStdString(), &error))
            qWarning("%s", error.c_str());
        return path;
    }

    QTemporaryDir dir_;
    ReaderProcess reader_;
};

void TestSavedQueries::describedQueriesReadBack() {
    QString error;
    const auto schema = parseMdbSchemaJson(schemaJson, &error);
    QVERIFY2(schema, qPrintable(error));
    const auto answer = reader_.GetSavedQueries(written(*schema, "described.mdb"));
    QVERIFY(std::holds_alternative<SavedQueries>(answer));
    const SavedQueries expected{
        {"As Stored", QueryKind::Delete, "DELETE Orders.*\nFROM Orders;", true},
        {"Both", QueryKind::Union, "SELECT OrderID FROM Orders\nUNION SELECT OrderID FROM [Order Lines];",
         false},
        {"Copy", QueryKind::Append,
         "INSERT INTO Orders (OrderID)\nSELECT TOP 3 PERCENT [Order Lines].OrderID\nFROM [Order Lines];",
         false},
        {"Lines", QueryKind::Select,
         "PARAMETERS [Least] Short, [Who] Text(20);\nSELECT DISTINCTROW o.Who, Sum(L.Qty) AS [All Of "
         "Them]\nFROM "
         "Orders AS o RIGHT JOIN [Order Lines] AS L ON o.OrderID = L.OrderID\nWHERE o.Who=[Who]\nGROUP BY "
         "o.Who\nHAVING Sum(L.Qty)>=[Least]\nORDER BY o.Who DESC;",
         false},
        {"~sq_rReport", QueryKind::Select, "SELECT *\nFROM Orders;", true},
    };
    QCOMPARE(std::get<SavedQueries>(answer), expected);
}

void TestSavedQueries::corpusHasEveryKind() {
    const auto answer = reader_.GetSavedQueries(written(mdbQueriesDatabase(), "queries.mdb"));
    QVERIFY(std::holds_alternative<SavedQueries>(answer));
    const SavedQueries& queries = std::get<SavedQueries>(answer);
    QCOMPARE(queries.size(), qsizetype(mdbQueriesDatabase().queries.size()));
    QSet<int> kinds;
    for (const SavedQuery& query : queries) {
        kinds.insert(int(query.kind));
        QCOMPARE(query.hidden, query.name.startsWith("~sq_"));
        QVERIFY2(query.sql.endsWith(';'), qPrintable(query.name));
    }
    QCOMPARE(kinds.size(), 9);
    // A database without queries has none, and one whose catalog is missing fails as for tables.
    const auto none = reader_.GetSavedQueries(written(MdbSchema{}, "none.mdb"));
    QCOMPARE(std::get<SavedQueries>(none), SavedQueries{});
    const auto missing = reader_.GetSavedQueries(dir_.filePath("missing.mdb"));
    QCOMPARE(std::get<ReadFailure>(missing).number, 3024);
}

void TestSavedQueries::oneRequestReaderAsksTheReader() {
    OneRequestReader reader(reader_);
    const QString path = written(mdbQueriesDatabase(), "again.mdb");
    QVERIFY(std::holds_alternative<TextList>(reader.GetTableNames(path)));
    QCOMPARE(reader.GetSavedQueries(path), reader_.GetSavedQueries(path));
}

QTEST_GUILESS_MAIN(TestSavedQueries)
#include "TestSavedQueries.moc"
