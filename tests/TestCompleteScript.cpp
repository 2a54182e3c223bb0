// The complete scripts as text: the run's dispatch and header, the type table, and the cases of the
// hand-built schema (keys, indexes, names, foreign keys, comments) in each dialect.

#include "CompleteScript.h"
#include "CompleteScriptSamples.h"
#include "ConversionRun.h"
#include "FakeSchemaReader.h"
#include "RecordingWindow.h"
#include "TargetTypes.h"

#include <QtTest>

namespace {

class SchemaOnlyReader : public FakeSchemaReader {
public:
    DatabaseSchema schema;
    int schemaCalls = 0;
    std::variant<ReadFailure, DatabaseSchema> GetDatabaseSchema(const QString&) override {
        ++schemaCalls;
        return schema;
    }
};

QString script(const TargetDialect& dialect, const ConversionOptions& options,
               const DatabaseSchema& schema = samples::richSchema()) {
    const CompleteScript complete(dialect, schema, options);
    QString text;
    for (int i = 0; i < complete.tableCount(); ++i)
        text += complete.tableScript(i).text;
    return text + complete.relationshipScript();
}

ConversionOptions defaults() {
    ConversionOptions options;
    options.DatabasePath = "db.mdb";
    return options;
}

} // namespace

class TestCompleteScript : public QObject {
    Q_OBJECT
private slots:
    void dispatchOnExactText_data();
    void dispatchOnExactText();
    void headerIsCommentedWithTheSameCounts();
    void unreadableDatabaseShowsBothMessages_data();
    void unreadableDatabaseShowsBothMessages();
    void typeTable_data();
    void typeTable();
    void pieces_data();
    void pieces();
    void optionsOffLeaveKeysOut();
    void sqlServerGoFollowsEachStatement();
    void indexNamesUniqueAcrossDatabaseWhereNeeded();
    void longNamesAreCutToTheLimit();
    void columnNamesTheSameWithoutCase_data();
    void columnNamesTheSameWithoutCase();
    void validationRules_data();
    void validationRules();
    void defaultValues_data();
    void defaultValues();
    void textCase_data();
    void textCase();
};

void TestCompleteScript::dispatchOnExactText_data() {
    QTest::addColumn<QString>("scriptType");
    QTest::addColumn<bool>("complete");
    for (const char* t : {"SQL Server", "PostgreSQL", "MySQL", "SQLite"})
        QTest::addRow("%s", t) << QString(t) << true;
    for (const char* t : {"postgresql", "MySQL ", "sqlite", "SQLServer", "T-SQL", ""})
        QTest::addRow("'%s'", t) << QString(t) << false;
}

void TestCompleteScript::dispatchOnExactText() {
    QFETCH(QString, scriptType);
    QFETCH(bool, complete);
    QCOMPARE(completeScriptDialect(scriptType) != nullptr, complete);
    SchemaOnlyReader reader;
    reader.tables = names({"T"});
    reader.fields["T"] = FieldTable({field("A", 4)});
    reader.schema.tables << samples::table("T", {samples::column("A", JetType::Long, 4)});
    RecordingWindow window;
    window.options.DatabasePath = "db.mdb";
    window.options.ScriptType = scriptType;
    cmdGenSQL_Click(window, reader);
    QCOMPARE(reader.schemaCalls, complete ? 1 : 0);
    QCOMPARE(window.script.startsWith("-- RESULTS: "), complete);
}

void TestCompleteScript::headerIsCommentedWithTheSameCounts() {
    SchemaOnlyReader reader;
    reader.schema = samples::richSchema();
    RecordingWindow window;
    window.options.DatabasePath = "c:\\data\\db.mdb";
    window.options.ScriptType = "PostgreSQL";
    const RunOutcome outcome = cmdGenSQL_Click(window, reader);
    QCOMPARE(outcome.ending, RunOutcome::Ending::PartlyRead);
    QCOMPARE(outcome.unreadableTables, QStringList{"Damaged"});
    QCOMPARE(outcome.notReadTables, QStringList{"Remote Prices"});
    QCOMPARE(window.messages, QStringList{unreadTablesMessage(outcome)});
    // Ten tables, 20 + 6 + 5 + 1 + 1 + 81 + 1 + 2 + 4 + 2 columns (a table that was not read counts one, as
    // in the classic scripts); Name and Orders in Customers, Name and Customers Orders in Orders, Wide in
    // Wide Text, one in each table with a smile.
    const QString header =
        "-- RESULTS: \r\n-- -----------------------------------\r\n"
        "-- Database ~ C:\\DATA\\DB.MDB\r\n-- Tables   ~ 10\r\n-- Fields   ~ 123\r\n"
        "-- Indexes  ~ 8\r\n-- \r\n-- SQL SCRIPT(S) \r\n-- -----------------------------------\r\n-- \r\n";
    QCOMPARE(window.script.left(header.size()), header);
    QCOMPARE(window.captions.last(), QString("Done..."));
    QVERIFY(window.captions.contains("Building PostgreSQL Script for table Order Lines"));
    // The script grew table by table.
    QVERIFY(window.scriptRepaints >= 8);
}

void TestCompleteScript::unreadableDatabaseShowsBothMessages_data() {
    QTest::addColumn<int>("tablesBefore");
    QTest::addRow("no table read") << 0;
    // The reader hands on a table, then finds the file gone: what was planned is dropped.
    QTest::addRow("after a table") << 1;
}

void TestCompleteScript::unreadableDatabaseShowsBothMessages() {
    QFETCH(int, tablesBefore);
    class Failing : public FakeSchemaReader {
    public:
        int tablesBefore = 0;
        std::variant<ReadFailure, DatabaseSchema> GetDatabaseSchema(const QString&) override {
            return ReadFailure{3024, "Could not find file 'x.mdb'."};
        }
        std::variant<ReadFailure, QList<Relationship>>
        ReadDatabaseSchema(const QString& path,
                           const std::function<void(TableDefinition&&)>& table) override {
            for (int i = 0; i < tablesBefore; ++i)
                table(TableDefinition(samples::richSchema().tables.at(i)));
            return FakeSchemaReader::ReadDatabaseSchema(path, table);
        }
    } reader;
    reader.tablesBefore = tablesBefore;
    RecordingWindow window;
    window.options.DatabasePath = "x.mdb";
    window.options.ScriptType = "SQLite";
    QCOMPARE(cmdGenSQL_Click(window, reader).ending, RunOutcome::Ending::DatabaseUnreadable);
    QCOMPARE(window.messages, QStringList({"3024  Could not find file 'x.mdb'.",
                                           "This DB doesn't appear to be the correct format. Exiting..."}));
    QCOMPARE(window.script, QString());
}

void TestCompleteScript::typeTable_data() {
    QTest::addColumn<int>("jetType");
    QTest::addColumn<int>("size");
    QTest::addColumn<QStringList>("types"); // SQL Server, PostgreSQL, MySQL, SQLite
    using T = JetType;
    QTest::addRow("Yes/No") << int(T::Boolean) << 1 << QStringList{"BIT", "boolean", "BOOLEAN", "BOOLEAN"};
    QTest::addRow("Byte") << int(T::Byte) << 1
                          << QStringList{"TINYINT", "smallint", "TINYINT UNSIGNED", "TINYINT"};
    QTest::addRow("Integer") << int(T::Integer) << 2
                             << QStringList{"SMALLINT", "smallint", "SMALLINT", "SMALLINT"};
    QTest::addRow("Long") << int(T::Long) << 4 << QStringList{"INT", "integer", "INT", "INTEGER"};
    QTest::addRow("Large Number") << int(T::BigInt) << 8
                                  << QStringList{"BIGINT", "bigint", "BIGINT", "BIGINT"};
    QTest::addRow("Currency") << int(T::Currency) << 8
                              << QStringList{"DECIMAL(19,4)", "numeric(19,4)", "DECIMAL(19,4)",
                                             "NUMERIC(19,4)"};
    QTest::addRow("Decimal") << int(T::Decimal) << 17
                             << QStringList{"DECIMAL(18,0)", "numeric(18,0)", "DECIMAL(18,0)",
                                            "NUMERIC(18,0)"};
    QTest::addRow("Single") << int(T::Single) << 4 << QStringList{"REAL", "real", "FLOAT", "REAL"};
    QTest::addRow("Double") << int(T::Double) << 8
                            << QStringList{"FLOAT", "double precision", "DOUBLE", "DOUBLE"};
    QTest::addRow("Date/Time") << int(T::DateTime) << 8
                               << QStringList{"DATETIME2", "timestamp", "DATETIME", "DATETIME"};
    QTest::addRow("Date/Time Extended")
        << int(T::DateTimeExtended) << 42 << QStringList{"DATETIME2", "timestamp", "DATETIME(6)", "DATETIME"};
    QTest::addRow("Text(50)") << int(T::Text) << 50
                              << QStringList{"NVARCHAR(50)", "varchar(50)", "VARCHAR(50)", "VARCHAR(50)"};
    QTest::addRow("Memo") << int(T::Memo) << 0 << QStringList{"NVARCHAR(MAX)", "text", "LONGTEXT", "TEXT"};
    QTest::addRow("Binary(16)") << int(T::Binary) << 16
                                << QStringList{"VARBINARY(16)", "bytea", "VARBINARY(16)", "BLOB"};
    QTest::addRow("OLE Object") << int(T::OleObject) << 0
                                << QStringList{"VARBINARY(MAX)", "bytea", "LONGBLOB", "BLOB"};
    QTest::addRow("GUID") << int(T::Guid) << 16
                          << QStringList{"UNIQUEIDENTIFIER", "uuid", "CHAR(38)", "CHAR(38)"};
    QTest::addRow("attachment") << int(T::Complex) << 4 << QStringList{"", "", "", ""};
}

void TestCompleteScript::typeTable() {
    QFETCH(int, jetType);
    QFETCH(int, size);
    QFETCH(QStringList, types);
    const ColumnDefinition c = samples::column("C", JetType(jetType), size);
    const TargetDialect* dialects[] = {&sqlServerDialect(), &postgreSqlDialect(), &mySqlDialect(),
                                       &sqliteDialect()};
    for (int i = 0; i < 4; ++i)
        QCOMPARE(targetType(*dialects[i], jetType, c).value_or(TargetType{}).text, types[i]);
}

void TestCompleteScript::pieces_data() {
    QTest::addColumn<QString>("scriptType");
    QTest::addColumn<QStringList>("pieces");
    QTest::addRow("PostgreSQL")
        << "PostgreSQL"
        << QStringList{
               "CREATE TABLE \"Customers\" (\r\n    \"Customer ID\" integer NOT NULL "
               "GENERATED BY DEFAULT AS IDENTITY,\r\n",
               "    \"City\" varchar(40) DEFAULT 'Köln',\r\n",
               "    \"Active\" boolean NOT NULL DEFAULT true,\r\n",
               "    \"Visits\" smallint DEFAULT 0,\r\n",
               "    \"Since\" timestamp DEFAULT (LOCALTIMESTAMP(0)),\r\n",
               "    \"Credit \"\"Limit\"\"\" numeric(12,2),\r\n",
               "    \"Row`Guid]\" uuid NOT NULL DEFAULT gen_random_uuid(),\r\n",
               "    \"Notes\" text DEFAULT 'it''s \\ fine',\r\n",
               "-- Column Full Label is calculated in Access: [Name] & \" (\" & [City] & \")\"\r\n",
               "    \"Full Label\" varchar(255),\r\n",
               "-- Column Files is an attachment column; its data lives in hidden tables: not written, as "
               "the table that holds them could not be read\r\n",
               "-- Column Tags is a multi-valued column: its values are in the table Customers_Tags\r\n",
               "CREATE TABLE \"Customers_Tags\" (\r\n    \"Customer ID\" integer NOT NULL,\r\n    \"value\" "
               "varchar(100)\r\n);\r\n",
               "ALTER TABLE \"Customers_Tags\" ADD CONSTRAINT \"Customers_Tags_fk\" FOREIGN KEY (\"Customer "
               "ID\") REFERENCES \"Customers\" (\"Customer ID\") ON DELETE CASCADE;\r\n",
               "    PRIMARY KEY (\"Customer ID\")\r\n);\r\n",
               "CREATE INDEX \"Name\" ON \"Customers\" (\"Name\", \"City\" DESC);\r\n",
               "CREATE UNIQUE INDEX \"Orders_2\" ON \"Customers\" (\"Big\");\r\n",
               "COMMENT ON COLUMN \"Customers\".\"Name\" IS 'The customer''s name; as on the "
               "invoice\r\nsecond line';\r\n",
               "CREATE INDEX \"Name_2\" ON \"Orders\" (\"Name\");\r\n",
               "    PRIMARY KEY (\"Region\", \"Number\", \"Line\")\r\n",
               "-- Table Remote Prices is a linked table: Prices in Z:\\prices\\prices.accdb, whose "
               "file is not here: not written\r\n",
               "-- Table Damaged: its columns could not be read: not written\r\n",
               "-- Table Only Attachments has no column this script can hold: not written\r\n",
               "ALTER TABLE \"Order Lines\" ADD CONSTRAINT \"OrdersOrder Lines\" FOREIGN KEY "
               "(\"Region\", \"Number\") REFERENCES \"Orders\" (\"Region\", \"Number\") ON UPDATE "
               "CASCADE ON DELETE CASCADE;\r\n",
               "ALTER TABLE \"Orders\" ADD CONSTRAINT \"Customers Orders\" FOREIGN KEY (\"Customer "
               "ID\") REFERENCES \"Customers\" (\"Customer ID\") ON DELETE SET NULL;\r\n",
               "ALTER TABLE \"Orders\" ADD CONSTRAINT \"OrdersOrders\" FOREIGN KEY (\"Parent Region\", "
               "\"Parent Number\") REFERENCES \"Orders\" (\"Region\", \"Number\") ON DELETE CASCADE;\r\n",
               "-- Relationship Loose: Order Lines (Product) references Customers (Name), not "
               "enforced by Access\r\n",
               "-- Relationship Not Unique: Orders (Name) references Customers (Name): not written, "
               "the script has no primary key or unique index on the referenced columns\r\n",
               "-- Relationship To Linked: Orders (Name) references Remote Prices (Name): not "
               "written, a table of it is not in the script\r\n"};
    QTest::addRow("MySQL")
        << "MySQL"
        << QStringList{
               "    `Customer ID` INT NOT NULL AUTO_INCREMENT,\r\n",
               "    `Notes` LONGTEXT DEFAULT ('it''s \\\\ fine'),\r\n",
               "    `Row``Guid]` CHAR(38) NOT NULL DEFAULT (UUID()),\r\n",
               ") ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;\r\n",
               "CREATE INDEX `Name` ON `Orders` (`Name`);\r\n",
               "-- Description of Name: The customer's name; as on the invoice second line\r\n",
               "-- The row would be too wide for InnoDB: Text 0, Text 1, ",
               "CREATE INDEX `Wide` ON `Wide Text` (`Text 0`(153), `Text 1`(153), `Text "
               "2`(153), `Text 3`(153), `Text 4`(153));\r\n",
               "-- Column Counter is an AutoNumber without an index; MySQL numbers only a key "
               "column: it gets a KEY of its own\r\n",
               "    `Counter` INT NOT NULL AUTO_INCREMENT,\r\n",
               "    KEY (`Counter`)\r\n",
               "CREATE TABLE `Moods U+1F600` (\r\n    `Face U+1F600` VARCHAR(8) NOT NULL COMMENT "
               "'Face 😀' CHECK (`Face U+1F600` <> ''),\r\n "
               "   `Mood ID` INT NOT NULL AUTO_INCREMENT,\r\n    `Future` LONGBLOB,\r\n"
               "    `Share` DECIMAL(65,30),\r\n    PRIMARY KEY (`Face U+1F600`),\r\n    UNIQUE KEY "
               "`Mood U+1F600 Key` (`Mood ID`)\r\n) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COMMENT='Moods "
               "😀';\r\n",
               "-- Column Future has the Access type code 21, which is not known here: written as binary\r\n",
               "ADD CONSTRAINT `Log U+1F600 Moods` FOREIGN KEY (`Mood`) REFERENCES `Moods U+1F600` "
               "(`Mood ID`);\r\n"};
    QTest::addRow("SQLite")
        << "SQLite"
        << QStringList{"    \"Customer ID\" INTEGER NOT NULL PRIMARY KEY AUTOINCREMENT,\r\n",
                       "    \"Active\" BOOLEAN NOT NULL DEFAULT 1,\r\n",
                       "-- Column Row`Guid] is a GUID AutoNumber; this server has no UUID generator\r\n",
                       "    CONSTRAINT \"OrdersOrder Lines\" FOREIGN KEY (\"Region\", \"Number\") "
                       "REFERENCES \"Orders\" (\"Region\", \"Number\") ON UPDATE CASCADE ON DELETE "
                       "CASCADE\r\n);\r\n",
                       "CREATE UNIQUE INDEX \"Orders_2\" ON \"Customers\" (\"Big\");\r\n",
                       "-- Column Counter is an AutoNumber; SQLite numbers only a one-column integer "
                       "primary key\r\n"};
    QTest::addRow("SQL Server")
        << "SQL Server"
        << QStringList{"    [Customer ID] INT NOT NULL IDENTITY(1,1),\r\n",
                       "    [Row`Guid]]] UNIQUEIDENTIFIER NOT NULL DEFAULT NEWID(),\r\n",
                       "    [Notes] NVARCHAR(MAX) DEFAULT 'it''s \\ fine',\r\n",
                       "CREATE INDEX [Name] ON [Orders] ([Name]);\r\n",
                       "    [Counter] INT NOT NULL IDENTITY(1,1),\r\n",
                       "-- Relationship OrdersOrders cascades in Access; SQL Server cannot cascade "
                       "within one table\r\nALTER TABLE [Orders] ADD CONSTRAINT [OrdersOrders] "
                       "FOREIGN KEY ([Parent Region], [Parent Number]) REFERENCES [Orders] "
                       "([Region], [Number]);\r\n"};
}

void TestCompleteScript::pieces() {
    QFETCH(QString, scriptType);
    QFETCH(QStringList, pieces);
    const QString text = script(*completeScriptDialect(scriptType), defaults());
    for (const QString& piece : pieces)
        QVERIFY2(text.contains(piece), qPrintable("missing: " + piece + "\n--- in:\n" + text));
    QVERIFY(!text.contains("GRANT"));
    QVERIFY(!text.contains("\r\nGO\r\n"));
}

void TestCompleteScript::optionsOffLeaveKeysOut() {
    ConversionOptions options = defaults();
    options.CreatePrimaryKey = options.CreateIndexes = false;
    const QString text = script(postgreSqlDialect(), options);
    QVERIFY(!text.contains("PRIMARY KEY"));
    QVERIFY(!text.contains("CREATE INDEX") && !text.contains("CREATE UNIQUE INDEX"));
    // Without their keys, no foreign key can load: every relationship is a comment.
    QVERIFY(!text.contains("ALTER TABLE"));
    QVERIFY(text.contains("-- Relationship OrdersOrder Lines: Order Lines (Number, Region) references Orders "
                          "(Number, Region): not written, the script has no primary key"));
}

void TestCompleteScript::sqlServerGoFollowsEachStatement() {
    ConversionOptions options = defaults();
    options.CreateGo = options.CreatePermissions = true;
    options.UserNames = "public, sales";
    options.GrantInsert = false;
    const QString text = script(sqlServerDialect(), options);
    QVERIFY(text.contains(");\r\nGO\r\nCREATE INDEX [Name] ON [Customers] ([Name], [City] DESC);\r\nGO\r\n"));
    QVERIFY(
        text.contains("GRANT REFERENCES, SELECT, DELETE, UPDATE ON [Orders] TO public, sales;\r\nGO\r\n"));
    QCOMPARE(text.count(";\r\n"), text.count(";\r\nGO\r\n"));
    // SQLite has no users and no GO.
    const QString sqlite = script(sqliteDialect(), options);
    QVERIFY(!sqlite.contains("GRANT") && !sqlite.contains("\r\nGO\r\n"));
}

void TestCompleteScript::indexNamesUniqueAcrossDatabaseWhereNeeded() {
    // "Name" is an index of Customers and of Orders, and "Orders" also names a table.
    QVERIFY(script(postgreSqlDialect(), defaults()).contains("CREATE INDEX \"Name_2\" ON \"Orders\""));
    QVERIFY(script(sqliteDialect(), defaults()).contains("CREATE INDEX \"Name_2\" ON \"Orders\""));
    QVERIFY(script(mySqlDialect(), defaults()).contains("CREATE UNIQUE INDEX `Orders` ON `Customers`"));
    QVERIFY(script(sqlServerDialect(), defaults()).contains("CREATE INDEX [Name] ON [Orders]"));
}

void TestCompleteScript::longNamesAreCutToTheLimit() {
    DatabaseSchema schema;
    const QString longName = QString(40, QChar(0x00e9)); // 80 bytes in UTF-8
    schema.tables << samples::table(
        "A", {samples::column("X", JetType::Long, 4)},
        {samples::index(longName + "1", {{"X"}}), samples::index(longName + "2", {{"X"}})});
    const QString text = script(postgreSqlDialect(), defaults(), schema);
    const QString cut = QString(31, QChar(0x00e9)); // 62 bytes: one more character would pass 63
    QVERIFY2(text.contains("CREATE INDEX \"" + cut + "\" ON"), qPrintable(text));
    QVERIFY(text.contains("CREATE INDEX \"" + QString(30, QChar(0x00e9)) + "_2\" ON"));
}

void TestCompleteScript::columnNamesTheSameWithoutCase_data() {
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("written");
    QTest::addRow("ASCII") << QStringList{"Name", "City", "NAME"} << QStringList{"Name", "City", "NAME_2"};
    QTest::addRow("accented") << QStringList{"Émile", "émile"} << QStringList{"Émile", "émile_2"};
    QTest::addRow("distinct") << QStringList{"Name", "Names", "Émile"}
                              << QStringList{"Name", "Names", "Émile"};
    QStringList many;
    for (int i = 0; i < 100; ++i)
        many << QStringLiteral("C%1").arg(i);
    QStringList manyWritten = many;
    many << "c7";
    manyWritten << "c7_2";
    QTest::addRow("a hundred") << many << manyWritten;
}

void TestCompleteScript::columnNamesTheSameWithoutCase() {
    QFETCH(QStringList, names);
    QFETCH(QStringList, written);
    QList<ColumnDefinition> columns;
    for (const QString& name : names)
        columns << samples::column(name, JetType::Long, 4);
    DatabaseSchema schema;
    schema.tables << samples::table("T", columns, {});
    const QString text = script(sqliteDialect(), defaults(), schema);
    for (const QString& name : written)
        QVERIFY2(text.contains("    \"" + name + "\" INTEGER"), qPrintable(text));
}

// The line of a column (C unless named) of the one table T.
QString columnLine(const TargetDialect& dialect, const QString& text, const QString& column = "C") {
    const QString start = "    " + quoteName(dialect, column) + " ";
    const qsizetype at = text.indexOf(start);
    return at < 0 ? QString() : text.mid(at, text.indexOf("\r\n", at) - at);
}

void TestCompleteScript::defaultValues_data() {
    QTest::addColumn<int>("jetType");
    QTest::addColumn<QString>("value");
    // Per server: what follows DEFAULT, or after "-- " why the default is a comment.
    QTest::addColumn<QString>("postgres");
    QTest::addColumn<QString>("mysql");
    QTest::addColumn<QString>("sqlite");
    QTest::addColumn<QString>("sqlServer");
    const int date = int(JetType::DateTime);
    const int text = int(JetType::Text);
    const int yesNo = int(JetType::Boolean);
    const int number = int(JetType::Long);
    const int real = int(JetType::Double);
    QTest::addRow("=Now()") << date << "=Now()"
                            << "(LOCALTIMESTAMP(0))"
                            << "CURRENT_TIMESTAMP"
                            << "(datetime('now', 'localtime'))"
                            << "(CAST(GETDATE() AS DATETIME2(0)))";
    QTest::addRow("Now() extended") << int(JetType::DateTimeExtended) << "Now()"
                                    << "(LOCALTIMESTAMP(0))"
                                    << "CURRENT_TIMESTAMP(6)"
                                    << "(datetime('now', 'localtime'))"
                                    << "(CAST(GETDATE() AS DATETIME2(0)))";
    QTest::addRow("Now bare") << date << "=now"
                              << "(LOCALTIMESTAMP(0))"
                              << "CURRENT_TIMESTAMP"
                              << "(datetime('now', 'localtime'))"
                              << "(CAST(GETDATE() AS DATETIME2(0)))";
    QTest::addRow("Date()") << date << "Date()"
                            << "(CAST(CURRENT_DATE AS TIMESTAMP))"
                            << "(CAST(CURDATE() AS DATETIME))"
                            << "(datetime('now', 'localtime', 'start of day'))"
                            << "(CAST(CAST(GETDATE() AS DATE) AS DATETIME2))";
    QTest::addRow("=Date()+30") << date << "=Date()+30"
                                << "(CAST(CURRENT_DATE AS TIMESTAMP) + 30 * INTERVAL '1 DAY')"
                                << "(DATE_ADD(CAST(CURDATE() AS DATETIME), INTERVAL 30 DAY))"
                                << "(datetime(datetime('now', 'localtime', 'start of day'), 30 || ' days'))"
                                << "(DATEADD(day, 30, CAST(CAST(GETDATE() AS DATE) AS DATETIME2)))";
    QTest::addRow("Time()") << date << "=Time()"
                            << "(TIMESTAMP '1899-12-30' + LOCALTIME(0))"
                            << "(TIMESTAMP('1899-12-30', CURTIME()))"
                            << "('1899-12-30 ' || time('now', 'localtime'))"
                            << "(DATEADD(DAY, -2, CAST(CAST(GETDATE() AS TIME(0)) AS DATETIME2(0))))";
    QTest::addRow("#date#") << date << "=#1/15/2024#"
                            << "(TIMESTAMP '2024-01-15 00:00:00')"
                            << "(TIMESTAMP '2024-01-15 00:00:00')"
                            << "('2024-01-15 00:00:00')"
                            << "(CAST('2024-01-15T00:00:00' AS DATETIME2))";
    QTest::addRow("GenGUID()") << int(JetType::Guid) << "GenGUID()"
                               << "gen_random_uuid()"
                               << "(UUID())"
                               << "-- SQLite has no UUID generator"
                               << "NEWID()";
    QTest::addRow("=Yes") << yesNo << "=Yes"
                          << "true"
                          << "TRUE"
                          << "1"
                          << "1";
    QTest::addRow("False") << yesNo << "False"
                           << "false"
                           << "FALSE"
                           << "0"
                           << "0";
    QTest::addRow("=-1.5") << real << "=-1.5"
                           << "-1.5"
                           << "-1.5"
                           << "-1.5"
                           << "-1.5";
    QTest::addRow("quoted number") << number << "\"7\""
                                   << "7"
                                   << "7"
                                   << "7"
                                   << "7";
    QTest::addRow("=2*3+1") << number << "=2*3+1"
                            << "((2 * 3) + 1)"
                            << "((2 * 3) + 1)"
                            << "((2 * 3) + 1)"
                            << "((2 * 3) + 1)";
    QTest::addRow("=\"abc\"") << text << "=\"abc\""
                              << "'abc'"
                              << "'abc'"
                              << "'abc'"
                              << "'abc'";
    QTest::addRow("'it''s'") << text << "'it''s'"
                             << "'it''s'"
                             << "'it''s'"
                             << "'it''s'"
                             << "'it''s'";
    QTest::addRow("\"A\" & \"B\"") << text << "\"A\" & \"B\""
                                   << "('A' || 'B')"
                                   << "(CONCAT('A', 'B'))"
                                   << "('A' || 'B')"
                                   << "(N'A' + N'B')";
    QTest::addRow("another column") << real << "=[Price]*2"
                                    << "-- it refers to Price"
                                    << "-- it refers to Price"
                                    << "-- it refers to Price"
                                    << "-- it refers to Price";
    QTest::addRow("a lookup") << number << "=DMax(\"ID\",\"T\")+1"
                              << "-- DMax reads other rows"
                              << "-- DMax reads other rows"
                              << "-- DMax reads other rows"
                              << "-- DMax reads other rows";
    const QString dateInText = "-- it is a date, which the column does not hold as Access does";
    QTest::addRow("a date in a text")
        << text << "=Now()" << dateInText << dateInText << dateInText << dateInText;
    QTest::addRow("GenGUID() in a text") << text << "=GenGUID()"
                                         << "-- GenGUID() makes a value for a Replication ID column only"
                                         << "-- GenGUID() makes a value for a Replication ID column only"
                                         << "-- GenGUID() makes a value for a Replication ID column only"
                                         << "-- GenGUID() makes a value for a Replication ID column only";
    const QString notRead = "-- it is not an expression read here";
    QTest::addRow("not an expression") << number << "=1 +" << notRead << notRead << notRead << notRead;
}

void TestCompleteScript::defaultValues() {
    QFETCH(int, jetType);
    QFETCH(QString, value);
    QFETCH(QString, postgres);
    QFETCH(QString, mysql);
    QFETCH(QString, sqlite);
    QFETCH(QString, sqlServer);
    DatabaseSchema schema;
    schema.tables << samples::table("T",
                                    {samples::withDefault(samples::column("C", JetType(jetType), 8), value)});
    const std::pair<const TargetDialect*, QString> cases[] = {{&postgreSqlDialect(), postgres},
                                                              {&mySqlDialect(), mysql},
                                                              {&sqliteDialect(), sqlite},
                                                              {&sqlServerDialect(), sqlServer}};
    QStringList wrong; // every server's, in one message
    for (const auto& [dialect, expected] : cases) {
        const QString text = script(*dialect, defaults(), schema);
        const QString line = columnLine(*dialect, text);
        if (expected.startsWith("-- ")) {
            if (!text.contains("-- Column C has the Access default " + value +
                               ", not written: " + expected.mid(3) + "\r\n") ||
                line.contains(" DEFAULT "))
                wrong << dialect->scriptType + ": " + text;
        } else if (!line.endsWith(" DEFAULT " + expected)) {
            wrong << dialect->scriptType + ": " + line;
        }
    }
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join("\n")));
}

void TestCompleteScript::textCase_data() {
    QTest::addColumn<QString>("scriptType");
    QTest::addColumn<int>("textCase");
    QTest::addColumn<QString>("line"); // of the Text column C
    QTest::addColumn<QString>("memo"); // of the Memo column M
    const int asServer = int(TextCase::AsServer);
    const int insensitive = int(TextCase::Insensitive);
    const int sensitive = int(TextCase::Sensitive);
    QTest::addRow("PostgreSQL") << "PostgreSQL" << asServer << "\"C\" varchar(10)"
                                << "\"M\" text";
    QTest::addRow("PostgreSQL insensitive")
        << "PostgreSQL" << insensitive << "\"C\" citext CHECK (char_length(\"C\") <= 10)"
        << "\"M\" citext";
    QTest::addRow("PostgreSQL sensitive") << "PostgreSQL" << sensitive << "\"C\" varchar(10)"
                                          << "\"M\" text";
    QTest::addRow("MySQL") << "MySQL" << asServer << "`C` VARCHAR(10)"
                           << "`M` LONGTEXT";
    QTest::addRow("MySQL insensitive")
        << "MySQL" << insensitive << "`C` VARCHAR(10) COLLATE utf8mb4_unicode_ci"
        << "`M` LONGTEXT COLLATE utf8mb4_unicode_ci";
    QTest::addRow("MySQL sensitive") << "MySQL" << sensitive << "`C` VARCHAR(10) COLLATE utf8mb4_bin"
                                     << "`M` LONGTEXT COLLATE utf8mb4_bin";
    QTest::addRow("SQLite insensitive") << "SQLite" << insensitive << "\"C\" VARCHAR(10) COLLATE NOCASE"
                                        << "\"M\" TEXT COLLATE NOCASE";
    QTest::addRow("SQLite sensitive") << "SQLite" << sensitive << "\"C\" VARCHAR(10)"
                                      << "\"M\" TEXT";
    QTest::addRow("SQL Server insensitive")
        << "SQL Server" << insensitive << "[C] NVARCHAR(10) COLLATE Latin1_General_100_CI_AS"
        << "[M] NVARCHAR(MAX) COLLATE Latin1_General_100_CI_AS";
}

void TestCompleteScript::textCase() {
    QFETCH(QString, scriptType);
    QFETCH(int, textCase);
    QFETCH(QString, line);
    QFETCH(QString, memo);
    DatabaseSchema schema;
    schema.tables << samples::table("T",
                                    {samples::column("C", JetType::Text, 10),
                                     samples::column("M", JetType::Memo),
                                     samples::column("N", JetType::Long, 4)},
                                    {samples::index("C", {{"C"}}, false, true)});
    ConversionOptions options = defaults();
    options.CaseOfTexts = TextCase(textCase);
    const TargetDialect& dialect = *completeScriptDialect(scriptType);
    const QString text = script(dialect, options, schema);
    QVERIFY2(text.contains("    " + line + ",\r\n"), qPrintable(text));
    QVERIFY2(text.contains("    " + memo + ",\r\n"), qPrintable(text));
    const QString number = columnLine(dialect, text, "N");
    QVERIFY2(!number.contains("COLLATE") && !number.contains("citext"), qPrintable(number));
    QVERIFY2(!text.contains("citext") || textCase == int(TextCase::Insensitive), qPrintable(text));
}

namespace {

// A table with a rule of each kind: a column's, with and without its validation text; a text's "F" Or "M";
// one that calls Date(); one the translation cannot write; Required texts without zero-length strings, one
// with a rule of its own (MySQL takes one CHECK a column: the two join); and
// the table's own rule over two columns.
DatabaseSchema ruleSchema() {
    ColumnDefinition quantity = samples::column("Quantity", JetType::Integer);
    quantity.validationRule = ">0";
    quantity.validationText = "Enter a quantity above 0";
    ColumnDefinition gender = samples::required(samples::column("Gender", JetType::Text, 1));
    gender.validationRule = "\"F\" Or \"M\"";
    ColumnDefinition due = samples::column("Due", JetType::DateTime);
    due.validationRule = "<Date()";
    ColumnDefinition code = samples::required(samples::column("Code", JetType::Text, 10));
    code.validationRule = "IsValidCode([Code])";
    TableDefinition table = samples::table("Parts", {quantity, gender, due, code});
    table.validationRule = "[Quantity] < 100 Or [Gender] = \"F\"";
    table.validationText = "At most 99 for M";
    DatabaseSchema schema;
    schema.tables << table;
    return schema;
}

} // namespace

void TestCompleteScript::validationRules_data() {
    QTest::addColumn<QString>("scriptType");
    QTest::addColumn<QString>("expected");
    QTest::addRow("PostgreSQL")
        << "PostgreSQL"
        << QStringLiteral(
               R"(-- Column Code has the validation rule IsValidCode([Code]), not written: calls the VBA function IsValidCode
CREATE TABLE "Parts" (
    "Quantity" smallint CONSTRAINT "Parts_Quantity_check" CHECK ("Quantity" > 0),
    "Gender" varchar(1) NOT NULL CONSTRAINT "Parts_Gender_check" CHECK ((LOWER("Gender") = LOWER('F')) OR (LOWER("Gender") = LOWER('M'))) CONSTRAINT "Parts_Gender_not_empty" CHECK ("Gender" <> ''),
    "Due" timestamp CONSTRAINT "Parts_Due_check" CHECK ("Due" < CAST(CURRENT_DATE AS TIMESTAMP)),
    "Code" varchar(10) NOT NULL CONSTRAINT "Parts_Code_not_empty" CHECK ("Code" <> ''),
    CONSTRAINT "Parts_check" CHECK (("Quantity" < 100) OR (LOWER("Gender") = LOWER('F')))
);
COMMENT ON CONSTRAINT "Parts_Quantity_check" ON "Parts" IS 'Enter a quantity above 0';
COMMENT ON CONSTRAINT "Parts_check" ON "Parts" IS 'At most 99 for M';

)");
    QTest::addRow("MySQL") << "MySQL"
                           << QStringLiteral(R"(-- Validation text of Quantity: Enter a quantity above 0
-- Column Due has the validation rule <Date(), which calls a function whose value changes: triggers check it, as a CHECK of MySQL cannot
-- Column Code has the validation rule IsValidCode([Code]), not written: calls the VBA function IsValidCode
-- Validation text of Parts: At most 99 for M
CREATE TABLE `Parts` (
    `Quantity` SMALLINT CHECK (`Quantity` > 0),
    `Gender` VARCHAR(1) NOT NULL CHECK (((`Gender` = 'F') OR (`Gender` = 'M')) AND (`Gender` <> '')),
    `Due` DATETIME,
    `Code` VARCHAR(10) NOT NULL CHECK (`Code` <> ''),
    CONSTRAINT `Parts_check` CHECK ((`Quantity` < 100) OR (`Gender` = 'F'))
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;
DELIMITER $$
CREATE TRIGGER `Parts_Due_check_insert` BEFORE INSERT ON `Parts` FOR EACH ROW
IF NOT (NEW.`Due` < CAST(CURDATE() AS DATETIME)) THEN SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'Column Due breaks the validation rule <Date()'; END IF$$
DELIMITER ;
DELIMITER $$
CREATE TRIGGER `Parts_Due_check_update` BEFORE UPDATE ON `Parts` FOR EACH ROW
IF NOT (NEW.`Due` < CAST(CURDATE() AS DATETIME)) THEN SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'Column Due breaks the validation rule <Date()'; END IF$$
DELIMITER ;

)");
    QTest::addRow("SQLite") << "SQLite"
                            << QStringLiteral(R"(-- Validation text of Quantity: Enter a quantity above 0
-- Column Due has the validation rule <Date(), which calls a function whose value changes: triggers check it, as a CHECK of SQLite cannot
-- Column Code has the validation rule IsValidCode([Code]), not written: calls the VBA function IsValidCode
-- Validation text of Parts: At most 99 for M
CREATE TABLE "Parts" (
    "Quantity" SMALLINT CONSTRAINT "Parts_Quantity_check" CHECK ("Quantity" > 0),
    "Gender" VARCHAR(1) NOT NULL CONSTRAINT "Parts_Gender_check" CHECK (("Gender" = 'F' COLLATE NOCASE) OR ("Gender" = 'M' COLLATE NOCASE)) CONSTRAINT "Parts_Gender_not_empty" CHECK ("Gender" <> ''),
    "Due" DATETIME,
    "Code" VARCHAR(10) NOT NULL CONSTRAINT "Parts_Code_not_empty" CHECK ("Code" <> ''),
    CONSTRAINT "Parts_check" CHECK (("Quantity" < 100) OR ("Gender" = 'F' COLLATE NOCASE))
);
CREATE TRIGGER "Parts_Due_check_insert" BEFORE INSERT ON "Parts" FOR EACH ROW
BEGIN SELECT RAISE(ABORT, 'Column Due breaks the validation rule <Date()') WHERE NOT (NEW."Due" < datetime('now', 'localtime', 'start of day')); END;
CREATE TRIGGER "Parts_Due_check_update" BEFORE UPDATE ON "Parts" FOR EACH ROW
BEGIN SELECT RAISE(ABORT, 'Column Due breaks the validation rule <Date()') WHERE NOT (NEW."Due" < datetime('now', 'localtime', 'start of day')); END;

)");
    QTest::addRow("SQL Server") << "SQL Server"
                                << QStringLiteral(R"(-- Validation text of Quantity: Enter a quantity above 0
-- Column Code has the validation rule IsValidCode([Code]), not written: calls the VBA function IsValidCode
-- Validation text of Parts: At most 99 for M
CREATE TABLE [Parts] (
    [Quantity] SMALLINT CONSTRAINT [Parts_Quantity_check] CHECK ([Quantity] > 0),
    [Gender] NVARCHAR(1) NOT NULL CONSTRAINT [Parts_Gender_check] CHECK (([Gender] = N'F') OR ([Gender] = N'M')) CONSTRAINT [Parts_Gender_not_empty] CHECK ([Gender] <> ''),
    [Due] DATETIME2 CONSTRAINT [Parts_Due_check] CHECK ([Due] < CAST(CAST(GETDATE() AS DATE) AS DATETIME2)),
    [Code] NVARCHAR(10) NOT NULL CONSTRAINT [Parts_Code_not_empty] CHECK ([Code] <> ''),
    CONSTRAINT [Parts_check] CHECK (([Quantity] < 100) OR ([Gender] = N'F'))
);

)");
}

void TestCompleteScript::validationRules() {
    QFETCH(QString, scriptType);
    QFETCH(QString, expected);
    const QString text = script(*completeScriptDialect(scriptType), defaults(), ruleSchema());
    QCOMPARE(QString(text).replace("\r\n", "\n"), expected);
}

QTEST_GUILESS_MAIN(TestCompleteScript)
#include "TestCompleteScript.moc"
