#pragma once
// The "queries" list of a schema description (see MdbSchemaJson.h): each query described clause by
// clause (MdbQueries.h), or by its MSysQueries rows as stored:
//   {"name": "Big orders", "kind": "Select", "hidden": false,
//    "parameters": [{"name": "[Least]", "type": "Currency"}, {"name": "[Who]", "type": "Text", "size": 50}],
//    "distinct": false, "distinctRow": false, "top": "5", "percent": false, "star": false,
//    "ownerAccess": false,
//    "columns": ["Orders.OrderID", {"expression": "Sum(Lines.Total)", "alias": "Total"}],
//    "tables": ["Orders", {"name": "Order Lines", "alias": "Lines", "database": "C:\\other.mdb"}],
//    "joins": [{"left": "Orders", "right": "Lines", "type": "Inner", "on": "Orders.OrderID =
//    Lines.OrderID"}], "where": "Orders.Shipped Is Null", "groupBy": ["Orders.OrderID"], "having":
//    "Sum(Lines.Total)>[Least]", "orderBy": ["Orders.OrderID", {"expression": "Sum(Lines.Total)",
//    "descending": true}]}
// Kinds: Select, Union, CrossTab, Append, Update, Delete, MakeTable, DataDefinition, PassThrough. Join
// types: Inner, Left, Right. Besides: "target" and "targetDatabase" (MakeTable, Append), a column's
// "column" (the column an Update sets or an Append fills) and "value": true (an Append's VALUES item);
// "transform": true and "pivot": true for a CrossTab's value and column headings (its other columns and
// its GROUP BY items are the row headings); "union": [two SELECT texts] and "unionAll": true; "sql" (the
// whole text of a DataDefinition or PassThrough query) and "connect" (a PassThrough query's ODBC
// connection). Instead of clauses, "rows": [{"attribute": 1, "flag": 1, "name1": "...", "name2": "...",
// "expression": "...", "extra": 0}, ...] writes exactly those rows.

#include "MdbSchema.h"

#include <QJsonArray>
#include <QString>
#include <optional>
#include <vector>

std::optional<std::vector<MdbQuery>> readQueriesJson(const QJsonArray& queries, QString* error);
