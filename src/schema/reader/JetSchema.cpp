// How the Jet catalog maps to what the Access database engine (DAO) reports. The table list is decided
// here; a table's fields in FieldMapping.h, its index names in TableReading.h, its links in LinkedTables.h.
//
// Tables: every table definition in MSysObjects - local tables (Type 1, system tables included: Flags
//   0x80000000 or 0x2, hidden ones too) and linked tables (Type 6 for links to Access files, Type 4 for
//   ODBC links) - ordered by name without regard to letter case, as the engine's TableDefs collection
//   lists them. Left out are only the storage tables of complex columns (attachment, multi-valued, version
//   history), which the engine never shows: the tables MSysComplexColumns names as FlatTableID, and, for a
//   file whose MSysComplexColumns cannot be read, those named "f_" + 32 hex digits + "_Data". A storage
//   table named otherwise can still be asked for by name.
// Names: Jet 4 and later store them as UTF-16; they are converted as UTF-16, not as libmdb's UCS-2, so
//   characters outside the Basic Multilingual Plane arrive whole. Jet 3 names keep libmdb's code page.
// A table name the catalog does not define gives the "NONE" row and the "NONE" index list.
// Table list failures: 3024 no such file, 3051 not openable (permission, folder, FIFO, device), 3343 not a
//   Jet/ACE file (empty, truncated, wrong header, or libmdb refuses it), 3049 damaged (the catalog cannot be
//   read or does not list MSysObjects itself).
//
// Cost: a request walks the catalog once (CatalogWalk.h); a request for one table stops at that table's
// row.

#include "JetSchema.h"

#include "CatalogFacts.h"
#include "CatalogWalk.h"
#include "ComplexColumns.h"
#include "DatabaseFile.h"
#include "NameOrder.h"
#include "SchemaDetails.h"
#include "TableReading.h"

#include <map>
#include <optional>
#include <utility>
#include <vector>

using namespace readerprotocol;

namespace {

// The catalog of a database, walked once; the failure when it cannot be read.
std::optional<Failure> walkAll(MdbHandle* mdb, const std::string& path, bool withProperties,
                               CatalogWalk& walk) {
    walk = walkCatalog(mdb, [&](const std::string& name) {
        // Storage tables are never answered, so their properties are not read.
        return Visit{
            .keep = true, .withProperties = withProperties && !hasStorageTableName(name), .goOn = true};
    });
    if (!walk.readable || !walk.listsItself)
        return failureFor(DatabaseDamaged, path);
    return std::nullopt;
}

// The tables the list answers, in its order: the catalog's table definitions without the storage tables of
// complex columns.
std::vector<CatalogTable> listedTables(std::vector<CatalogTable> rows, const ComplexColumns& complexColumns) {
    std::erase_if(rows, [&](const CatalogTable& table) {
        return hasStorageTableName(table.name) || complexColumns.storageTables.count(table.id) != 0;
    });
    sortByName(rows, [](const CatalogTable& table) -> const std::string& { return table.name; });
    return rows;
}

// The catalog rows of the tables that store complex columns' values, by catalog Id.
std::map<std::uint32_t, CatalogTable> storageTablesOf(const std::vector<CatalogTable>& rows,
                                                      const ComplexColumns& complexColumns) {
    std::map<std::uint32_t, CatalogTable> storage;
    for (const CatalogTable& row : rows)
        if (complexColumns.storageTables.count(row.id) != 0)
            storage.emplace(row.id, row);
    return storage;
}

// Names the storage table of each complex column of the table and adds its columns to the answer.
void describeStorage(MdbHandle* mdb, const std::string& path, const SchemaDetails& details,
                     std::uint32_t tableId, std::map<std::uint32_t, CatalogTable>& storageRows,
                     TableSchema& schema) {
    if (schema.details.columns.size() != schema.fields.fields.size())
        return;
    for (std::size_t i = 0; i < schema.details.columns.size(); ++i) {
        ColumnDetail& column = schema.details.columns[i];
        if (column.complexType == 0)
            continue;
        const auto flat = details.complexColumns.flatTables.find({tableId, schema.fields.fields[i].name});
        if (flat == details.complexColumns.flatTables.end())
            continue;
        const auto row = storageRows.find(flat->second);
        if (row == storageRows.end())
            continue;
        column.storageTable = row->second.name;
        TableSchema stored = describeTable(mdb, path, row->second, {.fields = true});
        StorageTable& storage = schema.storage.emplace_back();
        storage.name = row->second.name;
        storage.details = describeTableDetails(mdb, details, storage.name, columnProperties(mdb, row->second),
                                               stored.fields, IndexesAnswer{});
        storage.fields = std::move(stored.fields);
    }
}

} // namespace

TablesAnswer readTableNames(const std::string& path, Credentials& credentials) {
    TablesAnswer answer;
    Database database;
    if ((answer.failure = openDatabase(path, credentials, database)))
        return answer;
    CatalogWalk walk;
    if ((answer.failure = walkAll(database.get(), path, false, walk)))
        return answer;
    const ComplexColumns complexColumns = readComplexColumns(database.get(), catalogFactsOf(walk.tables));
    for (const CatalogTable& table : listedTables(std::move(walk.tables), complexColumns))
        answer.names.push_back(table.name);
    return answer;
}

FieldsAnswer readTableFields(const std::string& path, const std::string& tableName,
                             Credentials& credentials) {
    Database database;
    if (openDatabase(path, credentials, database))
        return {};
    std::optional<CatalogTable> table = findTable(database.get(), tableName);
    if (!table)
        return {};
    return describeTable(database.get(), path, *table, {.fields = true}).fields;
}

IndexesAnswer readTableIndexes(const std::string& path, const std::string& tableName,
                               Credentials& credentials) {
    Database database;
    if (openDatabase(path, credentials, database))
        return {};
    std::optional<CatalogTable> table = findTable(database.get(), tableName);
    if (!table)
        return {};
    return describeTable(database.get(), path, *table, {.indexes = true}).indexes;
}

bool readSchema(const std::string& path, Credentials& credentials,
                const std::function<bool(const std::string& frame)>& send) {
    Database database;
    if (const std::optional<Failure> failure = openDatabase(path, credentials, database))
        return send(encodeSchemaHead(failure, 0));
    CatalogWalk walk;
    if (const std::optional<Failure> failure = walkAll(database.get(), path, true, walk))
        return send(encodeSchemaHead(failure, 0));
    // What the engine's texts leave out: read once for the whole file from the one walk, then per table.
    const SchemaDetails details = readSchemaDetails(database.get(), walk.tables);
    std::map<std::uint32_t, CatalogTable> storageRows = storageTablesOf(walk.tables, details.complexColumns);
    std::vector<CatalogTable> tables = listedTables(std::move(walk.tables), details.complexColumns);
    if (!send(encodeSchemaHead(std::nullopt, std::uint32_t(tables.size()))))
        return false;
    for (CatalogTable& table : tables) {
        TableSchema schema = describeTable(database.get(), path, table, {.fields = true, .indexes = true});
        schema.details =
            describeTableDetails(database.get(), details, table.name, columnProperties(database.get(), table),
                                 schema.fields, schema.indexes);
        describeStorage(database.get(), path, details, table.id, storageRows, schema);
        table.properties.reset(); // done with
        table.propertyBlob = {};
        if (!send(encodeSchemaTable(schema)))
            return false;
    }
    return send(encodeSchemaTail(details.relationships));
}
