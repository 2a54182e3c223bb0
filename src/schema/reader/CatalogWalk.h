#pragma once
// One walk of the catalog (MSysObjects) in storage order, keeping of each table definition row what the
// request needs. A schema request walks it once and takes everything from that walk: the table list, the
// catalog facts (CatalogFacts.h) and the pages of the other system tables.
//
// Cost: the walk binds only Id, Name, Type, Flags, LvProp and the two link columns Database and ForeignName
// (LvProp is bound but its blob read only for the rows that want it, and parsed only when first needed;
// mdb_read_catalog would parse the property blob of every catalog row), and a walk may stop at the row it
// looks for.
//
// libmdb keeps only the low 7 bits of the catalog Type, which turns reports (-32764) into ODBC links (4), so
// the raw Type is read here; a later mdb_read_catalog frees earlier entries, so it is not used at all.

#include "ColumnProperties.h"

#include <glib.h>
// glib must come first in C++: mdbtools.h includes it inside its extern "C" block.
#include <mdbtools.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// MSysObjects Type values of table definitions.
inline constexpr int localTable = 1;
inline constexpr int odbcLinkedTable = 4;
inline constexpr int accessLinkedTable = 6;

inline constexpr bool isTableType(int type) {
    return type == localTable || type == odbcLinkedTable || type == accessLinkedTable;
}

// The page of MSysObjects itself, and the bits of a catalog Id that give a table definition's page.
inline constexpr unsigned long catalogPage = 2;
inline constexpr std::uint32_t pageBits = 0x00FFFFFFu;

struct CatalogTable {
    std::string name;
    int type = 0;
    std::uint32_t id = 0;
    std::uint32_t flags = 0;
    std::string database;    // links: the stored path of the other file
    std::string foreignName; // links: the table's name in that file
    bool linkColumns =
        false; // the catalog has both link columns, so a link to an Access file can be followed
    // Local tables only, and only when asked for: the LvProp blob as read, and its column properties,
    // parsed when first needed (columnProperties) so that the walk of the catalog stays short.
    std::string propertyBlob;
    std::optional<TableProperties> properties;

    unsigned long page() const { return id & pageBits; }
};

// What a catalog walk keeps of one table definition row, and whether it goes on to the next row.
struct Visit {
    bool keep = false;
    bool withProperties = false;
    bool goOn = true;
};

struct CatalogWalk {
    bool readable = false;    // MSysObjects could be read and has the columns the walk needs
    bool listsItself = false; // one of its rows is MSysObjects
    std::vector<CatalogTable> tables;
};

// Walks MSysObjects in storage order and asks visit what to keep of every table definition.
CatalogWalk walkCatalog(MdbHandle* mdb, const std::function<Visit(const std::string& name)>& visit);

// The table's column properties, parsed from its blob the first time they are needed.
const TableProperties& columnProperties(MdbHandle* mdb, CatalogTable& table);
