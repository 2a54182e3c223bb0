#include "CatalogWalk.h"
#include "TableDef.h"

#include "SystemTableRows.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

// The property blob of the catalog row just fetched; empty when it has none.
std::string readPropertyBlob(MdbHandle* mdb, MdbColumn* lvProp) {
    if (!lvProp || lvProp->cur_value_len == 0)
        return {};
    size_t size = 0;
    void* blob = mdb_ole_read_full(mdb, lvProp, &size);
    if (!blob)
        return {};
    std::string bytes(static_cast<const char*>(blob), size);
    std::free(blob);
    return bytes;
}

// A column of the catalog bound to a buffer of its own; column is null when the catalog lacks it.
struct BoundColumn {
    std::vector<char> buffer;
    MdbColumn* column = nullptr;

    bool bind(MdbTableDef* table, const char* name, std::size_t size) {
        buffer.assign(size, '\0');
        std::string bindName = name;
        const int number = mdb_bind_column_by_name(table, bindName.data(), buffer.data(), nullptr);
        column =
            number >= 1 ? static_cast<MdbColumn*>(g_ptr_array_index(table->columns, number - 1)) : nullptr;
        return column != nullptr;
    }
    std::string text(MdbHandle* mdb) const {
        return column ? boundText(mdb, *column, buffer.data()) : std::string();
    }
};

} // namespace

CatalogWalk walkCatalog(MdbHandle* mdb, const std::function<Visit(const std::string& name)>& visit) {
    CatalogWalk walk;
    MdbCatalogEntry catalog;
    std::memset(&catalog, 0, sizeof catalog);
    catalog.mdb = mdb;
    catalog.object_type = MDB_TABLE;
    catalog.table_pg = catalogPage;
    std::strcpy(catalog.object_name, "MSysObjects");

    TableDef table(mdb_read_table(&catalog));
    if (!table || !mdb_read_columns(table.get()))
        return walk;

    const std::size_t bindSize = std::max<std::size_t>(mdb->bind_size, MDB_BIND_SIZE);
    BoundColumn id, name, type, flags, lvProp, database, foreignName;
    if (!id.bind(table.get(), "Id", bindSize) || !name.bind(table.get(), "Name", bindSize) ||
        !type.bind(table.get(), "Type", bindSize))
        return walk;
    flags.bind(table.get(), "Flags", bindSize);
    // Bound so that its blob can be read for the rows that want it; parsed only for those.
    lvProp.bind(table.get(), "LvProp", bindSize);
    // Only links need them; a catalog without both has no link that could be followed.
    const bool hasDatabase = database.bind(table.get(), "Database", bindSize);
    const bool linkColumns = foreignName.bind(table.get(), "ForeignName", bindSize) && hasDatabase;
    walk.readable = true;

    mdb_rewind_table(table.get());
    while (mdb_fetch_row(table.get())) {
        const int rowType = std::atoi(type.buffer.data());
        if (!isTableType(rowType))
            continue;
        const std::string rowName = name.buffer.data();
        if (rowName == "MSysObjects")
            walk.listsItself = true;
        const Visit wanted = visit(rowName);
        if (wanted.keep) {
            CatalogTable kept;
            kept.name = rowName;
            kept.type = rowType;
            kept.id = std::uint32_t(std::strtoul(id.buffer.data(), nullptr, 10));
            kept.flags = std::uint32_t(std::strtol(flags.text(mdb).c_str(), nullptr, 10));
            kept.database = database.text(mdb);
            kept.foreignName = foreignName.text(mdb);
            kept.linkColumns = linkColumns;
            if (wanted.withProperties && rowType == localTable)
                kept.propertyBlob = readPropertyBlob(mdb, lvProp.column);
            walk.tables.push_back(std::move(kept));
        }
        if (!wanted.goOn)
            break;
    }
    return walk;
}

const TableProperties& columnProperties(MdbHandle* mdb, CatalogTable& table) {
    if (!table.properties)
        table.properties.emplace(mdb, reinterpret_cast<const unsigned char*>(table.propertyBlob.data()),
                                 table.propertyBlob.size());
    return *table.properties;
}
