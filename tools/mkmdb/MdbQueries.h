#pragma once
// Saved queries described clause by clause, and the MSysQueries rows Access stores for them: the start
// row (attribute 0), the kind (1), parameters (2), the select flags (3), the other database (4), tables
// (5), columns (6), joins (7), WHERE (8), GROUP BY (9), HAVING (10), ORDER BY (11) and the end row (255).
// Expressions are written as Access stores them, brackets and all: the rows hold text, not a parse.

#include "MdbSchema.h"

#include <optional>
#include <string>
#include <vector>

struct MdbQueryParameter {
    std::string name; // as written, "[Start Date]"
    std::string type; // as PARAMETERS writes it: Value, Bit, Byte, Short, Long, Currency, IEEESingle,
                      // IEEEDouble, DateTime, Binary, Text, LongBinary, LongText, Guid
    int size = 0;     // Text: its size, 0 for none
};

struct MdbQueryColumn {
    std::string expression;
    std::optional<std::string> alias;
    std::optional<std::string> column; // Update: the column set; Append: the column filled
    bool value = false;                // Append: a VALUES item
    // CrossTab: the TRANSFORM value or the PIVOT column; any other column is a row heading.
    bool transform = false;
    bool pivot = false;
};

struct MdbQueryTable {
    std::string name;
    std::optional<std::string> alias;
    std::optional<std::string> database; // the database the table is in
};

struct MdbQueryJoin {
    std::string left;  // a table's alias or name
    std::string right; // likewise
    int type = 1;      // 1 INNER, 2 LEFT, 3 RIGHT
    std::string on;
};

struct MdbQueryOrder {
    std::string expression;
    bool descending = false;
};

struct MdbQueryDescription {
    std::string name;
    MdbQueryKind kind = MdbQueryKind::Select;
    bool hidden = false;
    std::vector<MdbQueryParameter> parameters;
    bool distinct = false;
    bool distinctRow = false;
    std::optional<std::string> top; // the number, "5"
    bool percent = false;
    bool star = false; // "*" after the columns
    bool ownerAccess = false;
    std::vector<MdbQueryColumn> columns;
    std::vector<MdbQueryTable> tables;
    std::vector<MdbQueryJoin> joins;
    std::optional<std::string> where;
    std::vector<std::string> groupBy;
    std::optional<std::string> having;
    std::vector<MdbQueryOrder> orderBy;
    std::optional<std::string> target; // MakeTable, Append
    std::optional<std::string> targetDatabase;
    std::vector<std::string> unionParts; // Union: the two SELECT statements
    bool unionAll = false;
    std::optional<std::string> sql;     // DataDefinition, PassThrough: the whole text
    std::optional<std::string> connect; // PassThrough: the ODBC connection
};

// The stored query; nothing, with the reason in *error, for a parameter of a type PARAMETERS does not
// name or a union without two parts.
std::optional<MdbQuery> mdbQuery(const MdbQueryDescription& description, std::string* error);

std::optional<MdbQueryKind> mdbQueryKindFromName(const std::string& name);
// The MSysObjects Flags of a query of the kind, and the Flag of its kind row.
std::uint32_t mdbQueryObjectFlags(MdbQueryKind kind);
int mdbQueryKindValue(MdbQueryKind kind);
