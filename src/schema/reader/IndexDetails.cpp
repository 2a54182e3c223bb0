#include "IndexDetails.h"

using namespace readerprotocol;

namespace {

constexpr unsigned primaryKeyIndex = 1;
constexpr unsigned foreignKeyIndex = 2;

constexpr unsigned uniqueFlag = 0x01;
constexpr unsigned ignoreNullsFlag = 0x02;
constexpr unsigned requiredFlag = 0x08;

const RawColumn* columnNumbered(const RawTableDefinition& definition, unsigned number) {
    for (const RawColumn& column : definition.columns) {
        if (column.columnNumber == number)
            return &column;
    }
    return nullptr;
}

} // namespace

std::vector<IndexDetail> describeIndexes(const RawTableDefinition& definition) {
    std::vector<IndexDetail> details;
    for (const RawLogicalIndex& logical : definition.logicalIndexes) {
        if (logical.name.empty() || logical.name[0] == '.' ||
            logical.physicalIndex >= definition.physicalIndexes.size())
            continue;
        const RawPhysicalIndex& physical = definition.physicalIndexes[logical.physicalIndex];
        IndexDetail index;
        index.name = logical.name;
        index.primaryKey = logical.type == primaryKeyIndex;
        index.foreignKey = logical.type == foreignKeyIndex;
        index.unique = index.primaryKey || (physical.flags & uniqueFlag) != 0;
        index.ignoreNulls = (physical.flags & ignoreNullsFlag) != 0;
        index.required = (physical.flags & requiredFlag) != 0;
        bool complete = true;
        for (const RawIndexColumn& column : physical.columns) {
            const RawColumn* named = columnNumbered(definition, column.columnNumber);
            if (!named) {
                complete = false;
                break;
            }
            index.columns.push_back({named->name, column.descending});
        }
        if (complete)
            details.push_back(std::move(index));
    }
    return details;
}
