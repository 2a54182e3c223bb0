#include "TableReading.h"
#include "TableDef.h"

#include "ComplexColumns.h"
#include "FieldMapping.h"
#include "LinkedTables.h"
#include "NameOrder.h"

#include <memory>
#include <vector>

using namespace readerprotocol;

TableSchema notRead(const std::string& name) {
    TableSchema schema;
    schema.name = name;
    schema.fields.readable = false;
    schema.fields.notRead = true;
    schema.indexes.kind = IndexesAnswer::Kind::NoIndexes;
    return schema;
}

TableSchema describeTable(MdbHandle* mdb, const std::string& path, CatalogTable& table, TableParts parts) {
    if (table.type == accessLinkedTable && parts.followLinks)
        return describeLinkedTable(path, table, parts);
    if (table.type != localTable)
        return notRead(table.name);
    TableSchema schema;
    schema.name = table.name;
    schema.fields.readable = false;
    schema.indexes.kind = IndexesAnswer::Kind::Unreadable;

    const TableDefinition definition = readTableDefinition(mdb, table.name, table.page());
    if (!definition)
        return schema;

    if (parts.fields) {
        const bool jet3 = mdb->f->jet_version == MDB_VER_JET3;
        schema.fields.readable = true;
        schema.fields.fields.reserve(definition->columns->len);
        const TableProperties& properties = columnProperties(mdb, table);
        for (guint i = 0; i < definition->columns->len; ++i) {
            const auto& column = *static_cast<const MdbColumn*>(g_ptr_array_index(definition->columns, i));
            schema.fields.fields.push_back(engineField(column, properties.column(column.name), jet3));
        }
    }

    if (parts.indexes) {
        mdb_read_indices(definition.get());
        std::vector<std::string> names;
        if (definition->indices) {
            for (guint i = 0; i < definition->indices->len; ++i) {
                const auto* index = static_cast<const MdbIndex*>(g_ptr_array_index(definition->indices, i));
                if (index->name[0] != '.')
                    names.emplace_back(index->name);
            }
        }
        sortByName(names, [](const std::string& name) -> const std::string& { return name; });
        schema.indexes.kind = names.empty() ? IndexesAnswer::Kind::NoIndexes : IndexesAnswer::Kind::List;
        schema.indexes.names = std::move(names);
    }
    return schema;
}

std::optional<CatalogTable> findTable(MdbHandle* mdb, const std::string& name, Storage storage) {
    const std::string wanted = foldedName(name);
    CatalogWalk walk = walkCatalog(mdb, [&](const std::string& rowName) {
        // Such a table is hidden even when MSysComplexColumns cannot be read, so the name never finds it.
        if (storage == Storage::Hidden && hasStorageTableName(rowName))
            return Visit{.keep = false, .withProperties = false, .goOn = true};
        const bool match = foldedName(rowName) == wanted;
        return Visit{.keep = match, .withProperties = match, .goOn = !match};
    });
    if (walk.tables.empty())
        return std::nullopt;
    return std::move(walk.tables.front());
}
