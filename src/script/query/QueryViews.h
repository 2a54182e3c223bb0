#pragma once
// The end of a complete script: a CREATE VIEW for every visible SELECT and UNION query that translates with
// certainty, and where the server holds them a function or procedure for each parameter and action query
// (QueryRoutines.h), each after the views it reads, named as the query is named and cut as the tables are
// (never taking a name the script gives a table, key or index); every other visible query as a comment
// holding its Access SQL and why it is not a view, so that the script always loads.

#include "ConversionOptions.h"
#include "CrosstabQueries.h"
#include "SavedQuery.h"
#include "ScriptPlan.h"
#include "TargetDialect.h"

struct ViewsScript {
    QString text; // empty without visible queries
    int views = 0;
    int functions = 0;  // parameter queries' functions returning their rows (QueryRoutines.h)
    int procedures = 0; // action queries', and MySQL's for parameter queries
    int comments = 0;   // the queries left as comments
    QStringList left;   // each of those: "NAME: why"
};

// "3 views, 1 function, 2 procedures, 4 queries left as comments"
QString savedQueryCounts(const ViewsScript& script);

ViewsScript
viewsScript(const TargetDialect& dialect, const ConversionOptions& options, const ScriptPlan& plan,
            const SavedQueries& queries,
            const CrosstabSnapshots& crosstabs = {}); // the headings read of crosstabs that have none

class SchemaReader;

// The views of the database's saved queries, asked of the reader; a comment where they could not be read.
ViewsScript savedQueryViews(const TargetDialect& dialect, const ConversionOptions& options,
                            const ScriptPlan& plan, SchemaReader& reader);
