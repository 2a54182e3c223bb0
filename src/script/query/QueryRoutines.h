#pragma once
// Parameter and action queries as routines of the server, on the servers that hold them (PostgreSQL,
// MySQL/MariaDB): a query that asks for values (its PARAMETERS, names that are no columns, forms' controls)
// as a function returning its rows (MySQL: a procedure whose one statement is the SELECT), an action query
// (UPDATE, DELETE, append, make-table) as a procedure; the values asked for are their arguments. Nothing
// runs them during the migration.

#include "AccessSqlTree.h"
#include "QueryTranslation.h"

bool holdsRoutines(const TargetDialect& dialect);

// Whether a view's translation failed for the values the query asks for alone, so that a routine may hold it.
bool asksForValues(const NotTranslated& failure);

struct RoutineText {
    QString text;          // the statements, each ending with ";" and CR LF
    bool function = false; // PostgreSQL's function returning a parameter query's rows; else a procedure
};

std::variant<NotTranslated, RoutineText> queryRoutine(const AccessQuery& query, const QString& name,
                                                      const TargetDialect& dialect,
                                                      const QuerySchema& schema);
