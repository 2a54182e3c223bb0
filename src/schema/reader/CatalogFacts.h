#pragma once
// The catalog (MSysObjects) as the whole-schema answer needs it, read in one walk per request: every table
// definition's id, type and flags, and for linked tables the file and the name they point to. Also the
// plain row reader that the other system tables (MSysComplexColumns, MSysRelationships) are read with.

#include "ReaderProtocol.h"

#include <glib.h>
// glib must come first in C++: mdbtools.h includes it inside its extern "C" block.
#include <mdbtools.h>

#include <functional>
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

CatalogFacts readCatalogFacts(MdbHandle* mdb);

// Calls row(values) for every row of the table at `page`, values in the order of `columns`, as text
// (empty for null, and for a column the table does not have). False when the table cannot be read.
bool readRows(MdbHandle* mdb, const std::string& table, unsigned long page,
              const std::vector<std::string>& columns,
              const std::function<void(const std::vector<std::string>& values)>& row);
