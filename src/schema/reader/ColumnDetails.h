#pragma once
// What a column is beyond the engine's five field texts: its exact type byte (for a calculated column that of
// its ResultType, as the engine reports it), Decimal precision and scale,
// the properties Required, DefaultValue, Description, Expression and ResultType, GUID AutoNumber, whether it
// is calculated, and the kind of an attachment or multi-valued column (MSysComplexColumns, read once per
// request).

#include "ColumnProperties.h"
#include "ComplexColumns.h"
#include "ReaderProtocol.h"
#include "TableDefinitionBytes.h"

#include <optional>
#include <string>
#include <vector>

// One detail per field, in the fields' order; nothing when a field is not a column of the definition.
// properties are the table's column properties.
std::optional<std::vector<readerprotocol::ColumnDetail>>
describeColumns(const RawTableDefinition& definition, const std::vector<readerprotocol::Field>& fields,
                const TableProperties& properties, const ComplexColumns& complexColumns,
                std::uint32_t tableId);
