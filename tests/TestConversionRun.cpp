#include "ConversionRun.h"
#include "FakeSchemaReader.h"
#include "RecordingWindow.h"
#include <QTest>

namespace {

QString header(const QString& path, int tables, int fields, int indexes) {
    return crlfLines({"RESULTS: ", "-----------------------------------", "Database ~ " + path,
                      "Tables   ~ " + QString::number(tables), "Fields   ~ " + QString::number(fields),
                      "Indexes  ~ " + QString::number(indexes), "", "SQL SCRIPT(S) ",
                      "-----------------------------------", ""});
}

struct Setup {
    RecordingWindow window;
    FakeSchemaReader reader;
    Setup() {
        window.options.DatabasePath = "/data/Orders.mdb";
        window.options.UserNames = "public";
    }
    void run() { cmdGenSQL_Click(window, reader); }
};

} // namespace

class TestConversionRun : public QObject {
    Q_OBJECT
private slots:
    void headerCountsTablesFieldsAndIndexes();
    void blankPath_data();
    void blankPath();
    void unreadableDatabase();
    void systemTableFilter_data();
    void systemTableFilter();
    void dispatchOnExactScriptType_data();
    void dispatchOnExactScriptType();
    void unreadableTableCountsOneField();
    void emptyDatabaseGivesHeaderAlone();
    void previousOutputIsCleared();
    void stopEndsTheRunBeforeTheNextTable();
};

void TestConversionRun::headerCountsTablesFieldsAndIndexes() {
    Setup s;
    s.window.options.DatabasePath = " /data/café.mdb ";
    s.reader.tables = names({"A", "B"});
    s.reader.fields["A"] = FieldTable({field("x", 4), field("y", 4), field("z", 4)});
    s.reader.fields["B"] =
        FieldTable({field("a", 4), field("b", 4), field("c", 4), field("d", 4), field("e", 4)});
    s.reader.indexes["A"] = names({"PrimaryKey", "x"});
    s.reader.indexes["B"] = names({"b"});
    s.run();
    QVERIFY(s.window.script.startsWith(header(" /DATA/CAFÉ.MDB ", 2, 8, 1) + "CREATE TABLE A (\r\n"));
    QCOMPARE(s.window.captions.last(), "Done...");
    QCOMPARE(s.window.captions.first(), "Getting Tables");
    QCOMPARE(s.window.messages, QStringList());
}

void TestConversionRun::blankPath_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("users");
    QTest::addColumn<int>("unchecks");
    QTest::addRow("empty path, users") << ""
                                       << "public" << 0;
    QTest::addRow("spaces path, spaces users") << "   "
                                               << "  " << 1;
    QTest::addRow("empty path, empty users") << ""
                                             << "" << 1;
}

void TestConversionRun::blankPath() {
    QFETCH(QString, path);
    QFETCH(QString, users);
    QFETCH(int, unchecks);
    Setup s;
    s.window.script = "old text";
    s.window.captions << "old caption";
    s.window.options.DatabasePath = path;
    s.window.options.UserNames = users;
    s.window.options.CreatePermissions = true;
    s.run();
    QCOMPARE(s.window.messages, QStringList{"You must select a DB first. Exiting..."});
    QCOMPARE(s.window.script, QString());
    QCOMPARE(s.window.captions, QStringList{"old caption"});
    QCOMPARE(s.window.uncheckCalls, unchecks);
    QCOMPARE(s.reader.fieldRequests, QStringList());
}

void TestConversionRun::unreadableDatabase() {
    Setup s;
    s.reader.tables = ReadFailure{3343, "Unrecognized database format '/data/Orders.mdb'."};
    s.run();
    QCOMPARE(s.window.messages, QStringList({"3343  Unrecognized database format '/data/Orders.mdb'.",
                                             "This DB doesn't appear to be the correct format. Exiting..."}));
    QCOMPARE(s.window.script, QString());
    QCOMPARE(s.window.captions, QStringList{"Getting Tables"});
}

void TestConversionRun::systemTableFilter_data() {
    QTest::addColumn<int>("chkMS");
    QTest::addColumn<QStringList>("processed");
    const QStringList all{"MSysObjects", "msysLower", "MSYSUpper", "MSy", "MSys", "", "Orders"};
    QTest::addRow("unchecked") << 0 << QStringList{"msysLower", "MSYSUpper", "MSy", "Orders"};
    QTest::addRow("checked") << 1 << all;
    QTest::addRow("grayed") << 2 << all;
}

void TestConversionRun::systemTableFilter() {
    QFETCH(int, chkMS);
    QFETCH(QStringList, processed);
    Setup s;
    s.reader.tables = names({"MSysObjects", "msysLower", "MSYSUpper", "MSy", "MSys", "", "Orders"});
    s.window.options.IncludeSystemTables = isNotOff(CheckState(chkMS));
    s.run();
    QCOMPARE(s.reader.fieldRequests, processed);
    QVERIFY(s.window.script.contains("Tables   ~ " + QString::number(processed.size()) + "\r\n"));
}

void TestConversionRun::dispatchOnExactScriptType_data() {
    QTest::addColumn<QString>("scriptType");
    QTest::addColumn<bool>("access");
    QTest::addRow("Access SQL") << "Access SQL" << true;
    QTest::addRow("T-SQL") << "T-SQL" << false;
    QTest::addRow("other case") << "access sql" << false;
    QTest::addRow("trailing space") << "Access SQL " << false;
    QTest::addRow("empty") << "" << false;
}

void TestConversionRun::dispatchOnExactScriptType() {
    QFETCH(QString, scriptType);
    QFETCH(bool, access);
    Setup s;
    s.window.options.ScriptType = scriptType;
    s.reader.tables = names({"T"});
    s.reader.fields["T"] = FieldTable({field("A", 4)});
    s.run();
    QCOMPARE(s.window.captions.contains("Building Access SQL Script for table T"), access);
}

void TestConversionRun::unreadableTableCountsOneField() {
    Setup s;
    s.reader.tables = names({"Broken"});
    s.run();
    QVERIFY(s.window.script.startsWith(header("/DATA/ORDERS.MDB", 1, 1, 0)));
}

void TestConversionRun::emptyDatabaseGivesHeaderAlone() {
    Setup s;
    s.reader.tables = names({"MSysObjects", "MSysACEs"});
    s.run();
    QCOMPARE(s.window.script, header("/DATA/ORDERS.MDB", 0, 0, 0));
    Setup none;
    none.reader.tables = names({});
    none.run();
    QCOMPARE(none.window.script, header("/DATA/ORDERS.MDB", 0, 0, 0));
    QCOMPARE(none.window.captions.last(), "Done...");
}

void TestConversionRun::previousOutputIsCleared() {
    Setup s;
    s.window.script = "previous run";
    s.reader.tables = names({});
    s.run();
    QVERIFY(!s.window.script.contains("previous run"));
}

// A window that is closing stops the run before its next table: no further table, no header, no "Done...".
void TestConversionRun::stopEndsTheRunBeforeTheNextTable() {
    Setup s;
    s.reader.tables = names({"A", "MSysObjects", "B", "C"});
    s.window.stopAfterTables = 2;
    s.run();
    QCOMPARE(s.reader.fieldRequests, QStringList{"A"});
    QVERIFY(s.window.script.startsWith("CREATE TABLE A ("));
    QVERIFY(!s.window.script.contains("RESULTS"));
    QVERIFY(!s.window.captions.contains("Done..."));
    QCOMPARE(s.window.stopQuestions, 3);
}

QTEST_GUILESS_MAIN(TestConversionRun)
#include "TestConversionRun.moc"
