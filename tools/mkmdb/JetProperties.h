#pragma once
// The property blob ("MR2" format) that the catalog keeps in a table's LvProp field: a list of
// property names, then one block per column with that column's values.

#include "JetBytes.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace jet {

// A Yes/No property, or a text one when text is set.
struct PropertyValue {
    std::string name; // ASCII
    bool flag = false;
    std::optional<std::string> text; // UTF-8
};

struct ColumnProperties {
    Bytes columnName; // UCS-2
    std::vector<PropertyValue> values;
};

// Empty when no column has a property: such a table has no blob at all.
Bytes propertyBlob(const std::vector<ColumnProperties>& columns);

} // namespace jet
