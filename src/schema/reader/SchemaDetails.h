#pragma once
// The whole-schema answer's facts beyond the engine's texts: what is read once per request (catalog facts,
// complex columns, relationships) and, from it, each table's details.

#include "CatalogFacts.h"
#include "ColumnDetails.h"
#include "ReaderProtocol.h"

#include <string>
#include <vector>

struct SchemaDetails {
    CatalogFacts catalog;
    ComplexColumns complexColumns;
    std::vector<readerprotocol::Relationship> relationships;
};

SchemaDetails readSchemaDetails(MdbHandle* mdb);

// The details of one table of the answer. properties is the table's parsed property list (may be null);
// indexNames the index names the answer gives it, whose order the index details follow. Columns are
// described only for a local table whose definition holds exactly fieldCount columns.
readerprotocol::TableDetails describeTableDetails(MdbHandle* mdb, const SchemaDetails& schema,
                                                  const std::string& table, GPtrArray* properties,
                                                  const readerprotocol::IndexesAnswer& indexNames,
                                                  std::size_t fieldCount);
