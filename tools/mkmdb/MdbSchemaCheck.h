#pragma once
// What Jet allows in a schema, checked before anything is written: name lengths and uniqueness,
// column and index counts, type sizes, AutoNumber only on Long and GUID, index columns that exist, and
// relationships between tables and columns that exist.

#include "MdbSchema.h"

#include <optional>
#include <string>

// The first problem found, as a sentence naming the table and column; nothing when the schema is fine.
std::optional<std::string> schemaProblem(const MdbSchema& schema);
