#include "OpenTable.h"

#include "CatalogWalk.h"
#include "DatabaseFile.h"
#include "LinkedTables.h"
#include "TableDef.h"
#include "TableReading.h"

using namespace readerprotocol;

namespace {

Failure missingTable(const std::string& name) {
    return {3078, "The Microsoft Access database engine cannot find the input table or query '" + name +
                      "'. Make sure it exists and that its name is spelled correctly."};
}

// Reads the local table's definition and hands it on; a linked Access table is opened in its own file
// first, and a link found there is not followed.
std::optional<Failure> useTable(MdbHandle* mdb, const std::string& path, CatalogTable& table,
                                bool followLinks, const std::function<void(const OpenTable& open)>& use) {
    if (table.type == accessLinkedTable && followLinks) {
        const std::optional<std::string> file = linkedFile(path, table.database);
        if (!file)
            return failureFor(FileNotFound, table.database);
        Credentials none; // a linked file opens without a password
        Database linked;
        if (std::optional<Failure> failure = openDatabase(*file, none, linked))
            return failure;
        const std::string foreign = table.foreignName.empty() ? table.name : table.foreignName;
        std::optional<CatalogTable> target = findTable(linked.get(), foreign);
        if (!target)
            return missingTable(foreign);
        return useTable(linked.get(), *file, *target, false, use);
    }
    if (table.type != localTable)
        return Failure{3251, "Operation is not supported for this type of object."};

    const TableDefinition definition = readTableDefinition(mdb, table.name, table.page());
    if (!definition)
        return failureFor(DatabaseDamaged, path);
    use(OpenTable{mdb, definition.get(), &columnProperties(mdb, table)});
    return std::nullopt;
}

} // namespace

std::optional<Failure> withOpenTable(const std::string& path, Credentials& credentials,
                                     const std::string& tableName,
                                     const std::function<void(const OpenTable& open)>& use) {
    Database database;
    if (std::optional<Failure> failure = openDatabase(path, credentials, database))
        return failure;
    std::optional<CatalogTable> table = findTable(database.get(), tableName, Storage::Found);
    if (!table)
        return missingTable(tableName);
    return useTable(database.get(), path, *table, true, use);
}
