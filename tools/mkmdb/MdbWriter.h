#pragma once
// Writes an Access 2000 (Jet 4) database holding exactly the tables of a schema and their rows, plus the
// catalog (MSysObjects) and the empty system tables every such file has. The rows are found through each
// table's usage map, as readers find them; the index pages stay without entries.

#include "MdbSchema.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The whole file, in memory; nothing when the schema breaks a rule of Jet, with the reason in *error.
std::optional<std::vector<std::uint8_t>> buildMdb(const MdbSchema& schema, std::string* error);

// Writes the file to `path` page by page; false with the reason in *error (error may be null).
bool writeMdb(const MdbSchema& schema, const std::string& path, std::string* error);
