#include "TableDef.h"

#include <cstring>

TableDefinition readTableDefinition(MdbHandle* mdb, const std::string& name, unsigned long page) {
    TableDefinition definition;
    definition.entry_ = std::make_unique<MdbCatalogEntry>();
    MdbCatalogEntry& entry = *definition.entry_;
    std::memset(&entry, 0, sizeof entry);
    entry.mdb = mdb;
    entry.object_type = MDB_TABLE;
    entry.table_pg = page;
    g_strlcpy(entry.object_name, name.c_str(), sizeof entry.object_name);
    definition.table_.reset(mdb_read_table(&entry));
    if (definition.table_ && !mdb_read_columns(definition.table_.get()))
        definition.table_.reset();
    return definition;
}
