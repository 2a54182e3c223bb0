#pragma once
// What a column is beyond the engine's five field texts: its exact type byte (for a calculated column that of
// its ResultType, as the engine reports it), Decimal precision and scale,
// the properties Required, DefaultValue, Description, Expression and ResultType, GUID AutoNumber, whether it
// is calculated, and the kind of an attachment or multi-valued column (MSysComplexColumns, read once per
// request).

#include "CatalogFacts.h"
#include "ColumnProperties.h"
#include "ReaderProtocol.h"
#include "TableDefinitionBytes.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

// The engine's code of each complex column's kind, by (the table's catalog Id, column name).
using ComplexColumns = std::map<std::pair<std::uint32_t, std::string>, std::uint32_t>;

ComplexColumns readComplexColumns(MdbHandle* mdb, const CatalogFacts& catalog);

// The catalog Ids of the tables that store the values of complex columns (MSysComplexColumns' FlatTableID),
// read from MSysComplexColumns at `page`; none when it cannot be read.
std::set<std::uint32_t> readComplexStorageTables(MdbHandle* mdb, unsigned long page);

// One detail per field, in the fields' order; nothing when a field is not a column of the definition.
// properties are the table's column properties.
std::optional<std::vector<readerprotocol::ColumnDetail>>
describeColumns(const RawTableDefinition& definition, const std::vector<readerprotocol::Field>& fields,
                const TableProperties& properties, const ComplexColumns& complexColumns,
                std::uint32_t tableId);
