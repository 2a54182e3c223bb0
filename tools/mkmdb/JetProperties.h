#pragma once
// The property blob ("MR2" format) that the catalog keeps in a table's LvProp field: a list of
// property names, then one block per column with that column's values.

#include "JetBytes.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace jet {

// A Yes/No property, a text one when text is set, a Byte one when byte is set.
struct PropertyValue {
    std::string name; // ASCII
    bool flag = false;
    std::optional<std::string> text = std::nullopt; // UTF-8
    std::optional<std::uint8_t> byte = std::nullopt;
    bool memo = false; // the text is stored as a Memo value, as Access stores an Expression
};

struct ColumnProperties {
    Bytes columnName; // UCS-2
    std::vector<PropertyValue> values;
};

// Empty when no column has a property: such a table has no blob at all.
Bytes propertyBlob(const std::vector<ColumnProperties>& columns);

} // namespace jet
