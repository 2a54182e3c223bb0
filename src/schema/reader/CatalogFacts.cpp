#include "CatalogFacts.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

// MSysObjects Type values of table definitions.
constexpr int localTable = 1;
constexpr int odbcLinkedTable = 4;
constexpr int accessLinkedTable = 6;

// MSysObjects Flags: the two system flags Access uses, and the hidden flag.
constexpr std::uint32_t systemFlags = 0x80000000u | 0x2u;
constexpr std::uint32_t hiddenFlag = 0x8u;

constexpr unsigned long catalogPage = 2;
constexpr std::uint32_t pageBits = 0x00FFFFFFu;

bool isTableType(int type) {
    return type == localTable || type == odbcLinkedTable || type == accessLinkedTable;
}

struct TableDefDeleter {
    void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};

} // namespace

readerprotocol::TableCatalog CatalogFacts::catalogOf(const std::string& table) const {
    readerprotocol::TableCatalog catalog;
    const auto found = tables.find(table);
    if (found == tables.end())
        return catalog;
    const CatalogObject& object = found->second;
    catalog.system = (object.flags & systemFlags) != 0;
    catalog.hidden = (object.flags & hiddenFlag) != 0;
    catalog.linked = object.type == odbcLinkedTable || object.type == accessLinkedTable;
    if (catalog.linked) {
        catalog.linkedDatabase = object.database;
        catalog.foreignName = object.foreignName;
    }
    return catalog;
}

std::optional<unsigned long> CatalogFacts::pageOf(const std::string& table) const {
    const auto found = tables.find(table);
    if (found == tables.end() || found->second.type != localTable)
        return std::nullopt;
    return found->second.id & pageBits;
}

bool readRows(MdbHandle* mdb, const std::string& table, unsigned long page,
              const std::vector<std::string>& columns,
              const std::function<void(const std::vector<std::string>& values)>& row) {
    MdbCatalogEntry entry;
    std::memset(&entry, 0, sizeof entry);
    entry.mdb = mdb;
    entry.object_type = MDB_TABLE;
    entry.table_pg = page;
    g_strlcpy(entry.object_name, table.c_str(), sizeof entry.object_name);

    std::unique_ptr<MdbTableDef, TableDefDeleter> definition(mdb_read_table(&entry));
    if (!definition || !mdb_read_columns(definition.get()))
        return false;
    const std::size_t bindSize = std::max<std::size_t>(mdb->bind_size, MDB_BIND_SIZE);
    std::vector<std::vector<char>> buffers(columns.size(), std::vector<char>(bindSize + 1, '\0'));
    std::vector<MdbColumn*> bound(columns.size(), nullptr);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        std::string name = columns[i];
        const int number = mdb_bind_column_by_name(definition.get(), name.data(), buffers[i].data(), nullptr);
        if (number >= 1)
            bound[i] = static_cast<MdbColumn*>(g_ptr_array_index(definition->columns, number - 1));
    }
    std::vector<std::string> values(columns.size());
    mdb_rewind_table(definition.get());
    while (mdb_fetch_row(definition.get())) {
        for (std::size_t i = 0; i < columns.size(); ++i) {
            values[i].clear();
            if (!bound[i])
                continue;
            // A bound memo holds only its 12-byte reference; the text is read from the row's page.
            if (bound[i]->col_type == MDB_MEMO) {
                if (bound[i]->cur_value_len > 0) {
                    std::unique_ptr<char, decltype(&g_free)> text(
                        mdb_col_to_string(mdb, mdb->pg_buf, bound[i]->cur_value_start, MDB_MEMO,
                                          bound[i]->cur_value_len),
                        g_free);
                    if (text)
                        values[i] = text.get();
                }
            } else {
                values[i] = buffers[i].data();
            }
        }
        row(values);
    }
    return true;
}

CatalogFacts readCatalogFacts(MdbHandle* mdb) {
    CatalogFacts facts;
    readRows(mdb, "MSysObjects", catalogPage, {"Id", "Name", "Type", "Flags", "Database", "ForeignName"},
             [&](const std::vector<std::string>& values) {
                 CatalogObject object;
                 object.type = std::atoi(values[2].c_str());
                 if (!isTableType(object.type))
                     return;
                 object.id = std::uint32_t(std::strtoul(values[0].c_str(), nullptr, 10));
                 object.flags = std::uint32_t(std::strtol(values[3].c_str(), nullptr, 10));
                 object.database = values[4];
                 object.foreignName = values[5];
                 facts.names.emplace(object.id, values[1]);
                 facts.tables.emplace(values[1], std::move(object));
             });
    return facts;
}
