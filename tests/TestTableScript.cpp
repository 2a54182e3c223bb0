#include "FakeSchemaReader.h"
#include "RecordingWindow.h"
#include "TableScript.h"
#include <QTest>

namespace {

FieldTable ordersFields() {
    return FieldTable({field("OrderID", 4, "4", "False", 49), field("Customer", 10, "50", "True", 34),
                       field("OrderDate", 8, "8", "False", 33), field("Paid", 1, "1", "False", 33),
                       field("Notes", 12, "0", "True", 34)});
}

struct Run {
    RecordingWindow window;
    FakeSchemaReader reader;
    int result = 0;
    QString body() const { return window.appends.value(1); }
};

enum class Writer { TSql, Access };

void write(Run& run, Writer writer, FieldTable fields, const QString& table = QStringLiteral("T")) {
    const ScriptTarget target{run.window.options, run.reader, run.window};
    run.result = writer == Writer::TSql ? BuildTSqlScript(fields, table, target)
                                        : BuildAccessSqlScript(fields, table, target);
}

} // namespace

class TestTableScript : public QObject {
    Q_OBJECT
private slots:
    void accessWorkedExample();
    void tsqlWorkedExample();
    void withoutConstraintTheLastLineLosesItsComma_data();
    void withoutConstraintTheLastLineLosesItsComma();
    void columnTexts_data();
    void columnTexts();
    void keyColumn_data();
    void keyColumn();
    void indexStatement_data();
    void indexStatement();
    void grantStatement_data();
    void grantStatement();
    void tableWithoutColumnLinesIsClosed();
    void unreadableFieldsShowInTheScript();
    void tsqlCleansFieldNamesButNotTableOrIndexNames();
    void accessIgnoresPermissionsAndCleaning();
    void progressCaptions();
};

void TestTableScript::accessWorkedExample() {
    Run run;
    run.window.options.CreateGo = true;
    run.reader.indexes["Orders"] = names({"PrimaryKey", "Customer", "OrderDate"});
    write(run, Writer::Access, ordersFields(), "Orders");
    QCOMPARE(run.result, 2);
    QCOMPARE(run.window.appends.size(), 4);
    QCOMPARE(run.window.scriptRepaints, 1);
    QCOMPARE(
        run.window.script,
        crlfLines({"CREATE TABLE Orders (", "     OrderID COUNTER NOT NULL ,",
                   "     Customer TEXT (50) NULL ,", "     OrderDate TIMESTAMP NOT NULL ,",
                   "     Paid BIT NOT NULL ,", "     Notes MEMO NULL ,",
                   "     CONSTRAINT PK_Orders PRIMARY KEY ", "     (", "          OrderID", "     )", ")", "",
                   "GO", "", "CREATE INDEX IDX_Orders ON Orders (Customer, OrderDate)", "", "GO", "", ""}));
}

void TestTableScript::tsqlWorkedExample() {
    Run run;
    ConversionOptions& o = run.window.options;
    o.CreateGo = true;
    o.CreatePermissions = true;
    o.GrantInsert = false;
    o.GrantDelete = false;
    o.UserNames = "public";
    run.reader.indexes["Orders"] = names({"PrimaryKey", "Customer", "OrderDate"});
    write(run, Writer::TSql, ordersFields(), "Orders");
    QCOMPARE(run.result, 2);
    QCOMPARE(run.window.appends.size(), 4);
    QCOMPARE(run.window.script, crlfLines({"CREATE TABLE Orders (",
                                           "     OrderID INT IDENTITY (1,1) NOT NULL ,",
                                           "     Customer VARCHAR (50) NULL ,",
                                           "     OrderDate DATETIME NOT NULL ,",
                                           "     Paid BIT NOT NULL ,",
                                           "     Notes TEXT NULL ,",
                                           "     CONSTRAINT PK_Orders PRIMARY KEY  CLUSTERED",
                                           "     (",
                                           "          OrderID",
                                           "     )",
                                           ")",
                                           "",
                                           "GO",
                                           "",
                                           "CREATE  INDEX IDX_Orders ON Orders (Customer, OrderDate)",
                                           "",
                                           "GO",
                                           "",
                                           "GRANT  REFERENCES ,  SELECT ,  UPDATE  ON Orders  TO public",
                                           "",
                                           "GO",
                                           "",
                                           ""}));
}

void TestTableScript::withoutConstraintTheLastLineLosesItsComma_data() {
    QTest::addColumn<int>("writer");
    QTest::addColumn<FieldRow>("last");
    QTest::addColumn<QString>("lastLine");
    QTest::addRow("access memo") << int(Writer::Access) << field("Notes", 12, "0", "True")
                                 << "     Notes MEMO NULL ";
    QTest::addRow("tsql memo") << int(Writer::TSql) << field("Notes", 12, "0", "True")
                               << "     Notes TEXT NULL ";
    QTest::addRow("not null") << int(Writer::TSql) << field("N", 7) << "     N FLOAT NOT NULL ";
    QTest::addRow("bit") << int(Writer::Access) << field("B", 1) << "     B BIT NOT NULL ";
    // Unknown types keep their closing parenthesis (it used to be cut off with the line break).
    QTest::addRow("access code 9") << int(Writer::Access) << field("X", 9) << "     X UNKOWN DATA TYPE (9)";
    QTest::addRow("access code 14") << int(Writer::Access) << field("X", 14)
                                    << "     X UNKOWN DATA TYPE (14) ";
    QTest::addRow("tsql code 16") << int(Writer::TSql) << field("X", 16) << "     X UNKOWN DATA TYPE (16)";
}

void TestTableScript::withoutConstraintTheLastLineLosesItsComma() {
    QFETCH(int, writer);
    QFETCH(FieldRow, last);
    QFETCH(QString, lastLine);
    Run run;
    run.window.options.CreatePrimaryKey = false;
    write(run, Writer(writer), FieldTable({field("OrderID", 4, "4", "False", 49), last}));
    const QStringList lines = run.body().split("\r\n");
    QCOMPARE(lines.value(1), lastLine);
    QCOMPARE(lines.value(2), ")");
    QCOMPARE(lines.size(), 4); // ")" then the final line break
}

void TestTableScript::columnTexts_data() {
    QTest::addColumn<int>("writer");
    QTest::addColumn<FieldRow>("row");
    QTest::addColumn<QString>("line"); // the column line; empty when the field gets none
    const int A = int(Writer::Access);
    const int T = int(Writer::TSql);
    struct Case {
        int type;
        const char* access;
        const char* tsql;
    };
    const Case cases[] = {
        {1, "F BIT NOT NULL ,", "F BIT NOT NULL ,"},
        {2, "F BYTE NULL ,", "F INT NULL ,"},
        {3, "F SMALLINT NULL ,", "F INT NULL ,"},
        {4, "F INT NULL ,", "F INT NULL ,"},
        {5, "F MONEY NULL ,", "F MONEY NULL ,"},
        {6, "F REAL NULL ,", "F FLOAT NULL ,"},
        {7, "F FLOAT NULL ,", "F FLOAT NULL ,"},
        {8, "F TIMESTAMP NULL ,", "F DATETIME NULL ,"},
        {9, "F UNKOWN DATA TYPE (9)", "F UNKOWN DATA TYPE (9)"},
        {10, "F TEXT (12) NULL ,", "F VARCHAR (12) NULL ,"},
        {11, "F OLEOBJECT NULL ,", "F IMAGE NULL ,"},
        {12, "F MEMO NULL ,", "F TEXT NULL ,"},
        {13, "F UNKOWN DATA TYPE (13)", "F UNKOWN DATA TYPE (13)"},
        {14, "F UNKOWN DATA TYPE (14) ", "F UNKOWN DATA TYPE (14)"},
        {15, "F GUID NULL ,", "F UNKOWN DATA TYPE (15)"},
        {16, "F UNKOWN DATA TYPE (16)", "F UNKOWN DATA TYPE (16)"},
        {0, "", ""},
        {17, "", ""},
        {20, "", ""},
        {101, "", ""},
        {-4, "", ""},
    };
    for (const Case& c : cases) {
        const FieldRow row = field("F", c.type, "12", "True", 33);
        QTest::addRow("access %d", c.type) << A << row << QString(c.access);
        QTest::addRow("tsql %d", c.type) << T << row << QString(c.tsql);
    }
    QTest::addRow("access not null") << A << field("F", 2, "1", "False") << "F BYTE NOT NULL ,";
    QTest::addRow("tsql bit ignores zero-length flag")
        << T << field("F", 1, "1", "True") << "F BIT NOT NULL ,";
    QTest::addRow("tsql size copied unchanged")
        << T << field("F", 10, "0255") << "F VARCHAR (0255) NOT NULL ,";
}

void TestTableScript::columnTexts() {
    QFETCH(int, writer);
    QFETCH(FieldRow, row);
    QFETCH(QString, line);
    Run run;
    run.window.options.CreatePrimaryKey = false;
    // A second field keeps the row under test away from the closing.
    write(run, Writer(writer), FieldTable({row, field("Z", 4)}));
    const QStringList lines = run.body().split("\r\n");
    if (line.isEmpty()) {
        QCOMPARE(lines.value(0), "     Z INT NOT NULL ");
    } else {
        QCOMPARE(lines.value(0), "     " + line);
        QCOMPARE(lines.value(1), "     Z INT NOT NULL ");
    }
}

void TestTableScript::keyColumn_data() {
    QTest::addColumn<int>("writer");
    QTest::addColumn<FieldTable>("fields");
    QTest::addColumn<QString>("key"); // empty: the statement is closed without a constraint
    const int A = int(Writer::Access);
    const int T = int(Writer::TSql);
    const FieldTable twoCounters(
        {field("First", 4, "4", "False", 49), field("Second", 4, "4", "False", 49), field("Name", 10, "5")});
    QTest::addRow("access later of two") << A << twoCounters << "Second";
    QTest::addRow("tsql later of two") << T << twoCounters << "Second";
    const FieldTable attributes17({field("Id", 4, "4", "False", 17), field("Name", 10, "5")});
    QTest::addRow("access attributes 17") << A << attributes17 << "";
    QTest::addRow("tsql attributes 17") << T << attributes17 << "";
    const FieldTable smallCounter({field("Id", 3, "2", "False", 49)});
    QTest::addRow("access integer with 49 is no counter") << A << smallCounter << "";
    QTest::addRow("tsql integer with 49 is identity") << T << smallCounter << "Id";
    QTest::addRow("tsql cleaned key")
        << T << FieldTable({field("Order Id", 4, "4", "False", 49)}) << "Order_Id";
}

void TestTableScript::keyColumn() {
    QFETCH(int, writer);
    QFETCH(FieldTable, fields);
    QFETCH(QString, key);
    Run run;
    write(run, Writer(writer), fields);
    if (key.isEmpty()) {
        QVERIFY(!run.body().contains("CONSTRAINT"));
        QVERIFY(run.body().endsWith("\r\n)\r\n"));
    } else {
        QVERIFY2(run.body().contains("\r\n          " + key + "\r\n     )\r\n)\r\n"), qPrintable(run.body()));
    }
}

void TestTableScript::indexStatement_data() {
    QTest::addColumn<IndexList>("indexes");
    QTest::addColumn<QString>("columns"); // empty: no statement
    QTest::addColumn<int>("count");
    QTest::addRow("no index") << IndexList(NoIndexes{}) << "" << 0;
    QTest::addRow("one index") << IndexList(names({"Customer"})) << "" << 0;
    QTest::addRow("one primary key") << IndexList(names({"PrimaryKey"})) << "" << 0;
    QTest::addRow("read failure") << unreadableIndexes() << "" << 0;
    QTest::addRow("key and one") << IndexList(names({"PrimaryKey", "CustomerID"})) << "CustomerID" << 1;
    QTest::addRow("other case counts") << IndexList(names({"primarykey", "B"})) << "primarykey, B" << 2;
    QTest::addRow("names written unchanged")
        << IndexList(names({"Unit Price", "Café"})) << "Unit Price, Café" << 2;
}

void TestTableScript::indexStatement() {
    QFETCH(IndexList, indexes);
    QFETCH(QString, columns);
    QFETCH(int, count);
    for (Writer writer : {Writer::Access, Writer::TSql}) {
        Run run;
        run.reader.indexes["T"] = indexes;
        write(run, writer, FieldTable({field("A", 4)}));
        QCOMPARE(run.result, count);
        QCOMPARE(run.reader.indexCalls, 1);
        const QString create = writer == Writer::Access ? "CREATE INDEX" : "CREATE  INDEX";
        QCOMPARE(run.window.appends[2],
                 columns.isEmpty() ? QString() : "\r\n" + create + " IDX_T ON T (" + columns + ")\r\n");
    }
    Run off;
    off.window.options.CreateIndexes = false;
    off.reader.indexes["T"] = indexes;
    write(off, Writer::TSql, FieldTable({field("A", 4)}));
    QCOMPARE(off.result, 0);
    QCOMPARE(off.reader.indexCalls, 0);
    QCOMPARE(off.window.appends[2], QString());
}

void TestTableScript::grantStatement_data() {
    QTest::addColumn<int>("boxes"); // bits: select, insert, delete, update
    QTest::addColumn<QString>("users");
    QTest::addColumn<QString>("line");
    QTest::addRow("none") << 0 << "public"
                          << "GRANT  REFERENCES  ON T  TO public";
    QTest::addRow("select") << 1 << "public"
                            << "GRANT  REFERENCES ,  SELECT  ON T  TO public";
    QTest::addRow("insert, update") << 0b1010 << "a, b"
                                    << "GRANT  REFERENCES ,  INSERT ,  UPDATE  ON T  TO a, b";
    QTest::addRow("all") << 0b1111 << "u"
                         << "GRANT  REFERENCES ,  SELECT ,  INSERT ,  DELETE ,  UPDATE  ON T  TO u";
    QTest::addRow("delete, untrimmed users") << 0b0100 << " x "
                                             << "GRANT  REFERENCES ,  DELETE  ON T  TO  x ";
    QTest::addRow("empty users") << 1 << ""
                                 << "GRANT  REFERENCES ,  SELECT  ON T  TO ";
}

void TestTableScript::grantStatement() {
    QFETCH(int, boxes);
    QFETCH(QString, users);
    QFETCH(QString, line);
    Run run;
    ConversionOptions& o = run.window.options;
    o.CreatePermissions = true;
    o.GrantSelect = boxes & 1;
    o.GrantInsert = boxes & 2;
    o.GrantDelete = boxes & 4;
    o.GrantUpdate = boxes & 8;
    o.UserNames = users;
    write(run, Writer::TSql, FieldTable({field("A", 4)}));
    QCOMPARE(run.window.appends[3], "\r\n" + line + "\r\n\r\n\r\n");
    o.CreateGo = true;
    Run withGo;
    withGo.window.options = o;
    write(withGo, Writer::TSql, FieldTable({field("A", 4)}));
    QCOMPARE(withGo.window.appends[3], "\r\n" + line + "\r\n\r\nGO\r\n\r\n\r\n");
}

void TestTableScript::tableWithoutColumnLinesIsClosed() {
    for (Writer writer : {Writer::Access, Writer::TSql}) {
        Run run;
        write(run, writer, FieldTable({field("X", 99)}));
        QCOMPARE(run.window.appends[0], "CREATE TABLE T (\r\n");
        QCOMPARE(run.body(), ")\r\n");
        Run empty;
        empty.window.options.CreateGo = true;
        write(empty, writer, FieldTable());
        QCOMPARE(empty.body(), ")\r\n\r\nGO\r\n");
    }
}

void TestTableScript::unreadableFieldsShowInTheScript() {
    for (Writer writer : {Writer::Access, Writer::TSql}) {
        Run run;
        write(run, writer, FieldTable::unreadable());
        QCOMPARE(run.body(), "     -- fields could not be read\r\n)\r\n");
    }
}

void TestTableScript::tsqlCleansFieldNamesButNotTableOrIndexNames() {
    Run run;
    run.window.options.StripSpaces = true;
    run.reader.indexes["My Table"] = names({"Unit Price", "PrimaryKey", "B"});
    FieldTable fields({field("Unit Price ($)", 4, "4", "False", 49), field("Café", 10, "5")});
    const ScriptTarget target{run.window.options, run.reader, run.window};
    BuildTSqlScript(fields, "My Table", target);
    QCOMPARE(fields.row(1).name, "UnitPrice");
    QCOMPARE(fields.row(2).name, "Caf");
    QVERIFY(run.window.script.contains("CREATE TABLE My Table (\r\n     UnitPrice INT IDENTITY"));
    QVERIFY(run.window.script.contains("CONSTRAINT PK_My Table PRIMARY KEY  CLUSTERED"));
    QVERIFY(run.window.script.contains("CREATE  INDEX IDX_My Table ON My Table (Unit Price, B)"));
    QVERIFY(run.window.captions.contains("Building SQL Script for table My Table  Field Unit Price ($)"));
}

void TestTableScript::accessIgnoresPermissionsAndCleaning() {
    Run run;
    ConversionOptions& o = run.window.options;
    o.CreatePermissions = true;
    o.UserNames = "public";
    o.StripSpaces = true;
    FieldTable fields({field("Unit Price ($)", 5)});
    const ScriptTarget target{o, run.reader, run.window};
    BuildAccessSqlScript(fields, "T", target);
    QCOMPARE(fields.row(1).name, "Unit Price ($)");
    QCOMPARE(run.window.appends[1], "     Unit Price ($) MONEY NOT NULL \r\n)\r\n");
    QCOMPARE(run.window.appends[3], "\r\n\r\n");
}

void TestTableScript::progressCaptions() {
    Run access;
    write(access, Writer::Access, FieldTable({field("A", 4), field("B", 99)}), "Tab");
    QCOMPARE(access.window.captions, QStringList({"Building Access SQL Script for table Tab",
                                                  "Building SQL Script for table Tab  Field A",
                                                  "Building SQL Script for table Tab  Field B"}));
    Run tsql;
    write(tsql, Writer::TSql, FieldTable({field("A", 4)}), "Tab");
    QCOMPARE(tsql.window.captions, QStringList({"Building SQL Script for table Tab",
                                                "Building SQL Script for table Tab  Field A"}));
}

QTEST_GUILESS_MAIN(TestTableScript)
#include "TestTableScript.moc"
