#pragma once
// The catalog (MSysObjects) as the whole-schema answer needs it, taken from the request's one walk of the
// catalog: every table definition's id, type and flags, and for linked tables the file and the name they
// point to.

#include "CatalogWalk.h"
#include "ReaderProtocol.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

struct CatalogObject {
    std::uint32_t id = 0; // the low 24 bits are the page of the table definition
    int type = 0;
    std::uint32_t flags = 0;
    std::string database;    // linked tables
    std::string foreignName; // linked tables
};

struct CatalogFacts {
    std::map<std::string, CatalogObject> tables; // every table definition row, by name
    std::map<std::uint32_t, std::string> names;  // the same rows, name by id

    // The catalog facts of a table the answer lists; all false for a name the catalog does not hold.
    readerprotocol::TableCatalog catalogOf(const std::string& table) const;
    // The table definition page of a table (system tables included); nothing when it is not listed.
    std::optional<unsigned long> pageOf(const std::string& table) const;
};

// The facts of every table definition row of the walk; where two rows share a name or an id, the first.
CatalogFacts catalogFactsOf(const std::vector<CatalogTable>& rows);
