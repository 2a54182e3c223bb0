#pragma once
// The relationships of a database (MSysRelationships), read once per request: one row per column pair,
// gathered by relationship name into one relationship with its pairs in column order.

#include "CatalogFacts.h"
#include "ReaderProtocol.h"

#include <vector>

// In the order of each relationship's first row; none when the table is missing or unreadable.
std::vector<readerprotocol::Relationship> readRelationships(MdbHandle* mdb, const CatalogFacts& catalog);
