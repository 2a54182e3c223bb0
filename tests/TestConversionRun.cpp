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
    RunOutcome run() { return cmdGenSQL_Click(window, reader); }
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
    void outcomes_data();
    void outcomes();
    void unreadTablesAreNamedAfterTheRun();
    void longListsAreCut();
    void readerProgramMissing();
    void stopEndsTheRunBeforeTheNextTable();
    void stopEndsACompleteScriptBeforeTheNextTable();
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
    s.window.options.IncludeSystemTables = chkMS != 0; // the box's test: anything but unchecked
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

void TestConversionRun::outcomes_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<int>("ending");
    QTest::addColumn<int>("failureNumber");
    QTest::addRow("blank path") << " " << true << int(RunOutcome::Ending::NoPath) << 0;
    QTest::addRow("missing file") << "/x.mdb" << false << int(RunOutcome::Ending::DatabaseUnreadable) << 3024;
    QTest::addRow("every table read") << "/x.mdb" << true << int(RunOutcome::Ending::Done) << 0;
}

void TestConversionRun::outcomes() {
    QFETCH(QString, path);
    QFETCH(bool, readable);
    QFETCH(int, ending);
    QFETCH(int, failureNumber);
    Setup s;
    s.window.options.DatabasePath = path;
    if (readable) {
        s.reader.tables = names({"A"});
        s.reader.fields["A"] = FieldTable({field("x", 4)});
    } else {
        s.reader.tables = ReadFailure{3024, "Could not find file '/x.mdb'."};
    }
    const RunOutcome outcome = s.run();
    QCOMPARE(int(outcome.ending), ending);
    QCOMPARE(outcome.failureNumber, failureNumber);
    QCOMPARE(outcome.unreadableTables, QStringList());
    // The messages of these ends are those of before: none after a full read.
    QCOMPARE(s.window.messages.size(), path.trimmed().isEmpty() ? 1 : readable ? 0 : 2);
}

// Tables whose fields or index list could not be read are named in one message after the run, in script
// order; a linked table whose file is not there is named as such; the script is whole all the same.
void TestConversionRun::unreadTablesAreNamedAfterTheRun() {
    Setup s;
    s.window.options.CreateIndexes = true;
    s.reader.tables = names({"Good", "NoFields", "Linked", "NoIndexes", "MSysHidden"});
    s.reader.fields["Good"] = FieldTable({field("x", 4)});
    s.reader.fields["Linked"] = FieldTable::notRead();
    s.reader.fields["NoIndexes"] = FieldTable({field("y", 4)});
    s.reader.indexes["NoIndexes"] = unreadableIndexes();
    const RunOutcome outcome = s.run();
    QCOMPARE(int(outcome.ending), int(RunOutcome::Ending::PartlyRead));
    QCOMPARE(outcome.unreadableTables, QStringList({"NoFields", "NoIndexes"}));
    QCOMPARE(outcome.notReadTables, QStringList({"Linked"}));
    QVERIFY(s.window.script.startsWith(header("/DATA/ORDERS.MDB", 4, 4, 0)));
    QCOMPARE(s.window.captions.last(), "Done...");
    QCOMPARE(
        s.window.messages,
        QStringList(
            {"The script is incomplete: 2 of the tables could not be read, the file may be "
             "damaged: NoFields, NoIndexes.\nLinked tables not read because the table they link to could "
             "not be reached: Linked."}));
    QCOMPARE(unreadTablesMessage(outcome), s.window.messages.first());

    // Left unread on purpose alone is no damage: the run is done, and says which tables it left.
    Setup linkedOnly;
    linkedOnly.reader.tables = names({"Linked"});
    linkedOnly.reader.fields["Linked"] = FieldTable::notRead();
    const RunOutcome linked = linkedOnly.run();
    QCOMPARE(int(linked.ending), int(RunOutcome::Ending::Done));
    QCOMPARE(
        linkedOnly.window.messages,
        QStringList({"Linked tables not read because the table they link to could not be reached: Linked."}));
}

void TestConversionRun::longListsAreCut() {
    Setup s;
    QStringList tables;
    for (int i = 1; i <= 13; ++i)
        tables << QStringLiteral("T%1").arg(i);
    s.reader.tables = names(tables);
    const RunOutcome outcome = s.run();
    QCOMPARE(outcome.unreadableTables, tables);
    QCOMPARE(s.window.messages,
             QStringList({"The script is incomplete: 13 of the tables could not be read, the file may be "
                          "damaged: T1, T2, T3, T4, T5, T6, T7, T8, T9, T10 and 3 more."}));
}

// Without its reader program nothing is known of the file, so the file is not called the wrong format.
void TestConversionRun::readerProgramMissing() {
    Setup s;
    s.reader.tables =
        ReadFailure{ReaderUnavailableNumber, "The schema reader program '/x' could not be started: gone."};
    const RunOutcome outcome = s.run();
    QCOMPARE(int(outcome.ending), int(RunOutcome::Ending::ReaderUnavailable));
    QCOMPARE(s.window.messages,
             QStringList{"429  The schema reader program '/x' could not be started: gone."});
    QCOMPARE(s.window.script, QString());
}

// A window that is closing stops the run before its next table: no further table, no header, no "Done...".
void TestConversionRun::stopEndsTheRunBeforeTheNextTable() {
    Setup s;
    s.reader.tables = names({"A", "MSysObjects", "B", "C"});
    s.window.stopAfterTables = 2;
    const RunOutcome outcome = s.run();
    QCOMPARE(int(outcome.ending), int(RunOutcome::Ending::Stopped));
    QCOMPARE(s.reader.fieldRequests, QStringList{"A"});
    QVERIFY(s.window.script.startsWith("CREATE TABLE A ("));
    QVERIFY(!s.window.script.contains("RESULTS"));
    QVERIFY(!s.window.captions.contains("Done..."));
    QCOMPARE(s.window.stopQuestions, 3);
}

void TestConversionRun::stopEndsACompleteScriptBeforeTheNextTable() {
    Setup s;
    s.window.options.ScriptType = "PostgreSQL";
    s.reader.tables = names({"A", "B", "C"});
    for (const char* table : {"A", "B", "C"})
        s.reader.fields[table] = FieldTable({field("x", 4)});
    s.window.stopAfterTables = 1;
    const RunOutcome outcome = s.run();
    QCOMPARE(int(outcome.ending), int(RunOutcome::Ending::Stopped));
    QStringList tableCaptions;
    for (const QString& caption : s.window.captions) {
        if (caption.contains(" Script for table "))
            tableCaptions << caption;
    }
    QCOMPARE(tableCaptions, QStringList{"Building PostgreSQL Script for table A"});
    QVERIFY(!s.window.captions.contains("Done..."));
    QVERIFY(s.window.messages.isEmpty());
}

QTEST_GUILESS_MAIN(TestConversionRun)
#include "TestConversionRun.moc"
