#pragma once
// The two per-table writers. Each appends one table's script to the window's script box in four appends
// (opening line; columns and closing; index statement; grants and two line breaks), keeps the progress
// caption current, and returns the number of index names it wrote.

#include "ConversionOptions.h"
#include "SchemaTypes.h"

class SchemaReader;
class WindowOps;

// What a writer works with besides its table: the run's options, the reader (for the index list) and the
// window. The writers keep nothing between calls.
struct ScriptTarget {
    const ConversionOptions& options;
    SchemaReader& reader;
    WindowOps& window;
};

// T-SQL: cleaned field names (written back into fields), clustered key, GRANT statement.
int BuildTSqlScript(FieldTable& fields, const QString& tableName, const ScriptTarget& target);
// Access SQL: names as the database reports them, no GRANT statement.
int BuildAccessSqlScript(FieldTable& fields, const QString& tableName, const ScriptTarget& target);
