#pragma once
// The value of one column of a row in each form the rows are written in: a literal of the target's INSERT
// statements, a field of PostgreSQL's COPY text format, a CSV field. The column's value form (its one type
// decision in the plan) and the value's kind decide the text; everything else the dialect says.

#include "DataValue.h"
#include "TargetDialect.h"

#include <string>

ValueProblem appendSqlLiteral(std::string& out, const TargetDialect& dialect, ValueForm form,
                              const DataValue& value);
ValueProblem appendCopyField(std::string& out, ValueForm form, const DataValue& value);
// RFC 4180: quoted where the text holds a comma, a quote, CR or LF, and always for an empty text, so that an
// empty text and NULL (an empty unquoted field) stay apart.
ValueProblem appendCsvField(std::string& out, const DataValue& value);
// What became of the values that met the problem, as the scripts and the runs name it: "dates outside the
// years 100 to 9999 written as NULL".
const char* valueProblemText(ValueProblem problem);
