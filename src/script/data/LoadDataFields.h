#pragma once
// The rows of a table as MySQL's LOAD DATA reads them: one line a row, fields separated by tabs, "\" escapes
// (\N for NULL), the text in utf8mb4. Each value arrives exactly as the MySQL dialect's INSERT literal gives
// it, with the same problems met; a binary column's values go as hex digits that the statement's UNHEX turns
// back into their bytes, so that no byte is read as a character of the load's character set.

#include "DataValue.h"
#include "ScriptPlan.h"
#include "TargetDialect.h"

#include <string>

// LOAD DATA LOCAL INFILE of the columns, in this order (indexes into the table's columns); the rows follow
// as a stream of the named file.
std::string loadDataStatement(const TargetDialect& dialect, const TablePlan& table, const QList<int>& columns,
                              const char* file);
// One field, without its tab or line end.
ValueProblem appendLoadDataField(std::string& out, ValueForm form, const DataValue& value);
