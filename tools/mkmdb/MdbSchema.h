#pragma once
// A database schema as the writer takes it: tables with their columns, column properties, indexes and
// rows, and the relationships between them.
// Plain values, UTF-8 names and text; nothing here knows the file format.

#include "MdbValue.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

enum class MdbColumnType {
    YesNo,
    Byte,
    Integer,
    Long,
    Currency,
    Single,
    Double,
    DateTime,
    Binary,
    Text,
    OleObject,
    Memo,
    Guid,
    Decimal,
    DateTimeExtended, // ACE's date and time to 100 ns; its value the 42 characters it is stored as
    Unknown,          // a type byte no reader knows; MdbColumn::typeByte holds it
};

struct MdbColumn {
    std::string name;
    MdbColumnType type = MdbColumnType::Text;
    int length = 0; // Text: characters (default 50); Binary, Unknown: bytes (default 255); ignored otherwise
    bool autoNumber = false; // Long: an increment; GUID: a ReplicationID (GenGUID())
    int precision = 18;      // Decimal only; a calculated Decimal stores none, as in Access
    int scale = 0;           // Decimal only; likewise
    int typeByte = 0;        // Unknown only: the type byte written for the column
    // A calculated column (Access 2010 and later): the Access expression that gives its value, type being
    // the type of the result.
    std::optional<std::string> expression;
    // Column properties; an unset one is not written at all, as in a file where it was never set.
    std::optional<bool> allowZeroLength;
    std::optional<bool> required;
    std::optional<std::string> defaultValue; // as Access stores it: "0", "\"abc\"", "=Now()", ...
    std::optional<std::string> description;
    std::optional<std::string> validationRule; // as Access stores it: ">0", "\"F\" Or \"M\"", ...
    std::optional<std::string> validationText;
    // A column deleted since rows were written: it keeps its number and its room in every row, as Access
    // leaves it, but the definition no longer describes it. Its values are what the rows still hold.
    bool deleted = false;
    // A column added after rows were written, after every column that is not: a row whose added columns all
    // hold NULL is written as Access leaves a row it has not rewritten since, with only the columns it had.
    bool added = false;
};

struct MdbIndex {
    std::string name;
    std::vector<std::string> columns; // column names, 1 to 10
    bool primary = false;             // a primary key is always unique
    bool unique = false;
    bool ignoreNulls = false;
    bool required = false;        // a primary key always is
    bool foreignKey = false;      // the index of a relationship on its referencing side
    std::vector<bool> descending; // per column, in column order; columns past its end are ascending
};

struct MdbTable {
    std::string name;
    bool system = false; // carries the system flag in the catalog, whatever its name
    std::vector<MdbColumn> columns;
    std::vector<MdbIndex> indexes;
    bool hidden = false; // carries the hidden flag in the catalog
    // In the order they are stored; each holds one value per column (see MdbValue.h for which kind).
    std::vector<MdbRow> rows;
    // Rows made while the file is written, stored after `rows`, for a table too large to hold: called with
    // each row's number from 0, it fills the row and returns true, or returns false after the last one.
    std::function<bool(std::size_t number, MdbRow& row)> moreRows;
    // The table's own rule, a condition on its columns, and its text; written in the table's property block.
    std::optional<std::string> validationRule = std::nullopt;
    std::optional<std::string> validationText = std::nullopt;
};

// One relationship, written as one MSysRelationships row per column pair.
struct MdbRelationship {
    std::string name;
    std::string table;                          // the referencing side
    std::vector<std::string> columns;           // 1 to 10
    std::string referencedTable;                // the primary-key side
    std::vector<std::string> referencedColumns; // as many as columns
    bool enforced = true;
    bool cascadeUpdate = false;
    bool cascadeDelete = false;
    bool cascadeSetNull = false;
};

// The kinds of saved query, with the MSysObjects Flags each is catalogued with.
enum class MdbQueryKind {
    Select,         // 0
    Union,          // 128
    CrossTab,       // 16
    Append,         // 64
    Update,         // 48
    Delete,         // 32
    MakeTable,      // 80
    DataDefinition, // 96
    PassThrough,    // 112
};

// One row of MSysQueries as stored; nullopt is NULL. MdbQueries.h makes them from a description.
struct MdbQueryRow {
    int attribute = 0;
    std::optional<std::string> expression;
    std::optional<int> flag; // a signed 16-bit Integer
    std::optional<std::string> name1;
    std::optional<std::string> name2;
    std::optional<std::int32_t> extra; // LvExtra
};

// A saved query: one MSysObjects row of Type 5 and its rows of MSysQueries, written as they are.
struct MdbQuery {
    std::string name;
    MdbQueryKind kind = MdbQueryKind::Select;
    bool hidden = false; // carries the hidden flag in the catalog
    std::vector<MdbQueryRow> rows;
};

struct MdbSchema {
    std::vector<MdbTable> tables;
    std::vector<MdbRelationship> relationships;
    std::vector<MdbQuery> queries{}; // saved queries, written to MSysQueries
};

// The names the schema description uses for the types ("Yes/No", "Long", "Date/Time", "OLE Object", ...).
std::optional<MdbColumnType> mdbColumnTypeFromName(const std::string& name);
std::string mdbColumnTypeName(MdbColumnType type);
