#pragma once
// The whole-schema answer's facts beyond the engine's texts: what is read once per request (catalog facts,
// complex columns, relationships) and, from it, each table's details.

#include "CatalogFacts.h"
#include "ColumnDetails.h"
#include "ColumnProperties.h"
#include "ComplexColumns.h"
#include "ReaderProtocol.h"

#include <string>
#include <vector>

struct SchemaDetails {
    CatalogFacts catalog;
    ComplexColumns complexColumns;
    std::vector<readerprotocol::Relationship> relationships;
};

// From the rows of the request's walk of the catalog.
SchemaDetails readSchemaDetails(MdbHandle* mdb, const std::vector<CatalogTable>& catalogRows);

// The details of one table of the answer, from the table definition's own bytes (libmdb's reading of the
// table is not repeated). properties are the table's column properties; fields and
// indexNames are what the answer gives the table: column details follow the fields one for one (and are
// left out when a field is not in the definition, as for a table read through its link), index details
// follow the index names.
readerprotocol::TableDetails describeTableDetails(MdbHandle* mdb, const SchemaDetails& schema,
                                                  const std::string& table, const TableProperties& properties,
                                                  const readerprotocol::FieldsAnswer& fields,
                                                  const readerprotocol::IndexesAnswer& indexNames);
