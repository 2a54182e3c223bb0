#pragma once
// What an assessment with --values finds by reading every row, where a plain assessment only counts them:
// the values each target cannot hold as they are, found by the writers of rows themselves (RowLiterals.h)
// as each target's data script plans its columns, and the rules of the file its own rows break, counted by
// the checks a migration makes before it plans its tables (RuleChecks.h) and named as it names them. Each
// table is read a batch at a time; nothing is kept of a row but the counts and the first value of a kind.

#include "Assessment.h"

#include "DatabaseSchema.h"

class SchemaReader;

// Adds the unheld values and broken rules of the schema's user tables to facts; a table whose rows cannot
// all be read keeps what was read and says so in its facts, never ends the run.
void assessValues(DatabaseFacts& facts, const DatabaseSchema& schema, SchemaReader& reader);
