#pragma once
// Where each column's value lies in one Jet 4 row of a page, for the columns the table's definition
// describes. A column is in the row only when its number is below the row's count of columns: a row Access
// has not rewritten since columns were added holds only the columns it had then, and the later ones are NULL
// in it. A NULL comes from the null mask alone, its room in the row never looked at; a fixed value lies at
// its column's offset in the fixed area, whatever columns since deleted still take room there.
//
// libmdb's mdb_crack_row places fixed values by counting the fixed columns the definition still describes
// against the row's count, which gives a column added after a deletion the deleted column's place in the
// rows written before, and it rejects the whole row when any column's room, a NULL's too, reaches past the
// row's end.

#include <glib.h>
// glib must come first in C++: mdbtools.h includes it inside its extern "C" block.
#include <mdbtools.h>

#include <cstddef>

// Fills fields (one per column of the table, in its order) with each value's start and size in the page,
// or with is_null set. False when the row is too short for its own counts and offsets (damage); a value
// that runs past the row's end is left to the caller to find.
bool locateRowFields(const MdbTableDef* table, const unsigned char* page, std::size_t pageSize,
                     std::size_t start, std::size_t size, MdbField* fields);
