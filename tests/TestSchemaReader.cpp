// The schema reader on real Access files and on files that are no database: what the three operations
// answer, through the reader process the program uses.

#include "FileTestHelpers.h"
#include "ReaderProcess.h"
#include "SchemaSnapshot.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

namespace {

const QString fixturesDir = QStringLiteral(VELTRANE_FIXTURES_DIR);

QString fixture(const QString& name) {
    return fixturesDir + QLatin1Char('/') + name;
}

QString describe(const TableList& list) {
    if (const auto* failure = std::get_if<ReadFailure>(&list))
        return QStringLiteral("NOT (%1  %2)").arg(failure->number).arg(failure->description);
    return std::get<TextList>(list).items().join(QLatin1Char('|'));
}

QString describe(const IndexList& list) {
    if (std::holds_alternative<NoIndexes>(list))
        return QStringLiteral("NOT");
    return std::get<TextList>(list).items().join(QLatin1Char('|'));
}

QString describe(const FieldRow& row) {
    return QStringList{row.name, row.type, row.size, row.allowZeroLength, row.attributes}.join(
        QLatin1Char(','));
}

QStringList describe(const FieldTable& table) {
    QStringList rows;
    for (const FieldRow& row : table.rows())
        rows.append(describe(row));
    return rows;
}

QByteArray digest(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

const QStringList jet4SystemTables = {"MSysACEs", "MSysObjects", "MSysQueries", "MSysRelationships"};

} // namespace

class TestSchemaReader : public QObject {
    Q_OBJECT

private slots:
    void tableNames_data();
    void tableNames();
    void fields_data();
    void fields();
    void indexes_data();
    void indexes();
    void linkedTables();
    void linkedFileGone();
    void linkedFileFoundByName();
    void linkIsFollowedOneLevel();
    void unknownTable();
    void notADatabase_data();
    void notADatabase();
    void noPermission();
    void fifoDoesNotHang();
    void damagedFileDoesNotCrash();
    void fileIsLeftUnchanged();
    void snapshotEqualsPerCallAnswers_data();
    void snapshotEqualsPerCallAnswers();

private:
    QString withCatalogTypes(const QString& file, const QList<QPair<qint64, qint16>>& types);

    ReaderProcess reader_;
    QTemporaryDir scratch_;
};

void TestSchemaReader::tableNames_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("expected");
    QTest::addRow("Jet 3, system tables among user tables")
        << "testV1997.mdb"
        << QStringList{"MSysACEs",          "MSysModules", "MSysModules2", "MSysObjects", "MSysQueries",
                       "MSysRelationships", "Table1",      "Table2",       "Table3",      "Table4"};
    QTest::addRow("Jet 4, order ignores letter case") << "indexTestV2000.mdb"
                                                      << QStringList{"MSysAccessObjects",
                                                                     "MSysACEs",
                                                                     "MSysNameMap",
                                                                     "MSysNavPaneGroupCategories",
                                                                     "MSysNavPaneGroups",
                                                                     "MSysNavPaneGroupToObjects",
                                                                     "MSysNavPaneObjectIDs",
                                                                     "MSysObjects",
                                                                     "MSysQueries",
                                                                     "MSysRelationships",
                                                                     "Table1",
                                                                     "Table2",
                                                                     "Table3"};
    QTest::addRow("upper-case name before MSys") << "test2V2003.mdb"
                                                 << QStringList{"MSP_PROJECTS",
                                                                "MSysAccessStorage",
                                                                "MSysACEs",
                                                                "MSysNavPaneGroupCategories",
                                                                "MSysNavPaneGroups",
                                                                "MSysNavPaneGroupToObjects",
                                                                "MSysNavPaneObjectIDs",
                                                                "MSysObjects",
                                                                "MSysQueries",
                                                                "MSysRelationships"};
    // The storage tables of its attachment, multi-valued and version-history columns are left out, whatever
    // their names; the ordinary system tables of complex columns stay.
    QTest::addRow("storage tables of complex columns left out")
        << "complexDataTestV2010.accdb"
        << QStringList{"MSysAccessStorage",
                       "MSysAccessXML",
                       "MSysACEs",
                       "MSysComplexColumns",
                       "MSysComplexType_Attachment",
                       "MSysComplexType_Decimal",
                       "MSysComplexType_GUID",
                       "MSysComplexType_IEEEDouble",
                       "MSysComplexType_IEEESingle",
                       "MSysComplexType_Long",
                       "MSysComplexType_Short",
                       "MSysComplexType_Text",
                       "MSysComplexType_UnsignedByte",
                       "MSysComplexTypeVH_7B4A12A4BE0B4564884754E9E31577B2",
                       "MSysComplexTypeVH_E861D651DAC0459D9E610CDAADB46706",
                       "MSysNameMap",
                       "MSysNavPaneGroupCategories",
                       "MSysNavPaneGroups",
                       "MSysNavPaneGroupToObjects",
                       "MSysNavPaneObjectIDs",
                       "MSysObjects",
                       "MSysQueries",
                       "MSysRelationships",
                       "MSysResources",
                       "Table1"};
    QTest::addRow("empty database: only system tables") << "emptyJet4.mdb" << jet4SystemTables;
    QTest::addRow("made through ADOX") << "adox_jet4.mdb" << jet4SystemTables;
}

void TestSchemaReader::tableNames() {
    REQUIRE_FIXTURES();
    QFETCH(QString, file);
    QFETCH(QStringList, expected);
    QCOMPARE(describe(reader_.GetTableNames(fixture(file))), expected.join(QLatin1Char('|')));
}

void TestSchemaReader::fields_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("expected");
    // Table1 holds the same columns in both formats: Jet 3 stores text sizes in characters, ACE in bytes.
    const QStringList table1 = {"A,10,50,False,34", "B,10,100,False,34", "C,2,1,False,33",
                                "D,3,2,False,33",   "E,4,4,False,33",    "F,7,8,False,33",
                                "G,8,8,False,33",   "H,5,8,False,33",    "I,1,1,False,33"};
    QTest::addRow("Jet 3 Table1, every basic type") << "testV1997.mdb"
                                                    << "Table1" << table1;
    QTest::addRow("ACE Table1, text sizes in characters") << "testV2007.accdb"
                                                          << "Table1" << table1;
    QTest::addRow("AutoNumber Long is 49") << "testV1997.mdb"
                                           << "Table3" << QStringList{"a,4,4,False,49", "b,10,50,False,34"};
    QTest::addRow("GUID") << "testV2007.accdb"
                          << "Table4" << QStringList{"name,10,50,False,34", "data,15,16,False,33"};
    QTest::addRow("AllowZeroLength yes")
        << "indexTestV2000.mdb"
        << "Table1"
        << QStringList{"id,4,4,False,33", "otherfk1,4,4,False,33", "otherfk2,4,4,False,33",
                       "data,10,50,True,34", "otherfk3,4,4,False,33"};
    QTest::addRow("name matched without regard to case")
        << "compIndexTestV2003.mdb"
        << "table1"
        << QStringList{"CD_AGENTE,4,4,False,33", "RS_AGENTE,10,55,True,34", "DC_AGENTE,10,55,True,34"};
    // The fixed/variable attribute is the column's own flag, whatever its type.
    QTest::addRow("system table, Decimal column without the fixed flag")
        << "testV2007.accdb"
        << "MSysComplexType_Decimal" << QStringList{"Value,20,17,False,34"};
    QTest::addRow("system AutoNumber without the fixed flag is 50")
        << "testV2007.accdb"
        << "MSysAccessStorage"
        << QStringList{"Id,4,4,False,50",   "Name,10,128,False,34",    "ParentId,4,4,False,34",
                       "Type,4,4,False,34", "DateCreate,8,8,False,34", "DateUpdate,8,8,False,34",
                       "Lv,11,0,False,34"};
    QTest::addRow("Jet 3 system table without fixed flags")
        << "testV1997.mdb"
        << "MSysModules2" << QStringList{"Name,10,255,False,34", "Type,4,4,False,34",
                                         "Version,4,4,False,50", "ReplicationVersion,4,4,False,34",
                                         "Flags,4,4,False,34",   "Module,11,0,False,34",
                                         "Form,11,0,False,34",   "TypeInfo,11,0,False,34"};
    QTest::addRow("storage table of an attachment column")
        << "complexDataTestV2010.accdb"
        << "f_3B07F994AD0A4B56A3A1E13B3A1D3B70_attach-data"
        << QStringList{"_attach-data,4,4,False,34",  "FileData,11,0,False,34",
                       "FileFlags,4,4,False,33",     "FileName,10,255,False,34",
                       "FileTimeStamp,8,8,False,33", "FileType,10,255,False,34",
                       "FileURL,12,0,False,34",      "Table1_attach-data,4,4,False,50"};
    // Calculated columns: the result type, and a Text result's size without the 23 bytes of calculation
    // data; they are never flagged fixed.
    QTest::addRow("calculated columns")
        << "calcFieldTestV2010.accdb"
        << "Table1"
        << QStringList{
               "ID,4,4,False,49",           "FirstName,10,255,True,34",    "LastName,10,255,True,34",
               "LastFirst,10,243,False,34", "City,10,255,True,34",         "LastFirstLen,4,4,False,34",
               "Salary,5,8,False,33",       "MonthlySalary,5,8,False,34",  "IsRich,1,1,False,34",
               "AllNames,12,0,False,34",    "WeeklySalary,20,17,False,34", "SalaryTest,5,8,False,34",
               "BoolTest,1,1,False,34",     "Popularity,20,17,False,34",   "DecimalTest,20,17,False,34",
               "FloatTest,6,4,False,34",    "BigNumTest,20,17,False,34"};
    QTest::addRow("linked table, read through its link")
        << "linkerTestV2007.accdb"
        << "Table2" << QStringList{"ID,4,4,False,49", "Field1,10,255,True,34"};
}

void TestSchemaReader::fields() {
    REQUIRE_FIXTURES();
    QFETCH(QString, file);
    QFETCH(QString, table);
    QFETCH(QStringList, expected);
    QCOMPARE(describe(reader_.GetTableFields(fixture(file), table)), expected);
}

void TestSchemaReader::indexes_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("expected");
    QTest::addRow("foreign-key indexes of relationships") << "indexTestV2000.mdb"
                                                          << "Table1"
                                                          << "id|PrimaryKey|Table2Table1|Table3Table1";
    QTest::addRow("back-reference entry left out") << "indexTestV2000.mdb"
                                                   << "Table2"
                                                   << "id|PrimaryKey";
    QTest::addRow("Jet 3") << "testV1997.mdb"
                           << "Table1"
                           << "B|PrimaryKey";
    QTest::addRow("exactly one index") << "compIndexTestV2003.mdb"
                                       << "Table1"
                                       << "CD_AGENTE";
    QTest::addRow("no PrimaryKey among them") << "test2V2003.mdb"
                                              << "MSP_PROJECTS"
                                              << "I_MSP_PROJECTS|I_PROJ_NAME";
    QTest::addRow("table without index") << "testV2007.accdb"
                                         << "MSysNavPaneObjectIDs"
                                         << "NOT";
    QTest::addRow("linked table, read through its link") << "linkerTestV2007.accdb"
                                                         << "Table2"
                                                         << "PrimaryKey";
}

void TestSchemaReader::indexes() {
    REQUIRE_FIXTURES();
    QFETCH(QString, file);
    QFETCH(QString, table);
    QFETCH(QString, expected);
    QCOMPARE(describe(reader_.GetTableIndexes(fixture(file), table)), expected);
}

// The catalog Type of a table row, rewritten in a copy of a fixture. The offsets are those of the Type
// value in the catalog rows of these files; the original value (1, a local table) is checked first.
QString TestSchemaReader::withCatalogTypes(const QString& file, const QList<QPair<qint64, qint16>>& types) {
    QFile original(fixture(file));
    if (!original.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = original.readAll();
    for (const auto& [offset, type] : types) {
        if (bytes.mid(offset, 2) != QByteArray("\x01\x00", 2))
            return {};
        bytes[offset] = char(type & 0xFF);
        bytes[offset + 1] = char((type >> 8) & 0xFF);
    }
    const QString path = scratch_.filePath(QStringLiteral("types-") + file);
    return writeFile(path, bytes) ? path : QString();
}

void TestSchemaReader::linkedTables() {
    REQUIRE_FIXTURES();
    // testV1997.mdb: Table3 becomes a link to an Access file (6), Table4 an ODBC link (4).
    const QString linked = withCatalogTypes("testV1997.mdb", {{37629, 6}, {37562, 4}});
    QVERIFY2(!linked.isEmpty(), "the catalog rows of Table3 and Table4 are not where this test expects them");
    QCOMPARE(describe(reader_.GetTableNames(linked)),
             describe(reader_.GetTableNames(fixture("testV1997.mdb"))));
    // Neither link names a file: both are left unread on purpose, not as damage.
    for (const QString table : {"Table3", "Table4"}) {
        QCOMPARE(reader_.GetTableFields(linked, table), FieldTable::notRead());
        QCOMPARE(reader_.GetTableIndexes(linked, table), IndexList(NoIndexes{}));
    }
    QCOMPARE(reader_.GetTableFields(linked, "Table1").upperBound(), 9);

    // indexTestV2000.mdb: Table3 becomes a report (-32764), whose low bits look like an ODBC link.
    const QString report = withCatalogTypes("indexTestV2000.mdb", {{59585, qint16(-32764)}});
    QVERIFY2(!report.isEmpty(), "the catalog row of Table3 is not where this test expects it");
    const TableList tables = reader_.GetTableNames(report);
    QVERIFY(std::holds_alternative<TextList>(tables));
    QVERIFY(std::get<TextList>(tables).items().contains("Table2"));
    QVERIFY(!std::get<TextList>(tables).items().contains("Table3"));
}

// The linked file lies neither at its stored path (a Windows path) nor beside the database.
void TestSchemaReader::linkedFileGone() {
    REQUIRE_FIXTURES();
    const QString path = scratch_.filePath("alone/linkerTestV2007.accdb");
    QVERIFY(QDir().mkpath(scratch_.filePath("alone")));
    QVERIFY(QFile::copy(fixture("linkerTestV2007.accdb"), path));
    QCOMPARE(reader_.GetTableFields(path, "Table2"), FieldTable::notRead());
    QVERIFY(reader_.GetTableFields(path, "Table2").isNotRead());
    QVERIFY(!reader_.GetTableFields(path, "Table2").isUnreadable());
    QCOMPARE(reader_.GetTableIndexes(path, "Table2"), IndexList(NoIndexes{}));
    QCOMPARE(describe(reader_.GetTableFields(path, "Table1")),
             QStringList({"ID,4,4,False,49", "Field1,10,255,True,34"}));
    auto snapshot = SchemaSnapshot::read(reader_, path);
    QVERIFY(std::holds_alternative<SchemaSnapshot>(snapshot));
    QCOMPARE(std::get<SchemaSnapshot>(snapshot).GetTableFields(path, "Table2"), FieldTable::notRead());
    const TableDefinition& table2 = std::get<SchemaSnapshot>(snapshot).database().tables.at(
        std::get<TextList>(reader_.GetTableNames(path)).items().indexOf("Table2"));
    QCOMPARE(table2.columnsState, ReadState::NotRead);
    QCOMPARE(table2.indexesState, ReadState::NotRead);
}

// Windows file names ignore letter case, so a copied folder may hold the file in other letters. A file of
// that name which is no database is a failed read, not a missing file.
void TestSchemaReader::linkedFileFoundByName() {
    REQUIRE_FIXTURES();
    QVERIFY(QDir().mkpath(scratch_.filePath("cased")));
    const QString path = scratch_.filePath("cased/linker.accdb");
    QVERIFY(QFile::copy(fixture("linkerTestV2007.accdb"), path));
    QVERIFY(QFile::copy(fixture("linkeeTest.accdb"), scratch_.filePath("cased/LINKEETEST.ACCDB")));
    QCOMPARE(describe(reader_.GetTableFields(path, "Table2")),
             QStringList({"ID,4,4,False,49", "Field1,10,255,True,34"}));

    QVERIFY(QDir().mkpath(scratch_.filePath("broken")));
    const QString broken = scratch_.filePath("broken/linker.accdb");
    QVERIFY(QFile::copy(fixture("linkerTestV2007.accdb"), broken));
    QVERIFY(writeFile(scratch_.filePath("broken/linkeeTest.accdb"), "not a database"));
    QCOMPARE(reader_.GetTableFields(broken, "Table2"), FieldTable::unreadable());
    QCOMPARE(reader_.GetTableIndexes(broken, "Table2"), unreadableIndexes());
}

// A link is followed one level only: when the linked file is the linking database itself and the foreign
// table is the link (here the linker copied under the linkee's name), the read ends at once, unread.
void TestSchemaReader::linkIsFollowedOneLevel() {
    REQUIRE_FIXTURES();
    QVERIFY(QDir().mkpath(scratch_.filePath("ring")));
    const QString path = scratch_.filePath("ring/linkeeTest.accdb");
    QFile original(fixture("linkerTestV2007.accdb"));
    QVERIFY(original.open(QIODevice::ReadOnly));
    QByteArray bytes = original.readAll();
    // The link's foreign name, "Table1" in UTF-16 at this offset of its catalog row, becomes "Table2".
    constexpr qsizetype foreignName = 70030;
    QVERIFY2(bytes.mid(foreignName, 12) == QByteArray("T\0a\0b\0l\0e\0"
                                                      "1\0",
                                                      12),
             "the foreign name of the link is not where this test expects it");
    bytes[foreignName + 10] = '2';
    QVERIFY(writeFile(path, bytes));
    QCOMPARE(reader_.GetTableFields(path, "Table2"), FieldTable::notRead());
    QCOMPARE(reader_.GetTableIndexes(path, "Table2"), IndexList(NoIndexes{}));
}

void TestSchemaReader::unknownTable() {
    REQUIRE_FIXTURES();
    QCOMPARE(reader_.GetTableFields(fixture("testV1997.mdb"), "NoSuchTable"), FieldTable::unreadable());
    QCOMPARE(reader_.GetTableIndexes(fixture("testV1997.mdb"), "NoSuchTable"), unreadableIndexes());
    // Nor is a file that cannot be read a table with fields.
    QCOMPARE(reader_.GetTableFields(scratch_.filePath("missing.mdb"), "Table1"), FieldTable::unreadable());
    QCOMPARE(reader_.GetTableIndexes(scratch_.filePath("missing.mdb"), "Table1"), unreadableIndexes());
}

void TestSchemaReader::notADatabase_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content"); // written to the file unless the row is about no file at all
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("description");

    QByteArray jet4Header(4096, '\0');
    jet4Header.replace(4, 15, "Standard Jet DB");
    jet4Header[0x14] = 1;
    QTest::addRow("missing file") << "missing.mdb" << QByteArray() << 3024 << "Could not find file '%1'.";
    QTest::addRow("folder") << "folder" << QByteArray() << 3051 << "Cannot open the file '%1'.";
    QTest::addRow("empty file") << "empty.mdb" << QByteArray("") << 3343
                                << "Unrecognized database format '%1'.";
    QTest::addRow("text file") << "notes.mdb" << QByteArray("just some text\r\n").repeated(1000) << 3343
                               << "Unrecognized database format '%1'.";
    QTest::addRow("header but only one page")
        << "short.mdb" << jet4Header << 3343 << "Unrecognized database format '%1'.";
    QTest::addRow("header, rest zero-filled")
        << "zeros.mdb" << jet4Header + QByteArray(4096 * 20, '\0') << 3049
        << "Cannot open database '%1'. The file may be damaged.";
}

void TestSchemaReader::notADatabase() {
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(int, number);
    QFETCH(QString, description);
    const QString path = scratch_.filePath(name);
    if (name == "folder")
        QVERIFY(QDir().mkpath(path));
    else if (!content.isNull())
        QVERIFY(writeFile(path, content));
    QCOMPARE(describe(reader_.GetTableNames(path)),
             describe(TableList(ReadFailure{number, description.arg(path)})));
}

void TestSchemaReader::noPermission() {
    REQUIRE_FIXTURES();
    if (::geteuid() == 0)
        QSKIP("root reads every file, so no file lacks permission");
    const QString path = scratch_.filePath("locked.mdb");
    QVERIFY(QFile::copy(fixture("emptyJet4.mdb"), path));
    QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions()));
    QCOMPARE(describe(reader_.GetTableNames(path)),
             describe(TableList(ReadFailure{3051, QStringLiteral("Cannot open the file '%1'.").arg(path)})));
}

void TestSchemaReader::fifoDoesNotHang() {
    const QString path = scratch_.filePath("pipe.mdb");
    QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(describe(reader_.GetTableNames(path)),
             describe(TableList(ReadFailure{3051, QStringLiteral("Cannot open the file '%1'.").arg(path)})));
    QCOMPARE(reader_.GetTableFields(path, "Table1"), FieldTable::unreadable());
    QVERIFY(timer.elapsed() < 5000);
}

// Damage that gets past the header check must end in an answer, never in a crash or a hang.
void TestSchemaReader::damagedFileDoesNotCrash() {
    REQUIRE_FIXTURES();
    QFile original(fixture("indexTestV2000.mdb"));
    QVERIFY(original.open(QIODevice::ReadOnly));
    const QByteArray bytes = original.readAll();

    const QString halfPath = scratch_.filePath("half.mdb");
    QVERIFY(writeFile(halfPath, bytes.left(bytes.size() / 2)));
    reader_.GetTableNames(halfPath);
    reader_.GetTableFields(halfPath, "Table1");
    reader_.GetTableIndexes(halfPath, "Table1");

    // Only the catalog's table definition survives: the catalog lists nothing, not even itself.
    QByteArray blank(bytes.size(), '\0');
    blank.replace(0, 3 * 4096, bytes.left(3 * 4096));
    const QString blankPath = scratch_.filePath("blank.mdb");
    QVERIFY(writeFile(blankPath, blank));
    const TableList list = reader_.GetTableNames(blankPath);
    QVERIFY2(std::holds_alternative<ReadFailure>(list), qPrintable(describe(list)));
    QCOMPARE(std::get<ReadFailure>(list).number, 3049);

    // Whatever happened above, the reader still answers.
    QCOMPARE(describe(reader_.GetTableIndexes(fixture("testV1997.mdb"), "Table1")),
             QStringLiteral("B|PrimaryKey"));
}

void TestSchemaReader::fileIsLeftUnchanged() {
    REQUIRE_FIXTURES();
    const QString path = scratch_.filePath("copy.mdb");
    QVERIFY(QFile::copy(fixture("indexTestV2000.mdb"), path));
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    const QDateTime past = QDateTime::currentDateTime().addDays(-3);
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(past, QFileDevice::FileModificationTime));
    }
    const QByteArray before = digest(path);
    const QDateTime modifiedBefore = QFileInfo(path).lastModified();

    QVERIFY(std::holds_alternative<TextList>(reader_.GetTableNames(path)));
    QCOMPARE(reader_.GetTableFields(path, "Table1").upperBound(), 5);
    QVERIFY(std::holds_alternative<TextList>(reader_.GetTableIndexes(path, "Table1")));
    QVERIFY(std::holds_alternative<SchemaSnapshot>(SchemaSnapshot::read(reader_, path)));

    QCOMPARE(digest(path), before);
    QCOMPARE(QFileInfo(path).lastModified(), modifiedBefore);
}

void TestSchemaReader::snapshotEqualsPerCallAnswers_data() {
    QTest::addColumn<QString>("file");
    const QStringList files = QDir(fixturesDir).entryList({"*.mdb", "*.accdb"}, QDir::Files, QDir::Name);
    for (const QString& file : files)
        QTest::newRow(qPrintable(file)) << file;
    QTest::newRow("missing file") << "no-such-file.mdb";
}

void TestSchemaReader::snapshotEqualsPerCallAnswers() {
    REQUIRE_FIXTURES();
    QFETCH(QString, file);
    const QString path = fixture(file);
    auto snapshot = SchemaSnapshot::read(reader_, path);
    const TableList tables = reader_.GetTableNames(path);
    if (const auto* failure = std::get_if<ReadFailure>(&tables)) {
        QVERIFY(std::holds_alternative<ReadFailure>(snapshot));
        QCOMPARE(std::get<ReadFailure>(snapshot), *failure);
        return;
    }
    QVERIFY(std::holds_alternative<SchemaSnapshot>(snapshot));
    SchemaSnapshot& fromMemory = std::get<SchemaSnapshot>(snapshot);
    QCOMPARE(describe(fromMemory.GetTableNames(path)), describe(tables));
    for (const QString& table : std::get<TextList>(tables).items()) {
        QCOMPARE(describe(fromMemory.GetTableFields(path, table)),
                 describe(reader_.GetTableFields(path, table)));
        QCOMPARE(describe(fromMemory.GetTableIndexes(path, table)),
                 describe(reader_.GetTableIndexes(path, table)));
    }
    QCOMPARE(fromMemory.GetTableFields(path, "NoSuchTable"), FieldTable::unreadable());
    QCOMPARE(fromMemory.GetTableIndexes(path, "NoSuchTable"), unreadableIndexes());
}

QTEST_GUILESS_MAIN(TestSchemaReader)
#include "TestSchemaReader.moc"
