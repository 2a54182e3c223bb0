#pragma once
// Access compares, sorts and makes unique its texts without regard to case. --text-case asks the server to do
// the same (insensitive) or to mind case (sensitive) in every text column of the script, where its own
// default does otherwise; without it the server's default stays. A unique index then refuses "abc" beside
// "ABC" as Access's does.

#include "ConversionOptions.h"
#include "ScriptPlan.h"
#include "TargetDialect.h"

// The text columns of the table and of its child tables, with the type or clause that makes them compare so.
void applyTextCase(const TargetDialect& dialect, TextCase textCase, TablePlan& table);

// The statement a script needs before its first table for that (PostgreSQL's citext); empty for none.
QString textCaseSetup(const TargetDialect& dialect, TextCase textCase);
