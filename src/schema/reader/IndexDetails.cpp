#include "IndexDetails.h"

using namespace readerprotocol;

namespace {

constexpr unsigned primaryKeyIndex = 1;
constexpr unsigned foreignKeyIndex = 2;

constexpr unsigned uniqueFlag = 0x01;
constexpr unsigned ignoreNullsFlag = 0x02;
constexpr unsigned requiredFlag = 0x08;

// The name of the column an index entry names by its column number (libmdb keeps only its low byte).
const char* columnName(const MdbTableDef& definition, unsigned number) {
    for (guint i = 0; i < definition.columns->len; ++i) {
        const auto* column = static_cast<const MdbColumn*>(g_ptr_array_index(definition.columns, i));
        if (column->col_num == int(number & 0xFFu))
            return column->name;
    }
    return nullptr;
}

void setFlags(IndexDetail& index, unsigned flags) {
    index.unique = index.primaryKey || (flags & uniqueFlag) != 0;
    index.ignoreNulls = (flags & ignoreNullsFlag) != 0;
    index.required = (flags & requiredFlag) != 0;
}

// The index as the table definition's bytes give it; false when they do not name a physical index.
bool fromRaw(IndexDetail& index, const MdbTableDef& definition, const RawTableDefinition& raw,
             guint position) {
    if (position >= raw.logicalIndexes.size())
        return false;
    const RawLogicalIndex& logical = raw.logicalIndexes[position];
    if (logical.physicalIndex >= raw.physicalIndexes.size())
        return false;
    const RawPhysicalIndex& physical = raw.physicalIndexes[logical.physicalIndex];
    index.primaryKey = logical.type == primaryKeyIndex;
    index.foreignKey = logical.type == foreignKeyIndex;
    for (const RawIndexColumn& column : physical.columns) {
        const char* name = columnName(definition, column.columnNumber);
        if (!name)
            return false;
        index.columns.push_back({name, column.descending});
    }
    setFlags(index, physical.flags);
    return true;
}

void fromLibmdb(IndexDetail& index, const MdbTableDef& definition, const MdbIndex& libmdbIndex) {
    index.primaryKey = libmdbIndex.index_type == primaryKeyIndex;
    index.foreignKey = libmdbIndex.index_type == foreignKeyIndex;
    for (unsigned k = 0; k < libmdbIndex.num_keys && k < MDB_MAX_IDX_COLS; ++k) {
        const int number = libmdbIndex.key_col_num[k];
        if (number < 1 || guint(number) > definition.columns->len)
            continue;
        const auto* column = static_cast<const MdbColumn*>(g_ptr_array_index(definition.columns, number - 1));
        index.columns.push_back({column->name, libmdbIndex.key_col_order[k] == MDB_DESC});
    }
    setFlags(index, libmdbIndex.flags);
}

} // namespace

std::vector<IndexDetail> describeIndexes(const MdbTableDef& definition, const RawTableDefinition* raw) {
    std::vector<IndexDetail> details;
    if (!definition.indices || !definition.columns)
        return details;
    // The logical entries of the bytes and libmdb's indices are the same list only when they agree in length.
    const bool useRaw = raw && raw->logicalIndexes.size() == definition.indices->len;
    for (guint i = 0; i < definition.indices->len; ++i) {
        const auto& libmdbIndex = *static_cast<const MdbIndex*>(g_ptr_array_index(definition.indices, i));
        if (libmdbIndex.name[0] == '.')
            continue;
        IndexDetail index;
        index.name = libmdbIndex.name;
        if (!useRaw || !fromRaw(index, definition, *raw, i)) {
            index = IndexDetail{};
            index.name = libmdbIndex.name;
            fromLibmdb(index, definition, libmdbIndex);
        }
        details.push_back(std::move(index));
    }
    return details;
}
