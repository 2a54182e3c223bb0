#pragma once
// Writes an Access 2000 (Jet 4) database holding exactly the tables of a schema, plus the catalog
// (MSysObjects) and the empty system tables every such file has. Tables have no rows.

#include "MdbSchema.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The whole file; nothing when the schema breaks a rule of Jet, with the reason in *error.
std::optional<std::vector<std::uint8_t>> buildMdb(const MdbSchema& schema, std::string* error);

// Builds the file and writes it to `path`; false with the reason in *error (error may be null).
bool writeMdb(const MdbSchema& schema, const std::string& path, std::string* error);
