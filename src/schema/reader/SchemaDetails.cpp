#include "SchemaDetails.h"

#include "IndexDetails.h"
#include "Relationships.h"
#include "TableDefinitionBytes.h"

#include <cstring>
#include <memory>

using namespace readerprotocol;

namespace {

struct TableDefDeleter {
    void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};

// The index details in the order of the names the answer lists; an index the names lack is dropped.
std::vector<IndexDetail> inOrderOf(std::vector<IndexDetail> details, const IndexesAnswer& names) {
    std::vector<IndexDetail> ordered;
    if (names.kind != IndexesAnswer::Kind::List)
        return ordered;
    for (const std::string& name : names.names) {
        for (IndexDetail& detail : details) {
            if (detail.name == name) {
                ordered.push_back(std::move(detail));
                detail.name.clear();
                break;
            }
        }
    }
    return ordered;
}

} // namespace

SchemaDetails readSchemaDetails(MdbHandle* mdb) {
    SchemaDetails details;
    details.catalog = readCatalogFacts(mdb);
    details.complexColumns = readComplexColumns(mdb, details.catalog);
    details.relationships = readRelationships(mdb, details.catalog);
    return details;
}

TableDetails describeTableDetails(MdbHandle* mdb, const SchemaDetails& schema, const std::string& table,
                                  GPtrArray* properties, const IndexesAnswer& indexNames,
                                  std::size_t fieldCount) {
    TableDetails details;
    details.catalog = schema.catalog.catalogOf(table);
    const std::optional<unsigned long> page = schema.catalog.pageOf(table);
    if (!page)
        return details;

    MdbCatalogEntry entry;
    std::memset(&entry, 0, sizeof entry);
    entry.mdb = mdb;
    entry.object_type = MDB_TABLE;
    entry.table_pg = *page;
    g_strlcpy(entry.object_name, table.c_str(), sizeof entry.object_name);
    entry.props = properties;

    // libmdb's order: columns right after the table, indexes after the columns; the definition's own bytes
    // last, as reading them moves libmdb's page buffer.
    std::unique_ptr<MdbTableDef, TableDefDeleter> definition(mdb_read_table(&entry));
    if (!definition || !mdb_read_columns(definition.get()))
        return details;
    mdb_read_indices(definition.get());
    const std::optional<RawTableDefinition> raw = readRawTableDefinition(mdb, *page);
    const RawTableDefinition* rawOrNull = raw ? &*raw : nullptr;

    const std::uint32_t tableId = schema.catalog.tables.at(table).id;
    details.columns = describeColumns(*definition, rawOrNull, schema.complexColumns, tableId);
    if (details.columns.size() != fieldCount)
        details.columns.clear();
    details.indexes = inOrderOf(describeIndexes(*definition, rawOrNull), indexNames);
    return details;
}
