#pragma once
// Access's LIKE with a literal pattern as a condition of one server. Access matches without regard to case:
// * any run of characters, ? one character, # one digit, [a-z] one of a list or range, [!a-z] one outside
// it; any other character, % and _ included, is itself. A pattern of * and ? alone is the server's LIKE;
// the rest is a regular expression (PostgreSQL, MySQL), a GLOB of the lowered text (SQLite), or a LIKE with
// its own lists (SQL Server).

#include "QuerySql.h"

SqlOrReason likeCondition(const TargetDialect& d, const Sql& value, const QString& pattern);
