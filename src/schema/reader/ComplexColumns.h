#pragma once
// The complex columns of a database (attachment, multi-valued, version history), read once per request from
// MSysComplexColumns: the kind of each, and the hidden tables that store their values.

#include "CatalogFacts.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>

struct ComplexColumns {
    // The engine's code of each complex column's kind, by (the table's catalog Id, column name).
    std::map<std::pair<std::uint32_t, std::string>, std::uint32_t> kinds;
    // The catalog Id of the table that stores each complex column's values, by the same key.
    std::map<std::pair<std::uint32_t, std::string>, std::uint32_t> flatTables;
    // The catalog Ids of the tables that store their values (FlatTableID).
    std::set<std::uint32_t> storageTables;
};

// Nothing for a file without MSysComplexColumns (Jet 3 and Jet 4 files have no complex columns).
ComplexColumns readComplexColumns(MdbHandle* mdb, const CatalogFacts& catalog);

// Whether a name is one Access gives the storage table of a multi-valued column ("f_" + 32 hex digits +
// "_Data"): the rule for files whose MSysComplexColumns cannot be read.
bool hasStorageTableName(const std::string& name);
