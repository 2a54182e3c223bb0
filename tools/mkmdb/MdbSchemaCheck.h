#pragma once
// What Jet allows in a schema, checked before anything is written: name lengths and uniqueness,
// column and index counts, type sizes, AutoNumber only on Long and GUID, index columns that exist,
// relationships between tables and columns that exist, and rows of one value per column, each of the kind
// and size its column takes.

#include "MdbSchema.h"

#include <optional>
#include <string>

// The first problem found, as a sentence naming the table and column; nothing when the schema is fine.
// Rows made on demand (MdbTable::moreRows) are not among them; the writer checks each with rowProblem.
std::optional<std::string> schemaProblem(const MdbSchema& schema);

// Why one row of `table` does not fit its columns; `number` counts from 0 and names the row from 1.
std::optional<std::string> rowProblem(const MdbTable& table, std::size_t number, const MdbRow& row);
