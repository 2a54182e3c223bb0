#pragma once
// A table definition read by libmdb, freed with it when it goes, and the one way it is read.

#include <glib.h>
// glib must come first in C++: mdbtools.h includes it inside its extern "C" block.
#include <mdbtools.h>

#include <memory>
#include <string>

struct TableDefDeleter {
    void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};
using TableDef = std::unique_ptr<MdbTableDef, TableDefDeleter>;

// A table's definition with the catalog entry it was read from: libmdb's definition keeps a pointer to its
// entry and reads through it later (mdb_read_indices, the rows), so the entry lives exactly as long.
class TableDefinition {
public:
    MdbTableDef* get() const { return table_.get(); }
    MdbTableDef* operator->() const { return table_.get(); }
    explicit operator bool() const { return table_ != nullptr; }

private:
    friend TableDefinition readTableDefinition(MdbHandle* mdb, const std::string& name, unsigned long page);
    std::unique_ptr<MdbCatalogEntry> entry_;
    TableDef table_; // freed before its entry
};

// The definition of the table named `name` whose definition page is `page`, with its columns read (libmdb's
// mdb_read_columns must follow mdb_read_table directly); empty when either cannot be read. Its properties are
// left unread: they come from the catalog's LvProp blob (ColumnProperties.h).
TableDefinition readTableDefinition(MdbHandle* mdb, const std::string& name, unsigned long page);
