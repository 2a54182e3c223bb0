#pragma once
// The Access SQL of a saved query, rebuilt from its rows of MSysQueries as Access shows it in SQL view.
// Plain C++ without libmdb (library veltrane_query_rebuild), so that rows can be fed to it directly.
//
// A query is one MSysObjects row (Type 5: its name, its Id, its Flags) and the MSysQueries rows whose
// ObjectId is that Id, in storage order. Each row is a part of the statement, named by its Attribute:
//   1 the kind (Flag: 1 Select, 2 MakeTable, 3 Append, 4 Update, 5 Delete, 6 CrossTab,
//     7 DataDefinition, 8 PassThrough, 9 Union; Name1 the target table of a MakeTable or Append query,
//     Name2 and Expression its other database and that database's type; Expression the whole text of a
//     DataDefinition or PassThrough query, Name1 a PassThrough query's connection)
//   2 a parameter (Name1 its name, Flag its type, LvExtra a Text parameter's size)
//   3 the select flags (Flag: 1 "*", 2 DISTINCT, 4 WITH OWNERACCESS OPTION, 8 DISTINCTROW, 16 TOP,
//     32 PERCENT; Name1 the TOP number; a Union query's Flag 2 means UNION rather than UNION ALL)
//   4 the other database of the FROM clause (Name1 its path, Expression its type)
//   5 a table (Name1 its name, Name2 its alias, Expression the database it is in; a Union query's two
//     parts as Expression, Name2 "X7YZ_____1" and "X7YZ_____2")
//   6 a column (Expression, Name1 its alias; Name2 the column an Update sets or an Append fills; Flag
//     0x8000 a VALUES item of an Append; in a CrossTab, Flag 1 the PIVOT, 2 a row heading, neither the
//     TRANSFORM value)
//   7 a join (Name1 and Name2 the two tables or aliases, Expression the ON condition, Flag 1 INNER,
//     2 LEFT, 3 RIGHT)
//   8 WHERE, 9 a GROUP BY item (CrossTab: Flag 2 the row headings), 10 HAVING, 11 an ORDER BY item
//     (Name1 "D" descending)
//   0 and 255 the start and end of the rows
// The kind is that of MSysObjects Flags & 0xF0 (0 Select, 16 CrossTab, 32 Delete, 48 Update, 64 Append,
// 80 MakeTable, 96 DataDefinition, 112 PassThrough, 128 Union); for 0, the kind row decides when it names
// another kind. Flags 0x8 marks a hidden query, as does a name beginning "~sq_" (the queries of forms and
// reports).
//
// A query whose rows do not make one statement (a kind the engine does not have, two WHERE rows, a join
// of an unknown type, joins that contradict each other, a union without both parts, a parameter of an
// unknown type) is not rebuilt: its name comes back with the reason instead.

#include "QueriesProtocol.h"

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

// One row of MSysQueries; a null column is nullopt.
struct QueryRow {
    int attribute = 0;
    std::optional<std::string> expression;
    std::optional<int> flag; // a signed 16-bit Integer: the VALUES flag 0x8000 reads as -32768
    std::optional<std::string> name1;
    std::optional<std::string> name2;
    std::uint32_t objectId = 0;
    std::string order;         // the Order bytes; the rows are taken in storage order
    std::optional<long> extra; // LvExtra (Jet 4 and later)
};

// The MSysObjects row of one query.
struct QueryObject {
    std::string name;
    std::uint32_t id = 0;
    std::uint32_t flags = 0;
};

// The query's SQL, or why it could not be rebuilt.
std::variant<readerprotocol::StoredQuery, std::string> rebuildQuery(const QueryObject& object,
                                                                    const std::vector<QueryRow>& rows);

// Every query of the catalog from the rows of MSysQueries, in the order of objects: the ones rebuilt in
// queries, the others in unread.
readerprotocol::QueriesAnswer rebuildQueries(const std::vector<QueryObject>& objects,
                                             const std::vector<QueryRow>& rows);
