#pragma once
// What a column is beyond the engine's five field texts: its exact type byte, Decimal precision and scale,
// the properties Required, DefaultValue, Description, Expression and ResultType, GUID AutoNumber, whether it
// is calculated, and the kind of an attachment or multi-valued column (MSysComplexColumns, read once per
// request).

#include "CatalogFacts.h"
#include "ReaderProtocol.h"
#include "TableDefinitionBytes.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

// The engine's code of each complex column's kind, by (the table's catalog Id, column name).
using ComplexColumns = std::map<std::pair<std::uint32_t, std::string>, std::uint32_t>;

ComplexColumns readComplexColumns(MdbHandle* mdb, const CatalogFacts& catalog);

// One detail per column of the definition, in its column order. raw may be null (its bytes did not hold
// together); then the facts only it carries stay at their defaults.
std::vector<readerprotocol::ColumnDetail> describeColumns(const MdbTableDef& definition,
                                                          const RawTableDefinition* raw,
                                                          const ComplexColumns& complexColumns,
                                                          std::uint32_t tableId);
