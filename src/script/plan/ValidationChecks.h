#pragma once
// Access's validation rules as the server keeps them. A column's rule becomes a CHECK on the column and the
// table's rule a CHECK of the table, each written in the server's SQL by the translation of the saved queries
// (a column rule's implicit column, as in ">0", made the column as the script names it). Access refuses a
// value only where the rule is False, never where it is Null, as a CHECK does. A rule that calls a function
// whose value changes (Date(), Now()) is checked by triggers where the server's CHECK cannot call one
// (TargetDialect::refusingTrigger). A Required text that does not allow a zero-length string refuses "". A
// rule the translation cannot write, or that the file's own rows break (RowFacts.h), stays a comment and is
// named with its reason.

#include "NameAllocator.h"
#include "ScriptPlan.h"
#include "TargetDialect.h"

// Plans the rules of a table the script writes, once its columns are named: the CHECKs of its columns and
// its own, its triggers, notes and descriptions, and the counts of the plan. Constraint and trigger names
// come from names.
void planValidationRules(const TargetDialect& dialect, ScriptPlan& plan, TablePlan& table,
                         NameAllocator& names);

// Where the server takes no CHECK on a column that a written foreign key changes by ON UPDATE CASCADE or SET
// NULL, leaves out the CHECKs that read such a column, each with a note and its reason; once the foreign keys
// are planned.
void leaveOutChecksOnCascadedColumns(const TargetDialect& dialect, ScriptPlan& plan,
                                     const QList<Relationship>& relationships);

// What the script carried over, for the migration's report: "3 CHECK constraints, 1 by triggers; 1 not
// carried over"; empty where the tables have no rule.
QString validationRuleCounts(const ScriptPlan& plan);

// Said in the script beside a table whose rows break a rule (column empty: the table's own rule).
QString ruleNotWrittenNote(const QString& column, const QString& rule, qint64 rows);
// The warning for it: standard error, the report.
QString ruleNotWrittenWarning(const QString& table, const QString& column, const QString& rule, qint64 rows);
