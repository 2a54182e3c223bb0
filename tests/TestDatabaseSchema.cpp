// The whole schema in one request: every stored fact of the DatabaseSchema the reader process answers
// (catalog flags and links, column types and properties, index columns and flags, relationships), on real
// Access files and on a database written by mkmdb; and the answer's encoding, which must reject what does
// not hold together.

#include "MdbTestCorpus.h"
#include "MdbWriter.h"
#include "ReaderAnswers.h"
#include "ReaderProcess.h"
#include "ReaderProtocol.h"
#include "SchemaFromTexts.h"
#include "SchemaSnapshot.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString fixturesDir = QStringLiteral(VELTRANE_FIXTURES_DIR);

QString fixture(const QString& name) {
    return fixturesDir + QLatin1Char('/') + name;
}

#define REQUIRE_FIXTURES()                                                                                   \
    if (!QFileInfo(fixturesDir).isDir())                                                                     \
    QSKIP("The Access fixtures folder (../shared/fixtures) is absent")

// One line per fact that is set, so an expectation lists only what matters and a failure shows the line.
QString describe(const ColumnDefinition& c) {
    QString s =
        QStringLiteral("%1 jet=%2 code=%3 size=%4").arg(c.name).arg(c.jetType).arg(c.typeCode).arg(c.size);
    if (c.jetType == int(JetType::Decimal))
        s += QStringLiteral(" (%1,%2)").arg(c.precision).arg(c.scale);
    // The fixed-length flag comes with the engine's attributes, which the reader tests cover.
    const QList<QPair<bool, const char*>> flags = {{c.required, "required"},
                                                   {c.allowZeroLength, "azl"},
                                                   {c.autoNumber, "auto"},
                                                   {c.guidAutoNumber, "guid-auto"}};
    for (const auto& [set, name] : flags) {
        if (set)
            s += QLatin1Char(' ') + QLatin1String(name);
    }
    if (!c.defaultValue.isEmpty())
        s += QStringLiteral(" default=") + c.defaultValue;
    if (!c.description.isEmpty())
        s += QStringLiteral(" description=") + c.description;
    if (!c.validationRule.isEmpty() || !c.validationText.isEmpty())
        s += QStringLiteral(" rule=%1 (%2)").arg(c.validationRule, c.validationText);
    if (c.calculated)
        s += QStringLiteral(" calculated[%1 -> %2]").arg(c.expression).arg(c.resultType);
    if (c.complexType != ComplexType::None)
        s += QStringLiteral(" complex=%1").arg(int(c.complexType));
    return s;
}

QString describe(const IndexDefinition& index) {
    QStringList columns;
    for (const IndexColumn& column : index.columns)
        columns.append(column.name + (column.descending ? QStringLiteral(" desc") : QString()));
    QString s = index.name + QStringLiteral(" (") + columns.join(QStringLiteral(", ")) + QLatin1Char(')');
    const QList<QPair<bool, const char*>> flags = {{index.primaryKey, "pk"},
                                                   {index.unique, "unique"},
                                                   {index.ignoreNulls, "ignore-nulls"},
                                                   {index.required, "required"},
                                                   {index.foreignKey, "fk"}};
    for (const auto& [set, name] : flags) {
        if (set)
            s += QLatin1Char(' ') + QLatin1String(name);
    }
    return s;
}

QStringList describe(const TableDefinition& table) {
    QString head = QStringLiteral("table ") + table.name;
    if (table.system)
        head += QStringLiteral(" system");
    if (table.hidden)
        head += QStringLiteral(" hidden");
    if (table.linked)
        head += QStringLiteral(" linked to %1 as %2").arg(table.linkedDatabase, table.foreignName);
    if (table.columnsState != ReadState::Read)
        head += QStringLiteral(" columns-state=%1").arg(int(table.columnsState));
    if (table.indexesState != ReadState::Read)
        head += QStringLiteral(" indexes-state=%1").arg(int(table.indexesState));
    if (!table.validationRule.isEmpty() || !table.validationText.isEmpty())
        head += QStringLiteral(" rule=%1 (%2)").arg(table.validationRule, table.validationText);
    QStringList lines{head};
    for (const ColumnDefinition& column : table.columns)
        lines.append(QStringLiteral("  column ") + describe(column));
    for (const IndexDefinition& index : table.indexes)
        lines.append(QStringLiteral("  index ") + describe(index));
    return lines;
}

QString describe(const Relationship& relationship) {
    QStringList columns, referenced;
    for (const RelationshipColumn& column : relationship.columns) {
        columns.append(column.column);
        referenced.append(column.referencedColumn);
    }
    QString s = QStringLiteral("%1: %2(%3) -> %4(%5)")
                    .arg(relationship.name, relationship.table, columns.join(QLatin1Char(',')),
                         relationship.referencedTable, referenced.join(QLatin1Char(',')));
    const QList<QPair<bool, const char*>> flags = {{relationship.enforced, "enforced"},
                                                   {relationship.cascadeUpdate, "cascade-update"},
                                                   {relationship.cascadeDelete, "cascade-delete"},
                                                   {relationship.cascadeSetNull, "cascade-set-null"}};
    for (const auto& [set, name] : flags) {
        if (set)
            s += QLatin1Char(' ') + QLatin1String(name);
    }
    return s;
}

QStringList describeRelationships(const DatabaseSchema& schema) {
    QStringList lines;
    for (const Relationship& relationship : schema.relationships)
        lines.append(describe(relationship));
    return lines;
}

const TableDefinition* findTable(const DatabaseSchema& schema, const QString& name) {
    for (const TableDefinition& table : schema.tables) {
        if (table.name == name)
            return &table;
    }
    return nullptr;
}

// A SchemaAnswer that uses every part of the encoding.
readerprotocol::SchemaAnswer fullAnswer() {
    using namespace readerprotocol;
    SchemaAnswer answer;
    TableSchema table;
    table.name = "Orders";
    table.fields = FieldsAnswer{true, {Field{"Id", 4, 4, false, 49}, Field{"Note", 10, 50, true, 34}}};
    table.indexes = IndexesAnswer{IndexesAnswer::Kind::List, {"PrimaryKey"}};
    table.details.catalog = TableCatalog{false, true, true, "C:\\data\\other.mdb", "Orders There"};
    table.details.columns = {
        ColumnDetail{4, 0, 0, true, false, false, 0, 0, "0", "the key", "", "", "", ""},
        ColumnDetail{10, 0, 0, false, false, true, 10, 0, "", "", "[A] & [B]", "", "", ""}};
    table.details.indexes = {
        IndexDetail{"PrimaryKey", {{"Id", false}, {"Note", true}}, true, true, false, true, false}};
    answer.tables = {table};
    answer.relationships = {readerprotocol::Relationship{
        "Lines 🔗 Orders", "Lines", "Orders", {{"OrderId", "Id"}, {"Pos", "Line"}}, true, true, false, true}};
    return answer;
}

} // namespace

class TestDatabaseSchema : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void relationshipsOfIndexTest();
    void tables_data();
    void tables();
    void linkedTable();
    void calculatedColumns();
    void generatedCases_data();
    void generatedCases();
    void detailsAgreeWithEngineTexts_data();
    void detailsAgreeWithEngineTexts();
    void generatedDatabase();
    void answerSurvivesEncoding();
    void malformedAnswerIsRejected_data();
    void malformedAnswerIsRejected();
    void definitionMatchesTexts_data();
    void definitionMatchesTexts();

private:
    DatabaseSchema read(const QString& path);

    ReaderProcess reader_;
    QTemporaryDir scratch_;
    std::vector<readerprotocol::TableSchema> answers_;
};

void TestDatabaseSchema::initTestCase() {
    QVERIFY(scratch_.isValid());
}

DatabaseSchema TestDatabaseSchema::read(const QString& path) {
    auto schema = reader_.GetDatabaseSchema(path);
    if (const auto* failure = std::get_if<ReadFailure>(&schema))
        qWarning("%d  %s", failure->number, qPrintable(failure->description));
    return std::holds_alternative<DatabaseSchema>(schema) ? std::get<DatabaseSchema>(schema)
                                                          : DatabaseSchema{};
}

void TestDatabaseSchema::relationshipsOfIndexTest() {
    REQUIRE_FIXTURES();
    const DatabaseSchema schema = read(fixture("indexTestV2000.mdb"));
    QCOMPARE(
        describeRelationships(schema),
        QStringList({"MSysNavPaneGroupCategoriesMSysNavPaneGroups: MSysNavPaneGroups(GroupCategoryID) -> "
                     "MSysNavPaneGroupCategories(Id) enforced cascade-update cascade-delete",
                     "MSysNavPaneGroupsMSysNavPaneGroupToObjects: MSysNavPaneGroupToObjects(GroupID) -> "
                     "MSysNavPaneGroups(Id) enforced cascade-update cascade-delete",
                     "Table2Table1: Table1(otherfk1) -> Table2(id) enforced cascade-delete",
                     "Table3Table1: Table1(otherfk2) -> Table3(id) enforced cascade-update"}));
}

void TestDatabaseSchema::tables_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("expected");
    QTest::addRow("foreign-key indexes with their columns")
        << "indexTestV2000.mdb"
        << "Table1"
        << QStringList{"table Table1",
                       "  column id jet=4 code=4 size=4 default=0",
                       "  column otherfk1 jet=4 code=4 size=4 default=0",
                       "  column otherfk2 jet=4 code=4 size=4 default=0",
                       "  column data jet=10 code=10 size=50 azl",
                       "  column otherfk3 jet=4 code=4 size=4 default=0",
                       "  index id (id)",
                       "  index PrimaryKey (id) pk unique required",
                       "  index Table2Table1 (otherfk1) fk",
                       "  index Table3Table1 (otherfk2) fk"};
    QTest::addRow("system and hidden table, foreign key on its referencing side")
        << "indexTestV2000.mdb"
        << "MSysNavPaneGroups"
        << QStringList{"table MSysNavPaneGroups system hidden",
                       "  column Id jet=4 code=4 size=4 auto",
                       "  column Name jet=10 code=10 size=255",
                       "  column GroupCategoryID jet=4 code=4 size=4",
                       "  column ObjectID jet=4 code=4 size=4",
                       "  column Position jet=4 code=4 size=4",
                       "  column Object Type Group jet=4 code=4 size=4",
                       "  column Flags jet=4 code=4 size=4",
                       "  index GroupCategoryID (GroupCategoryID)",
                       "  index Id (Id) pk unique required",
                       "  index MSysNavPaneGroupCategoriesMSysNavPaneGroups (GroupCategoryID) fk"};
    QTest::addRow("system table with a multi-column key")
        << "indexTestV2000.mdb"
        << "MSysQueries"
        << QStringList{"table MSysQueries system",
                       "  column ObjectId jet=4 code=4 size=4",
                       "  column Attribute jet=2 code=2 size=1",
                       "  column Order jet=9 code=9 size=510",
                       "  column Name1 jet=10 code=10 size=255",
                       "  column Name2 jet=10 code=10 size=255",
                       "  column Expression jet=12 code=12 size=0",
                       "  column Flag jet=3 code=3 size=2",
                       "  column LvExtra jet=4 code=4 size=4",
                       "  index ObjectIdAttribute (ObjectId, Attribute, Order) pk unique"};
    QTest::addRow("descending index column")
        << "compIndexTestV2003.mdb"
        << "Table1"
        << QStringList{"table Table1", "  column CD_AGENTE jet=4 code=4 size=4 default=0",
                       "  column RS_AGENTE jet=10 code=10 size=55 azl",
                       "  column DC_AGENTE jet=10 code=10 size=55 azl", "  index CD_AGENTE (CD_AGENTE desc)"};
    QTest::addRow("GUID AutoNumber, Jet 3")
        << "testV1997.mdb"
        << "Table4"
        << QStringList{"table Table4", "  column name jet=10 code=10 size=50",
                       "  column data jet=15 code=15 size=16 guid-auto default=GenGUID()",
                       "  index PrimaryKey (data) pk unique required"};
    QTest::addRow("GUID AutoNumber, ACE")
        << "testV2007.accdb"
        << "Table4"
        << QStringList{"table Table4", "  column name jet=10 code=10 size=50",
                       "  column data jet=15 code=15 size=16 guid-auto default=GenGUID()",
                       "  index PrimaryKey (data) pk unique required"};
    // Access keeps no precision or scale for a calculated Decimal result: the definition's precision and
    // scale bytes are 0, no property holds them, and each stored value carries a scale of its own
    // (WeeklySalary has 10, 16 and 14). They stay 0, beside the (18,6) of an ordinary Decimal column.
    QTest::addRow("calculated Decimal results without precision and scale")
        << "calcFieldTestV2010.accdb"
        << "Table1"
        << QStringList{"table Table1",
                       "  column ID jet=4 code=4 size=4 auto",
                       "  column FirstName jet=10 code=10 size=255 azl",
                       "  column LastName jet=10 code=10 size=255 azl",
                       "  column LastFirst jet=10 code=10 size=243 calculated[[LastName] & \", \" & "
                       "[FirstName] -> 10]",
                       "  column City jet=10 code=10 size=255 azl",
                       "  column LastFirstLen jet=4 code=4 size=4 calculated[Len([LastFirst]) -> 4]",
                       "  column Salary jet=5 code=5 size=8",
                       "  column MonthlySalary jet=5 code=5 size=8 calculated[[Salary]/12 -> 5]",
                       "  column IsRich jet=1 code=1 size=1 calculated[[Salary]>100000 -> 1]",
                       "  column AllNames jet=12 code=12 size=0 calculated[[LastName] & \", \" & [FirstName] "
                       "& \"=\" & "
                       "[LastFirst] -> 12]",
                       "  column WeeklySalary jet=16 code=20 size=17 (0,0) calculated[[Salary]/52 -> 16]",
                       "  column SalaryTest jet=5 code=5 size=8 calculated[[Salary] -> 5]",
                       "  column BoolTest jet=1 code=1 size=1 calculated[True -> 1]",
                       "  column Popularity jet=16 code=20 size=17 (18,6) default=0",
                       "  column DecimalTest jet=16 code=20 size=17 (0,0) calculated[[Popularity] -> 16]",
                       "  column FloatTest jet=6 code=6 size=4 calculated[[Salary]*0.13/[DecimalTest] -> 6]",
                       "  column BigNumTest jet=16 code=20 size=17 (0,0) "
                       "calculated[([Salary]*[MonthlySalary]/[DecimalTest])*34.12342134 -> 16]",
                       "  index PrimaryKey (ID) pk unique required"};
    QTest::addRow("attachment and multi-valued columns")
        << "complexDataTestV2010.accdb"
        << "Table1"
        << QStringList{
               "table Table1",
               "  column id jet=10 code=10 size=255 azl",
               "  column VersionHistory_F5F8918F-0A3F-4DA9-AE71-184EE5012880 jet=18 code=101 size=4 "
               "complex=1",
               "  column memo-data jet=12 code=12 size=0 azl",
               "  column append-memo-data jet=12 code=12 size=0 azl",
               "  column multi-value-data jet=18 code=101 size=4 complex=109",
               "  column attach-data jet=18 code=101 size=4 complex=101",
               "  index attach-data_071D71EDD53D45A1A9089929F06857D9 (attach-data) unique required",
               "  index multi-value-data_F4C67B0F60124C1989D5583C00CF76E2 (multi-value-data) unique required",
               "  index PrimaryKey (id) pk unique required",
               "  index VersionHistory_F5F8918F-0A3F-4D_6E54CCBB170741DD8FD837271ED8B90C "
               "(VersionHistory_F5F8918F-0A3F-4DA9-AE71-184EE5012880) unique required"};
}

void TestDatabaseSchema::tables() {
    REQUIRE_FIXTURES();
    QFETCH(QString, file);
    QFETCH(QString, table);
    QFETCH(QStringList, expected);
    const DatabaseSchema schema = read(fixture(file));
    const TableDefinition* found = findTable(schema, table);
    QVERIFY2(found, qPrintable(table));
    QCOMPARE(describe(*found), expected);
}

// A link keeps the stored path of its file and the table's name there, whether or not the file is at hand.
void TestDatabaseSchema::linkedTable() {
    REQUIRE_FIXTURES();
    const DatabaseSchema schema = read(fixture("linkerTestV2007.accdb"));
    const TableDefinition* linked = findTable(schema, "Table2");
    QVERIFY(linked);
    QVERIFY(linked->linked);
    QCOMPARE(linked->linkedDatabase, QStringLiteral("Z:\\jackcess_test\\linkeeTest.accdb"));
    QCOMPARE(linked->foreignName, QStringLiteral("Table1"));
    QVERIFY(!linked->system);
    const TableDefinition* local = findTable(schema, "Table1");
    QVERIFY(local);
    QVERIFY(!local->linked);
    QVERIFY(local->linkedDatabase.isEmpty() && local->foreignName.isEmpty());
    QCOMPARE(
        describeRelationships(schema),
        QStringList({"MSysNavPaneGroupCategoriesMSysNavPaneGroups: MSysNavPaneGroups(GroupCategoryID) -> "
                     "MSysNavPaneGroupCategories(Id) enforced cascade-update cascade-delete",
                     "MSysNavPaneGroupsMSysNavPaneGroupToObjects: MSysNavPaneGroupToObjects(GroupID) -> "
                     "MSysNavPaneGroups(Id) enforced cascade-update cascade-delete",
                     "Table1Table2: Table2(Field1) -> Table1(Field1)"}));
}

// Calculated columns carry their expression and result type; Decimal columns their precision and scale.
void TestDatabaseSchema::calculatedColumns() {
    REQUIRE_FIXTURES();
    const DatabaseSchema schema = read(fixture("calcFieldTestV2010.accdb"));
    const TableDefinition* table = findTable(schema, "Table1");
    QVERIFY(table);
    QStringList seen;
    for (const ColumnDefinition& column : table->columns) {
        QString line = QStringLiteral("%1 jet=%2").arg(column.name).arg(column.jetType);
        if (column.jetType == int(JetType::Decimal))
            line += QStringLiteral(" (%1,%2)").arg(column.precision).arg(column.scale);
        if (column.calculated)
            line += QStringLiteral(": %1 -> %2").arg(column.expression).arg(column.resultType);
        seen.append(line);
    }
    QCOMPARE(
        seen,
        QStringList({"ID jet=4", "FirstName jet=10", "LastName jet=10",
                     "LastFirst jet=10: [LastName] & \", \" & [FirstName] -> 10", "City jet=10",
                     "LastFirstLen jet=4: Len([LastFirst]) -> 4", "Salary jet=5",
                     "MonthlySalary jet=5: [Salary]/12 -> 5", "IsRich jet=1: [Salary]>100000 -> 1",
                     "AllNames jet=12: [LastName] & \", \" & [FirstName] & \"=\" & [LastFirst] -> 12",
                     "WeeklySalary jet=16 (0,0): [Salary]/52 -> 16", "SalaryTest jet=5: [Salary] -> 5",
                     "BoolTest jet=1: True -> 1", "Popularity jet=16 (18,6)",
                     "DecimalTest jet=16 (0,0): [Popularity] -> 16",
                     "FloatTest jet=6: [Salary]*0.13/[DecimalTest] -> 6",
                     "BigNumTest jet=16 (0,0): ([Salary]*[MonthlySalary]/[DecimalTest])*34.12342134 -> 16"}));
}

void TestDatabaseSchema::detailsAgreeWithEngineTexts_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("password"); // the encrypted fixtures'
    const QHash<QString, QString> passwords{
        {"db2007-oldenc.accdb", "Test123"}, {"db2007-enc.accdb", "Test123"}, {"db2013-enc.accdb", "1234"}};
    const QStringList files = QDir(fixturesDir).entryList({"*.mdb", "*.accdb"}, QDir::Files, QDir::Name);
    for (const QString& file : files)
        QTest::newRow(qPrintable(file)) << file << passwords.value(file);
}

// The details add to the engine's texts and never contradict them: every table of the texts, its field
// rows and index names, read back in the same order with the same names, types, sizes and flags.
void TestDatabaseSchema::detailsAgreeWithEngineTexts() {
    REQUIRE_FIXTURES();
    QFETCH(QString, file);
    QFETCH(QString, password);
    const QString path = fixture(file);
    reader_.setPassword(password.toStdString());
    const auto forget = qScopeGuard([this] { reader_.setPassword({}); });
    auto snapshot = SchemaSnapshot::read(reader_, path);
    // An encrypted file opens with its password.
    QVERIFY(password.isEmpty() || !std::holds_alternative<ReadFailure>(snapshot));
    if (const auto* failure = std::get_if<ReadFailure>(&snapshot)) {
        // A file neither answer can read must fail the same way in both.
        const TableList names = reader_.GetTableNames(path);
        QVERIFY(std::holds_alternative<ReadFailure>(names));
        QCOMPARE(*failure, std::get<ReadFailure>(names));
        return;
    }
    SchemaSnapshot& texts = std::get<SchemaSnapshot>(snapshot);
    const DatabaseSchema& schema = texts.database();
    QCOMPARE(schema.tables.size(), std::get<TextList>(texts.GetTableNames(path)).upperBound());
    for (const TableDefinition& table : schema.tables) {
        const TableDefinition fromTexts = tableFromTexts(table.name, texts.GetTableFields(path, table.name),
                                                         texts.GetTableIndexes(path, table.name));
        QCOMPARE(table.columns.size(), fromTexts.columns.size());
        for (qsizetype i = 0; i < table.columns.size(); ++i) {
            const ColumnDefinition& column = table.columns[i];
            const ColumnDefinition& text = fromTexts.columns[i];
            QCOMPARE(column.name, text.name);
            QCOMPARE(column.typeCode, text.typeCode);
            QCOMPARE(column.size, text.size);
            QCOMPARE(column.allowZeroLength, text.allowZeroLength);
            QCOMPARE(column.fixed, text.fixed);
            QCOMPARE(column.autoNumber, text.autoNumber);
            if (column.jetType != int(JetType::Complex))
                QCOMPARE(column.jetType, text.jetType);
        }
        QCOMPARE(table.indexes.size(), fromTexts.indexes.size());
        for (qsizetype i = 0; i < table.indexes.size(); ++i) {
            QCOMPARE(table.indexes[i].name, fromTexts.indexes[i].name);
            // A table read through its link has the index names of the other file but not their details.
            if (!table.linked)
                QVERIFY2(!table.indexes[i].columns.isEmpty(),
                         qPrintable(table.name + "/" + table.indexes[i].name));
        }
    }
}

// A database with what the fixtures lack: keys over several columns, a relationship over two columns, an
// emoji in a relationship's name, descending and flagged indexes, text properties, a hidden table.
void TestDatabaseSchema::generatedDatabase() {
    const QString path = scratch_.filePath(QStringLiteral("relationships.mdb"));
    std::string error;
    MdbSchema written = mdbTestDatabase("relationships");
    QCOMPARE(written.relationships.size(), std::size_t(3));
    // A character outside the Basic Multilingual Plane in a relationship's name (the corpus keeps to
    // names every server can take).
    written.relationships[1].name = "Lines 🔗 Orders";
    // Validation rules of a column and of a table, and a rule without its text.
    for (MdbTable& table : written.tables) {
        if (table.name == "Orders") {
            table.validationRule = "[OrderNo]>0 Or [CustomerID] Is Null";
            table.validationText = "Ein Auftrag braucht eine Nummer";
            table.columns[3].validationRule = ">=0";
            table.columns[3].validationText = "Never below zero: «0»";
        } else if (table.name == "Order Lines") {
            table.columns[2].validationRule = "Between 1 And 999";
        }
    }
    QVERIFY2(writeMdb(written, path.toStdString(), &error), error.c_str());
    const DatabaseSchema schema = read(path);

    QCOMPARE(
        describeRelationships(schema),
        QStringList({"CustomersOrders: Orders(CustomerID) -> Customers(CustomerID) enforced cascade-set-null",
                     "Lines 🔗 Orders: Order Lines(CustomerID,OrderNo) -> Orders(CustomerID,OrderNo) enforced "
                     "cascade-update cascade-delete",
                     "NotesCustomers: Notes(CustomerID) -> Customers(CustomerID)"}));
    const QList<QStringList> expected = {
        {"table Customers", "  column CustomerID jet=4 code=4 size=4 required auto",
         "  column Name jet=10 code=10 size=50 required description=Who ordered",
         "  column RowGuid jet=15 code=15 size=16 guid-auto default=GenGUID()",
         "  index PrimaryKey (CustomerID) pk unique required"},
        {"table Notes hidden", "  column CustomerID jet=4 code=4 size=4",
         "  column Body jet=12 code=12 size=0"},
        {"table Order Lines", "  column CustomerID jet=4 code=4 size=4",
         "  column OrderNo jet=4 code=4 size=4",
         "  column Line jet=3 code=3 size=2 rule=Between 1 And 999 ()",
         "  column Item jet=10 code=10 size=40 required default=\"none\"", "  index Item (Item) required",
         "  index OrdersLines (CustomerID, OrderNo) fk",
         "  index PrimaryKey (CustomerID, OrderNo, Line) pk unique required"},
        {"table Orders rule=[OrderNo]>0 Or [CustomerID] Is Null (Ein Auftrag braucht eine Nummer)",
         "  column CustomerID jet=4 code=4 size=4", "  column OrderNo jet=4 code=4 size=4",
         "  column Placed jet=8 code=8 size=8 default==Now()",
         "  column Total jet=5 code=5 size=8 default=0 description=Sum of the lines rule=>=0 (Never below "
         "zero: «0»)",
         "  index ByPlaced (Placed desc, OrderNo) ignore-nulls",
         "  index CustomerOrder (CustomerID, OrderNo) unique", "  index CustomersOrders (CustomerID) fk",
         "  index PrimaryKey (OrderNo) pk unique required"},
    };
    for (const QStringList& table : expected) {
        const QString name = table.front()
                                 .section(QLatin1Char(' '), 1)
                                 .section(QStringLiteral(" rule="), 0, 0)
                                 .remove(QStringLiteral(" hidden"));
        const TableDefinition* found = findTable(schema, name);
        QVERIFY2(found, qPrintable(name));
        QCOMPARE(describe(*found), table);
    }
}

// The corpus databases of cases the fixtures lack, table by table: calculated columns written as Access
// 2010 writes them, a type byte no reader knows, names outside the Basic Multilingual Plane, AutoNumber
// Longs that are not the primary key.
void TestDatabaseSchema::generatedCases_data() {
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("expected");
    QTest::addRow("calculated columns")
        << "calculated-columns"
        << "Order Lines"
        << QStringList{
               "table Order Lines",
               "  column ID jet=4 code=4 size=4 required auto",
               "  column Item jet=10 code=10 size=40",
               "  column Price jet=16 code=20 size=17 (18,4)",
               "  column Quantity jet=3 code=3 size=2",
               "  column Weight jet=7 code=7 size=8",
               "  column Total jet=16 code=20 size=17 (0,0) calculated[[Price]*[Quantity] -> 16]",
               "  column Total Weight jet=7 code=7 size=8 calculated[[Weight]*[Quantity] -> 7]",
               "  column Label jet=10 code=10 size=60 calculated[[Item] & \" x \" & [Quantity] -> 10]",
               "  index PrimaryKey (ID) pk unique required"};
    QTest::addRow("unknown type byte") << "unknown-type"
                                       << "Readings"
                                       << QStringList{"table Readings",
                                                      "  column ID jet=4 code=4 size=4 required auto",
                                                      "  column Taken jet=8 code=8 size=8",
                                                      "  column Sensor Frame jet=21 code=21 size=32",
                                                      "  column Note jet=10 code=10 size=40 azl",
                                                      "  index PrimaryKey (ID) pk unique required"};
    QTest::addRow("emoji names") << "emoji-names"
                                 << "Orders 🛒"
                                 << QStringList{"table Orders 🛒",
                                                "  column Order jet=4 code=4 size=4 required auto",
                                                "  column Customer 😀 jet=4 code=4 size=4",
                                                "  column Placed 📅 jet=8 code=8 size=8",
                                                "  index By 😀 Customer (Customer 😀) fk",
                                                "  index PrimaryKey (Order) pk unique required"};
    QTest::addRow("AutoNumber with a unique index")
        << "autonumber-unique-index"
        << "Visits"
        << QStringList{"table Visits", "  column Visit jet=4 code=4 size=4 required auto",
                       "  column Arrived jet=8 code=8 size=8", "  index VisitNumber (Visit) unique"};
    QTest::addRow("AutoNumber without an index")
        << "autonumber-no-index"
        << "Parcels"
        << QStringList{"table Parcels", "  column Tracking jet=10 code=10 size=20 required",
                       "  column Sequence jet=4 code=4 size=4 required auto",
                       "  column Weight jet=7 code=7 size=8",
                       "  index PrimaryKey (Tracking) pk unique required"};
}

void TestDatabaseSchema::generatedCases() {
    QFETCH(QString, database);
    QFETCH(QString, table);
    QFETCH(QStringList, expected);
    const QString path = scratch_.filePath(database + QStringLiteral(".mdb"));
    std::string error;
    QVERIFY2(writeMdb(mdbTestDatabase(database.toStdString()), path.toStdString(), &error), error.c_str());
    const DatabaseSchema schema = read(path);
    const TableDefinition* found = findTable(schema, table);
    QVERIFY2(found, qPrintable(table));
    QCOMPARE(describe(*found), expected);
    if (database == QStringLiteral("emoji-names"))
        QCOMPARE(
            describeRelationships(schema),
            QStringList{
                "CustomersOrders: Orders 🛒(Customer 😀) -> Customers 😀(Customer 😀) enforced"});
}

void TestDatabaseSchema::answerSurvivesEncoding() {
    const readerprotocol::SchemaAnswer answer = fullAnswer();
    const std::optional<readerprotocol::SchemaAnswer> decoded =
        readerprotocol::decodeSchema(readerprotocol::encode(answer));
    QVERIFY(decoded.has_value());
    QVERIFY(*decoded == answer);
}

void TestDatabaseSchema::malformedAnswerIsRejected_data() {
    QTest::addColumn<int>("change");
    QTest::addRow("column details for fewer columns than fields") << 0;
    QTest::addRow("cut short") << 1;
    QTest::addRow("one byte too many") << 2;
    QTest::addRow("relationship count beyond the bytes") << 3;
    QTest::addRow("head counts a table fewer") << 4;
    QTest::addRow("head counts a table more") << 5;
    QTest::addRow("a table frame holds a byte more") << 6;
}

void TestDatabaseSchema::malformedAnswerIsRejected() {
    QFETCH(int, change);
    readerprotocol::SchemaAnswer answer = fullAnswer();
    answer.tables.push_back(answer.tables.front());
    answer.tables.back().name = "Second";
    if (change == 0)
        answer.tables.front().details.columns.pop_back();
    std::string frames = readerprotocol::encode(answer);
    // The head frame: its length, the failure status 0 and the number of tables.
    constexpr std::size_t tableCountAt = 8;
    const auto setU32 = [&](std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i)
            frames[at + std::size_t(i)] = char((value >> (8 * i)) & 0xFF);
    };
    if (change == 1)
        frames.pop_back();
    if (change == 2)
        frames.push_back('\0');
    if (change == 3) // the tail frame's relationship count, right after its length
        setU32(frames.size() - readerprotocol::encodeSchemaTail(answer.relationships).size() + 4, 1000000);
    if (change == 4 || change == 5)
        setU32(tableCountAt, std::uint32_t(answer.tables.size()) + (change == 4 ? -1 : 1));
    if (change == 6) {
        const std::size_t first = readerprotocol::encodeSchemaHead(std::nullopt, 0).size();
        std::string table = readerprotocol::encodeSchemaTable(answer.tables.front());
        table.push_back('\0');
        const std::uint32_t size = std::uint32_t(table.size() - 4);
        for (int i = 0; i < 4; ++i)
            table[std::size_t(i)] = char((size >> (8 * i)) & 0xFF);
        frames.replace(first, table.size() - 1, table);
    }
    QVERIFY(!readerprotocol::decodeSchema(frames).has_value());
}

// The whole schema's tables are made from the answer's numbers; they must say what the engine texts made of
// the same answer say, in every state a table's fields and indexes can be in.
void TestDatabaseSchema::definitionMatchesTexts_data() {
    using readerprotocol::FieldsAnswer;
    using readerprotocol::IndexesAnswer;
    QTest::addColumn<int>("row");
    const std::vector<std::pair<const char*, std::pair<FieldsAnswer, IndexesAnswer>>> rows = {
        {"read, with indexes",
         {FieldsAnswer{true, {{"Id", 4, 4, false, 49}, {"Name", 10, 50, true, 34}}, false},
          IndexesAnswer{IndexesAnswer::Kind::List, {"Name", "PrimaryKey"}}}},
        {"numbers beyond int",
         {FieldsAnswer{true, {{"Odd", 4000000000u, 3000000000u, false, 2147483648u}}, false},
          IndexesAnswer{IndexesAnswer::Kind::NoIndexes, {}}}},
        {"no fields", {FieldsAnswer{true, {}, false}, IndexesAnswer{IndexesAnswer::Kind::NoIndexes, {}}}},
        {"fields unreadable",
         {FieldsAnswer{false, {}, false}, IndexesAnswer{IndexesAnswer::Kind::Unreadable, {}}}},
        {"indexes unreadable",
         {FieldsAnswer{true, {{"Id", 4, 4, false, 17}}, false},
          IndexesAnswer{IndexesAnswer::Kind::Unreadable, {}}}},
        {"an index named NONE",
         {FieldsAnswer{true, {{"Id", 4, 4, false, 17}}, false},
          IndexesAnswer{IndexesAnswer::Kind::List, {"NONE"}}}},
        {"left unread on purpose",
         {FieldsAnswer{false, {}, true}, IndexesAnswer{IndexesAnswer::Kind::NoIndexes, {}}}},
        {"attachment",
         {FieldsAnswer{true, {{"Files", 101, 4, false, 2}}, false},
          IndexesAnswer{IndexesAnswer::Kind::NoIndexes, {}}}},
    };
    for (std::size_t i = 0; i < rows.size(); ++i)
        QTest::addRow("%s", rows[i].first) << int(i);
    answers_.clear();
    for (const auto& row : rows)
        answers_.push_back(readerprotocol::TableSchema{"T", row.second.first, row.second.second, {}, {}});
}

void TestDatabaseSchema::definitionMatchesTexts() {
    QFETCH(int, row);
    const readerprotocol::TableSchema& answer = answers_.at(std::size_t(row));
    const TableDefinition fromNumbers = toTableDefinition(answer);
    const TableDefinition fromTexts =
        tableFromTexts("T", toFieldTable(answer.fields), toIndexList(answer.indexes));
    QCOMPARE(fromNumbers.columnsState, fromTexts.columnsState);
    QCOMPARE(fromNumbers.indexesState, fromTexts.indexesState);
    QCOMPARE(fromNumbers.columns, fromTexts.columns);
    QCOMPARE(fromNumbers.indexes, fromTexts.indexes);
}

QTEST_GUILESS_MAIN(TestDatabaseSchema)
#include "TestDatabaseSchema.moc"
