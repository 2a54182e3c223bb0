#pragma once
// One table of the answer read through libmdb: its field rows (FieldMapping.h) and the names of its
// logical indexes, a linked Access table through its link (LinkedTables.h).
//
// Indexes: the names of the table's logical indexes (primary key, ordinary, and the foreign-key indexes of
//   relationships) ordered by name without regard to case; entries whose names begin with "." are the
//   engine's internal back-references of relationships and are left out. No index left -> NoIndexes.
//
// libmdb pitfalls: mdb_read_columns must follow mdb_read_table directly and precede mdb_read_indices, which
// returns NULL even when it succeeds (the indexes land in the table definition's `indices`).

#include "CatalogWalk.h"
#include "ReaderProtocol.h"

#include <glib.h>
// glib must come first in C++: mdbtools.h includes it inside its extern "C" block.
#include <mdbtools.h>

#include <optional>
#include <string>

// What describeTable reads of a table definition besides its name.
struct TableParts {
    bool fields = false;
    bool indexes = false;
    bool followLinks = true; // read a linked Access table through its link
};

// A table whose data lies elsewhere and is left unread on purpose: the "NONE" row, no index list.
readerprotocol::TableSchema notRead(const std::string& name);

// Reads one table definition of the database at path; fields and indexes only as asked, in libmdb's
// required order. A link to an Access file is followed when parts.followLinks is set.
readerprotocol::TableSchema describeTable(MdbHandle* mdb, const std::string& path, CatalogTable& table,
                                          TableParts parts);

// The table named `name` (matched without regard to case, as the engine matches it), with its properties;
// nothing when the catalog lists no such table. The walk stops at that table's row. A storage table of a
// complex column is found only when storage is Storage::Found (the rows of complex columns are read from
// them); the schema questions never see one.
enum class Storage { Hidden, Found };
std::optional<CatalogTable> findTable(MdbHandle* mdb, const std::string& name,
                                      Storage storage = Storage::Hidden);
