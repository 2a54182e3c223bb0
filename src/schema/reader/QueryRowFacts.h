#pragma once
// What the rows of MSysQueries say by their Attribute and their Flag: the names of the attributes, the bits
// of the select flags and of column rows, and the rows of one query sorted by attribute (QueryRebuild.h
// describes every row).

#include "QueryRebuild.h"

#include <vector>

namespace queryrebuild {

enum Attribute : int {
    KindRow = 1,
    ParameterRow = 2,
    FlagRow = 3,
    RemoteDatabaseRow = 4,
    TableRow = 5,
    ColumnRow = 6,
    JoinRow = 7,
    WhereRow = 8,
    GroupByRow = 9,
    HavingRow = 10,
    OrderByRow = 11,
    AttributeCount = 12,
};

// The select flags (attribute 3).
constexpr int selectStar = 0x01;
constexpr int selectDistinct = 0x02;
constexpr int ownerAccess = 0x04;
constexpr int selectDistinctRow = 0x08;
constexpr int selectTop = 0x10;
constexpr int selectPercent = 0x20;
constexpr int unionWithoutAll = 0x02;
// Column rows.
constexpr int appendValue = 0x8000;
constexpr int crossTabPivot = 0x01;
constexpr int crossTabRowHeading = 0x02;
// The Text type of a parameter, whose LvExtra is its size.
constexpr int textParameter = 10;

constexpr const char* newline = "\n";
constexpr const char* unionPart1 = "X7YZ_____1";
constexpr const char* unionPart2 = "X7YZ_____2";

using Rows = std::vector<const QueryRow*>;

inline bool hasFlag(const QueryRow* row, int mask) {
    return row && (row->flag.value_or(0) & mask) != 0;
}

inline Rows filtered(const Rows& rows, int mask, bool set) {
    Rows kept;
    for (const QueryRow* row : rows)
        if (hasFlag(row, mask) == set)
            kept.push_back(row);
    return kept;
}

} // namespace queryrebuild
