#pragma once
// The rows of a table as the reader hands them over: in batches of whole rows, each value typed as the file
// stores it (DataValue.h), so that no value passes through a formatted text. Neither the reader nor the
// caller ever holds all of a table's rows.

#include "DataValue.h"
#include "SchemaTypes.h"

#include <optional>
#include <string>
#include <vector>

// Whole rows, one value for each column of the table in column order (a complex column's values live in
// other tables: Null here). Texts and bytes point into storage.
struct RowBatch {
    int columns = 0;
    std::vector<DataValue> values;
    std::string storage;
    std::size_t rows() const { return columns > 0 ? values.size() / std::size_t(columns) : 0; }
    const DataValue* row(std::size_t r) const { return values.data() + r * std::size_t(columns); }
};

// How a table's rows ended.
struct RowsRead {
    qint64 rows = 0;       // rows handed over
    bool complete = false; // every row of the table was read; false: the rest could not be (damage)
    std::optional<ReadFailure> failure; // the table could not be read at all (no rows were handed over)
};
