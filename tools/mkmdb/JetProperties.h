#pragma once
// The property blob ("MR2" format) that the catalog keeps in a table's LvProp field: a list of
// property names, then one block per column with that column's values.

#include "JetBytes.h"

#include <string>
#include <utility>
#include <vector>

namespace jet {

struct ColumnProperties {
    Bytes columnName;                                 // UCS-2
    std::vector<std::pair<std::string, bool>> values; // ASCII property name, Yes/No value
};

// Empty when no column has a property: such a table has no blob at all.
Bytes propertyBlob(const std::vector<ColumnProperties>& columns);

} // namespace jet
