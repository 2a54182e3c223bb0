#include "CatalogFacts.h"

namespace {

// MSysObjects Flags: the two system flags Access uses, and the hidden flag.
constexpr std::uint32_t systemFlags = 0x80000000u | 0x2u;
constexpr std::uint32_t hiddenFlag = 0x8u;

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

CatalogFacts catalogFactsOf(const std::vector<CatalogTable>& rows) {
    CatalogFacts facts;
    for (const CatalogTable& row : rows) {
        facts.names.emplace(row.id, row.name);
        facts.tables.emplace(row.name, CatalogObject{.id = row.id,
                                                     .type = row.type,
                                                     .flags = row.flags,
                                                     .database = row.database,
                                                     .foreignName = row.foreignName});
    }
    return facts;
}
