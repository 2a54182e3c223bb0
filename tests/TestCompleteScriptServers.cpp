// The complete scripts loaded into real servers (PostgreSQL, MariaDB, SQLite, each started by this test in a
// temporary folder): every fixture, every database of the mkmdb corpus and a hand-built schema with every
// case must load without an error, and the server's own catalog must then hold what the reader read.

#include "CliWindow.h"
#include "CompleteScriptSamples.h"
#include "ConversionRun.h"
#include "MdbTestCorpus.h"
#include "MdbWriter.h"
#include "ReaderProcess.h"
#include "SchemaFromTexts.h"
#include "servers/TestServer.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {

const QString fixtures = QStringLiteral(VELTRANE_FIXTURES_DIR);
const QString readerPath = QStringLiteral(VELTRANE_BIN_DIR) + "/veltrane-reader";

// Answers the whole-schema question with a schema built by the test.
class SchemaOnlyReader : public SchemaReader {
public:
    explicit SchemaOnlyReader(DatabaseSchema schema) : schema_(std::move(schema)) {}
    TableList GetTableNames(const QString&) override { return ReadFailure{3024, "not asked"}; }
    FieldTable GetTableFields(const QString&, const QString&) override { return FieldTable::unreadable(); }
    IndexList GetTableIndexes(const QString&, const QString&) override { return NoIndexes{}; }
    std::variant<ReadFailure, DatabaseSchema> GetDatabaseSchema(const QString&) override { return schema_; }

private:
    DatabaseSchema schema_;
};

// The catalog type each server reports for an Access type, written out here independently of the writers.
QString expectedType(const QString& server, const ColumnDefinition& c) {
    // A calculated column's ResultType is a Jet type byte.
    const int jet = c.calculated && c.resultType ? c.resultType : c.jetType;
    const QString n = QString::number(c.size > 0 ? c.size : 255);
    const QString b = QString::number(c.size > 0 ? c.size : 510);
    const QString ps = QStringLiteral("%1,%2").arg(c.precision > 0 ? c.precision : 18).arg(c.scale);
    const bool pg = server == "postgres";
    const bool my = server == "mariadb";
    switch (JetType(jet)) {
    case JetType::Boolean:
        return pg ? "boolean" : my ? "tinyint(1)" : "boolean";
    case JetType::Byte:
        return pg ? "smallint" : my ? "tinyint(3) unsigned" : "tinyint";
    case JetType::Integer:
        return pg ? "smallint" : my ? "smallint(6)" : "smallint";
    case JetType::Long:
        return pg ? "integer" : my ? "int(11)" : "integer";
    case JetType::BigInt:
        return pg ? "bigint" : my ? "bigint(20)" : "bigint";
    case JetType::Currency:
        return pg ? "numeric(19,4)" : my ? "decimal(19,4)" : "numeric(19,4)";
    case JetType::Decimal:
        // A calculated result of unknown precision: the widest exact decimal.
        if (c.calculated && c.precision <= 0)
            return pg ? "numeric" : my ? "decimal(65,30)" : "numeric";
        return (pg ? "numeric(" : my ? "decimal(" : "numeric(") + ps + ")";
    case JetType::Single:
        return pg ? "real" : my ? "float" : "real";
    case JetType::Double:
        return pg ? "double precision" : my ? "double" : "double";
    case JetType::DateTime:
        return pg ? "timestamp without time zone" : my ? "datetime" : "datetime";
    case JetType::DateTimeExtended:
        return pg ? "timestamp without time zone" : my ? "datetime(6)" : "datetime";
    case JetType::Text:
        return (pg ? "character varying(" : "varchar(") + n + ")";
    case JetType::Memo:
        return pg ? "text" : my ? "longtext" : "text";
    case JetType::Binary:
        return pg ? "bytea" : my ? "varbinary(" + b + ")" : "blob";
    case JetType::OleObject:
    case JetType::LongBinary0D:
    case JetType::LongBinary11:
        return pg ? "bytea" : my ? "longblob" : "blob";
    case JetType::Guid:
        return pg ? "uuid" : "char(38)";
    default: // a type byte Access does not define: its bytes
        return pg ? "bytea" : my ? "longblob" : "blob";
    }
}

// PostgreSQL keeps 63 bytes of a name; the script cuts longer ones itself. MariaDB's names hold no character
// outside the Basic Multilingual Plane: the script writes each as U+ and its code point.
QString serverName(const QString& server, QString name) {
    while (server == "postgres" && name.toUtf8().size() > 63)
        name.chop(1);
    if (server == "mariadb") {
        QString kept;
        for (char32_t c : name.toUcs4())
            kept += c > 0xFFFF ? "U+" + QString::number(uint(c), 16).toUpper() : QString(QChar(char16_t(c)));
        name = kept;
    }
    return name;
}

bool skippedTable(const TableDefinition& t, bool systemTables) {
    return !systemTables && (t.name.startsWith("MSys") || t.name.isEmpty() || t.system);
}

bool writtenColumn(const ColumnDefinition& c) {
    return c.complexType == ComplexType::None && c.jetType != int(JetType::Complex);
}

bool writtenTable(const TableDefinition& t) {
    return t.columnsState == ReadState::Read &&
           std::any_of(t.columns.cbegin(), t.columns.cend(), writtenColumn);
}

const ColumnDefinition* findColumn(const TableDefinition& t, const QString& name) {
    for (const ColumnDefinition& c : t.columns)
        if (c.name.compare(name, Qt::CaseInsensitive) == 0 && writtenColumn(c))
            return &c;
    return nullptr;
}

bool indexWritable(const TableDefinition& t, const IndexDefinition& i) {
    return !i.columns.isEmpty() && std::all_of(i.columns.cbegin(), i.columns.cend(),
                                               [&t](const IndexColumn& c) { return findColumn(t, c.name); });
}

QString indexText(bool unique, const QStringList& columns) {
    return (unique ? "UNIQUE " : "") + columns.join(", ");
}

struct Expected {
    CatalogTable table;
    QStringList indexes;
};

// The table of each complex column: the parent's key, then the values, with a foreign key to the parent.
QList<Expected> expectedChildren(const QString& server, const TableDefinition& t, const IndexDefinition& pk) {
    const auto cut = [&server](const QString& name) { return serverName(server, name); };
    QList<Expected> children;
    for (const ColumnDefinition& c : t.columns) {
        const auto storage =
            std::find_if(t.storageTables.cbegin(), t.storageTables.cend(), [&](const StorageTable& s) {
                return !c.storageTable.isEmpty() && s.name == c.storageTable;
            });
        if (writtenColumn(c) || storage == t.storageTables.cend())
            continue;
        Expected e;
        e.table.name = cut(t.name + "_" + c.name);
        CatalogForeignKey fk;
        fk.referencedTable = cut(t.name);
        fk.onUpdate = "NO ACTION";
        fk.onDelete = "CASCADE";
        for (const IndexColumn& k : pk.columns) {
            ColumnDefinition key = *findColumn(t, k.name);
            key.autoNumber = false;
            e.table.columns << CatalogTableColumn{cut(key.name), expectedType(server, key), true};
            fk.columns << cut(key.name);
            fk.referencedColumns << cut(key.name);
        }
        // An attachment's file name, type and bytes, in that order; the other kinds' values as stored.
        const QStringList attachment{"FileName", "FileType", "FileData"};
        QList<ColumnDefinition> values;
        for (const QString& name : attachment)
            for (const ColumnDefinition& v : storage->columns)
                values << QList<ColumnDefinition>(c.complexType == ComplexType::Attachment && v.name == name,
                                                  v);
        for (const ColumnDefinition& v : storage->columns)
            if (c.complexType != ComplexType::Attachment && !v.autoNumber && v.name != "_" + c.name)
                values << v;
        for (const ColumnDefinition& v : values)
            e.table.columns << CatalogTableColumn{cut(v.name), expectedType(server, v), false};
        e.table.foreignKeys << fk;
        if (server == "mariadb") // which makes an index for the foreign key
            e.indexes << indexText(false, fk.columns);
        children << e;
    }
    return children;
}

// What the server must hold for the schema: tables, columns, keys, indexes and foreign keys.
QList<Expected> expectedCatalog(const QString& server, const DatabaseSchema& schema, bool systemTables) {
    const auto cut = [&server](const QString& name) { return serverName(server, name); };
    QList<Expected> result;
    QList<const TableDefinition*> written;
    for (const TableDefinition& t : schema.tables) {
        if (skippedTable(t, systemTables) || !writtenTable(t))
            continue;
        written << &t;
        Expected e;
        e.table.name = cut(t.name);
        const IndexDefinition* pk = nullptr;
        for (const IndexDefinition& i : t.indexes)
            if (i.primaryKey && indexWritable(t, i))
                pk = &i;
        for (const ColumnDefinition& c : t.columns) {
            if (!writtenColumn(c))
                continue;
            bool inKey = false;
            for (const IndexColumn& k : pk ? pk->columns : QList<IndexColumn>())
                inKey = inKey || k.name.compare(c.name, Qt::CaseInsensitive) == 0;
            const bool notNull = c.required || inKey || c.jetType == int(JetType::Boolean) ||
                                 (c.autoNumber && c.jetType == int(JetType::Long)) || c.guidAutoNumber;
            e.table.columns << CatalogTableColumn{cut(c.name), expectedType(server, c), notNull};
        }
        if (pk)
            for (const IndexColumn& k : pk->columns)
                e.table.primaryKey << cut(findColumn(t, k.name)->name);
        QStringList firstColumns; // of the keys the server holds
        if (pk)
            firstColumns << pk->columns.first().name.toLower();
        for (const IndexDefinition& i : t.indexes) {
            if (i.primaryKey || !indexWritable(t, i))
                continue;
            QStringList columns;
            for (const IndexColumn& k : i.columns)
                columns << cut(findColumn(t, k.name)->name) + (k.descending ? " DESC" : "");
            e.indexes << indexText(i.unique, columns);
            firstColumns << i.columns.first().name.toLower();
        }
        // MariaDB numbers only a column that begins a key: an AutoNumber without one gets a key of its own.
        for (const ColumnDefinition& c : t.columns)
            if (server == "mariadb" && c.autoNumber && c.jetType == int(JetType::Long) &&
                !firstColumns.contains(c.name.toLower()))
                e.indexes << indexText(false, {cut(c.name)});
        result << e;
        if (pk)
            result << expectedChildren(server, t, *pk);
    }
    // Foreign keys of the enforced relationships whose referenced columns are a key of the script.
    for (const Relationship& r : schema.relationships) {
        if (!r.enforced || r.columns.isEmpty())
            continue;
        Expected* from = nullptr;
        const TableDefinition* to = nullptr;
        for (Expected& e : result)
            if (e.table.name == cut(r.table))
                from = &e;
        for (const TableDefinition* t : written)
            if (t->name == r.referencedTable)
                to = t;
        if (!from || !to)
            continue;
        QStringList referenced;
        for (const RelationshipColumn& c : r.columns)
            referenced << c.referencedColumn.toLower();
        referenced.sort();
        bool keyed = false;
        for (const IndexDefinition& i : to->indexes) {
            QStringList key;
            for (const IndexColumn& k : i.columns)
                key << k.name.toLower();
            key.sort();
            keyed = keyed || ((i.unique || i.primaryKey) && key == referenced && indexWritable(*to, i));
        }
        if (!keyed)
            continue;
        CatalogForeignKey fk;
        fk.referencedTable = cut(r.referencedTable);
        for (const RelationshipColumn& c : r.columns) {
            fk.columns << cut(c.column);
            fk.referencedColumns << cut(c.referencedColumn);
        }
        fk.onUpdate = r.cascadeUpdate ? "CASCADE" : "NO ACTION";
        fk.onDelete = r.cascadeDelete ? "CASCADE" : r.cascadeSetNull ? "SET NULL" : "NO ACTION";
        from->table.foreignKeys << fk;
    }
    return result;
}

// Column pairs sorted, so the order in which a server lists them does not matter.
QString foreignKeyText(const CatalogForeignKey& fk) {
    QStringList pairs;
    for (int i = 0; i < fk.columns.size(); ++i)
        pairs << fk.columns[i] + "->" + fk.referencedColumns.value(i);
    pairs.sort();
    return fk.referencedTable + " (" + pairs.join(", ") + ") ON UPDATE " + fk.onUpdate + " ON DELETE " +
           fk.onDelete;
}

void compareCatalog(const QString& server, const QList<Expected>& expected, const Catalog& catalog,
                    const QString& script) {
    QStringList expectedNames;
    for (const Expected& e : expected)
        expectedNames << e.table.name;
    expectedNames.sort();
    QStringList catalogNames;
    for (const CatalogTable& t : catalog)
        catalogNames << t.name;
    catalogNames.sort();
    QCOMPARE(catalogNames, expectedNames);
    for (const Expected& e : expected) {
        const CatalogTable& actual = *std::find_if(
            catalog.cbegin(), catalog.cend(), [&e](const CatalogTable& t) { return t.name == e.table.name; });
        const QString where = "table " + e.table.name + ": ";
        QCOMPARE(actual.columns.size(), e.table.columns.size());
        for (int i = 0; i < actual.columns.size(); ++i) {
            const CatalogTableColumn& a = actual.columns[i];
            const CatalogTableColumn& x = e.table.columns[i];
            QVERIFY2(a.name == x.name, qPrintable(where + a.name + " != " + x.name));
            // InnoDB cannot hold some rows: the script widens text and binary columns, and says so.
            const bool widened = server == "mariadb" &&
                                 ((x.type.startsWith("varchar") && a.type == "text") ||
                                  (x.type.startsWith("varbinary") && a.type == "blob")) &&
                                 script.contains("written as long values");
            QVERIFY2(a.type == x.type || widened,
                     qPrintable(where + a.name + ": " + a.type + " != " + x.type));
            QVERIFY2(a.notNull == x.notNull,
                     qPrintable(where + a.name + ": NOT NULL " + QString::number(a.notNull)));
        }
        QCOMPARE(actual.primaryKey, e.table.primaryKey);
        QStringList fkNames;
        QStringList actualFks;
        for (const CatalogForeignKey& fk : actual.foreignKeys) {
            actualFks << foreignKeyText(fk);
            fkNames << fk.name;
        }
        QStringList expectedFks;
        for (const CatalogForeignKey& fk : e.table.foreignKeys)
            expectedFks << foreignKeyText(fk);
        actualFks.sort();
        expectedFks.sort();
        QCOMPARE(actualFks, expectedFks);
        QStringList actualIndexes;
        QStringList expectedIndexes = e.indexes;
        for (const CatalogIndex& i : actual.indexes)
            // MariaDB adds an index for a foreign key that has none; Access always has one, unless the
            // script was asked for no indexes.
            if (!(server == "mariadb" && fkNames.contains(i.name) &&
                  !expectedIndexes.contains(indexText(i.unique, i.columns))))
                actualIndexes << indexText(i.unique, i.columns);
        actualIndexes.sort();
        expectedIndexes.sort();
        QCOMPARE(actualIndexes, expectedIndexes);
    }
}

} // namespace

class TestCompleteScriptServers : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void loadsAndMatchesCatalog_data();
    void loadsAndMatchesCatalog();
    void grantsLoad_data();
    void grantsLoad();
    void rulesRefuseAsAccess_data();
    void rulesRefuseAsAccess();
    void defaultsAndTextCase_data();
    void defaultsAndTextCase();

private:
    TestServer* server(const QString& name);
    QString whole(const ConversionOptions& options, SchemaReader& reader);

    std::unique_ptr<TestServer> postgres_, mariadb_, sqlite_;
    QMap<QString, QString> why_;
    QTemporaryDir corpus_;
};

void TestCompleteScriptServers::initTestCase() {
    QString why;
    postgres_ = startPostgres(why);
    why_["postgres"] = why;
    mariadb_ = startMariaDb(why);
    why_["mariadb"] = why;
    sqlite_ = startSqlite(why);
    why_["sqlite"] = why;
    for (const MdbTestDatabase& db : mdbTestCorpus()) {
        std::string error;
        QVERIFY2(writeMdb(db.schema, corpus_.filePath(QString::fromStdString(db.name) + ".mdb").toStdString(),
                          &error),
                 error.c_str());
    }
}

TestServer* TestCompleteScriptServers::server(const QString& name) {
    return name == "postgres" ? postgres_.get() : name == "mariadb" ? mariadb_.get() : sqlite_.get();
}

QString TestCompleteScriptServers::whole(const ConversionOptions& options, SchemaReader& reader) {
    CliWindow window(options, false);
    cmdGenSQL_Click(window, reader);
    return window.script();
}

void TestCompleteScriptServers::loadsAndMatchesCatalog_data() {
    QTest::addColumn<QString>("server");
    QTest::addColumn<QString>("database"); // empty: the hand-built schema
    QTest::addColumn<bool>("systemTables");
    QTest::addColumn<bool>("keys");
    const QMap<QString, QString> types{
        {"postgres", "PostgreSQL"}, {"mariadb", "MySQL"}, {"sqlite", "SQLite"}};
    QStringList databases;
    for (const char* f : {"testV1997.mdb", "indexTestV2000.mdb", "compIndexTestV2003.mdb", "test2V2003.mdb",
                          "testV2007.accdb", "emptyJet4.mdb", "adox_jet4.mdb", "calcFieldTestV2010.accdb",
                          "complexDataTestV2010.accdb", "linkerTestV2007.accdb", "linkeeTest.accdb"})
        databases << fixtures + "/" + f;
    for (const MdbTestDatabase& db : mdbTestCorpus())
        databases << "corpus:" + QString::fromStdString(db.name);
    databases << QString();
    for (const QString& server : types.keys())
        for (const QString& db : databases)
            for (bool system : {false, true}) {
                const QString label = db.isEmpty() ? "hand-built" : QFileInfo(db).fileName();
                QTest::addRow("%s %s%s", qPrintable(server), qPrintable(label), system ? " system" : "")
                    << server << db << system << true;
                if (db.isEmpty())
                    QTest::addRow("%s %s%s no keys", qPrintable(server), qPrintable(label),
                                  system ? " system" : "")
                        << server << db << system << false;
            }
}

void TestCompleteScriptServers::loadsAndMatchesCatalog() {
    QFETCH(QString, server);
    QFETCH(QString, database);
    QFETCH(bool, systemTables);
    QFETCH(bool, keys);
    TestServer* target = this->server(server);
    if (!target)
        skipOrFail(why_[server]);
    QString path = database;
    if (path.startsWith("corpus:"))
        path = corpus_.filePath(path.mid(7) + ".mdb");
    else if (!path.isEmpty() && !QFile::exists(path))
        QSKIP("../shared/fixtures is absent: the real Access files are not here");

    ConversionOptions options;
    options.DatabasePath = path.isEmpty() ? QStringLiteral("hand-built.mdb") : path;
    options.ScriptType = server == "postgres" ? "PostgreSQL" : server == "mariadb" ? "MySQL" : "SQLite";
    options.IncludeSystemTables = systemTables;
    options.CreatePrimaryKey = options.CreateIndexes = keys;
    DatabaseSchema schema;
    std::unique_ptr<SchemaReader> reader;
    if (path.isEmpty()) {
        schema = samples::richSchema();
        reader = std::make_unique<SchemaOnlyReader>(schema);
    } else {
        reader = std::make_unique<ReaderProcess>(readerPath);
        auto answer = reader->GetDatabaseSchema(path);
        QVERIFY(std::holds_alternative<DatabaseSchema>(answer));
        schema = std::get<DatabaseSchema>(answer);
    }
    if (!keys)
        for (TableDefinition& t : schema.tables)
            t.indexes.clear();
    const QString script = whole(options, *reader);
    QVERIFY(script.startsWith("-- RESULTS: \r\n"));
    const LoadResult loaded = target->load(script.toUtf8());
    QVERIFY2(loaded.ok, qPrintable(loaded.error));
    compareCatalog(server, expectedCatalog(server, schema, systemTables), target->catalog(), script);
}

void TestCompleteScriptServers::grantsLoad_data() {
    QTest::addColumn<QString>("server");
    QTest::addColumn<QString>("createUser");
    QTest::addRow("postgres") << "postgres"
                              << "CREATE ROLE veltrane_reader";
    QTest::addRow("mariadb") << "mariadb"
                             << "CREATE USER veltrane_reader";
}

void TestCompleteScriptServers::grantsLoad() {
    QFETCH(QString, server);
    QFETCH(QString, createUser);
    TestServer* target = this->server(server);
    if (!target)
        skipOrFail(why_[server]);
    const LoadResult created = target->execute(createUser);
    QVERIFY2(created.ok, qPrintable(created.error));
    ConversionOptions options;
    options.DatabasePath = "hand-built.mdb";
    options.ScriptType = server == "postgres" ? "PostgreSQL" : "MySQL";
    options.CreatePermissions = true;
    options.GrantDelete = false;
    options.UserNames = "veltrane_reader";
    SchemaOnlyReader reader(samples::richSchema());
    const QString script = whole(options, reader);
    QVERIFY(script.contains("GRANT REFERENCES, SELECT, INSERT, UPDATE ON "));
    const LoadResult loaded = target->load(script.toUtf8());
    QVERIFY2(loaded.ok, qPrintable(loaded.error));
}

namespace {

// The validation rules of the fixtures, each on a column of one table, a Required text without zero-length
// strings, and a table rule over two columns.
DatabaseSchema ruleSchema() {
    const auto ruled = [](ColumnDefinition c, const QString& rule) {
        c.validationRule = rule;
        return c;
    };
    using samples::column;
    TableDefinition table =
        samples::table("Rules", {ruled(column("Quantity", JetType::Integer), ">0"),
                                 ruled(column("Stock", JetType::Long), ">=0"),
                                 ruled(column("Discount", JetType::Single), "Between 0 And 1"),
                                 ruled(column("Gender", JetType::Text, 1), "\"F\" Or \"M\""),
                                 ruled(column("Age", JetType::Long), ">3 And <100"),
                                 ruled(column("Born", JetType::DateTime), ">=#1/1/1900#"),
                                 ruled(column("Due", JetType::DateTime), "<Date()"),
                                 samples::required(column("Code", JetType::Text, 10))});
    table.validationRule = "[Quantity] < 100 Or [Gender] = \"F\"";
    table.validationText = "At most 99 for M";
    DatabaseSchema schema;
    schema.tables << table;
    return schema;
}

} // namespace

void TestCompleteScriptServers::rulesRefuseAsAccess_data() {
    QTest::addColumn<QString>("server");
    for (const char* server : {"postgres", "mariadb", "sqlite"})
        QTest::addRow("%s", server) << server;
}

// For each rule a row Access refuses is refused, and a row it takes is taken (a NULL passes every rule).
void TestCompleteScriptServers::rulesRefuseAsAccess() {
    QFETCH(QString, server);
    TestServer* target = this->server(server);
    if (!target)
        skipOrFail(why_[server]);
    ConversionOptions options;
    options.DatabasePath = "rules.mdb";
    options.ScriptType = server == "postgres" ? "PostgreSQL" : server == "mariadb" ? "MySQL" : "SQLite";
    SchemaOnlyReader reader(ruleSchema());
    const QString script = whole(options, reader);
    const LoadResult loaded = target->load(script.toUtf8());
    QVERIFY2(loaded.ok, qPrintable(loaded.error + "\n" + script));
    const QList<std::pair<QString, bool>> cases{
        {R"(INSERT INTO "Rules" ("Code") VALUES ('a'))", true},
        {R"(INSERT INTO "Rules" ("Code") VALUES (''))", false},
        {R"(INSERT INTO "Rules" ("Code", "Quantity") VALUES ('a', 1))", true},
        {R"(INSERT INTO "Rules" ("Code", "Quantity") VALUES ('a', 0))", false},
        {R"(INSERT INTO "Rules" ("Code", "Stock") VALUES ('a', 0))", true},
        {R"(INSERT INTO "Rules" ("Code", "Stock") VALUES ('a', -1))", false},
        {R"(INSERT INTO "Rules" ("Code", "Discount") VALUES ('a', 1))", true},
        {R"(INSERT INTO "Rules" ("Code", "Discount") VALUES ('a', 1.5))", false},
        {R"(INSERT INTO "Rules" ("Code", "Gender") VALUES ('a', 'f'))", true},
        {R"(INSERT INTO "Rules" ("Code", "Gender") VALUES ('a', 'X'))", false},
        {R"(INSERT INTO "Rules" ("Code", "Age") VALUES ('a', 99))", true},
        {R"(INSERT INTO "Rules" ("Code", "Age") VALUES ('a', 3))", false},
        {R"(INSERT INTO "Rules" ("Code", "Born") VALUES ('a', '1900-01-01 00:00:00'))", true},
        {R"(INSERT INTO "Rules" ("Code", "Born") VALUES ('a', '1899-12-31 00:00:00'))", false},
        {R"(INSERT INTO "Rules" ("Code", "Due") VALUES ('a', '2000-01-01 00:00:00'))", true},
        {R"(INSERT INTO "Rules" ("Code", "Due") VALUES ('a', '2999-01-01 00:00:00'))", false},
        {R"(UPDATE "Rules" SET "Due" = '2999-01-01 00:00:00')", false},
        {R"(INSERT INTO "Rules" ("Code", "Quantity", "Gender") VALUES ('a', 150, 'F'))", true},
        {R"(INSERT INTO "Rules" ("Code", "Quantity", "Gender") VALUES ('a', 150, 'M'))", false}};
    for (const auto& [statement, taken] : cases) {
        QString sql = statement;
        if (server == "mariadb")
            sql.replace('"', '`');
        const LoadResult result = target->execute(sql);
        QVERIFY2(result.ok == taken, qPrintable(sql + (taken ? " refused: " + result.error : " taken")));
    }
}

void TestCompleteScriptServers::defaultsAndTextCase_data() {
    QTest::addColumn<QString>("server");
    QTest::addColumn<bool>("uuids"); // the server makes a GUID default
    QTest::addRow("postgres") << "postgres" << true;
    QTest::addRow("mariadb") << "mariadb" << true;
    QTest::addRow("sqlite") << "sqlite" << false;
}

// A row inserted without its columns gets Access's defaults from the server, and with --text-case
// insensitive a text equals itself in other case, which a unique index then refuses beside it.
void TestCompleteScriptServers::defaultsAndTextCase() {
    QFETCH(QString, server);
    QFETCH(bool, uuids);
    TestServer* target = this->server(server);
    if (!target)
        skipOrFail(why_[server]);
    using samples::column;
    using samples::withDefault;
    DatabaseSchema schema;
    schema.tables << samples::table("t",
                                    {column("code", JetType::Text, 10),
                                     withDefault(column("stamp", JetType::DateTime, 8), "=Now()"),
                                     withDefault(column("due", JetType::DateTime, 8), "=Date()+30"),
                                     withDefault(column("clock", JetType::DateTime, 8), "Time()"),
                                     withDefault(column("mark", JetType::Guid, 16), "GenGUID()"),
                                     withDefault(column("flag", JetType::Boolean, 1), "=Yes"),
                                     withDefault(column("total", JetType::Long, 4), "=2*3+1"),
                                     withDefault(column("label", JetType::Memo), "\"a\" & 'b'")},
                                    {samples::index("code", {{"code"}}, false, true)});
    ConversionOptions options;
    options.DatabasePath = "hand-built.mdb";
    options.ScriptType = server == "postgres" ? "PostgreSQL" : server == "mariadb" ? "MySQL" : "SQLite";
    options.CaseOfTexts = TextCase::Insensitive;
    SchemaOnlyReader reader(schema);
    const QString script = whole(options, reader);
    const LoadResult loaded = target->load(script.toUtf8());
    QVERIFY2(loaded.ok, qPrintable(loaded.error + "\n" + script));
    const LoadResult inserted = target->execute("INSERT INTO t (code) VALUES ('abc')");
    QVERIFY2(inserted.ok, qPrintable(inserted.error));
    QVERIFY2(!target->execute("INSERT INTO t (code) VALUES ('ABC')").ok, "the unique index took ABC");
    QCOMPARE(target->select("SELECT COUNT(*) FROM t WHERE code = 'ABC'"), QList<QStringList>{{"1"}});

    const QList<QStringList> rows =
        target->select("SELECT stamp, due, clock, mark, flag, total, label FROM t");
    QCOMPARE(rows.size(), 1);
    const QStringList& row = rows.front();
    QCOMPARE(row.size(), 7);
    const auto when = [](const QString& text) {
        return QDateTime::fromString(text.left(19), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    };
    const QDateTime now = QDateTime::currentDateTime();
    QVERIFY2(std::abs(when(row[0]).secsTo(now)) < 60, qPrintable(row[0]));
    QCOMPARE(when(row[1]), QDateTime(now.date().addDays(30), QTime(0, 0)));
    QVERIFY2(row[2].startsWith("1899-12-30 "), qPrintable(row[2]));
    QVERIFY2(std::abs(when(row[2]).time().secsTo(now.time())) < 60, qPrintable(row[2]));
    static const QRegularExpression guid(
        "^\\{?[0-9a-fA-F]{8}-[0-9a-fA-F]{4}-[0-9a-fA-F]{4}-[0-9a-fA-F]{4}-[0-9a-fA-F]{12}\\}?$");
    QVERIFY2(uuids ? guid.match(row[3]).hasMatch() : row[3].isEmpty() || row[3] == "NULL",
             qPrintable(row[3]));
    QVERIFY2(row[4] == "t" || row[4] == "1", qPrintable(row[4]));
    QCOMPARE(row[5], "7");
    QCOMPARE(row[6], "ab");
}

QTEST_GUILESS_MAIN(TestCompleteScriptServers)
#include "TestCompleteScriptServers.moc"
