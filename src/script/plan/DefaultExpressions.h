#pragma once
// A default value that is an Access expression rather than a literal (=Now(), Date()+30, Time(), GenGUID(),
// #1/1/2000#, "A" & "B", -(5)) as the server's own default expression: read by the saved-query parser and
// written by the same translation as the views, so a default means on the server what it meant in Access.
// What a server cannot compute for a new row (another column, a lookup, a value of another kind than the
// column's) is refused with the reason.

#include "ScriptPlan.h"
#include "TargetDialect.h"

#include <variant>

struct DefaultRefused {
    QString reason; // "it refers to the column Price"
};

// The text after DEFAULT for the Access default `value` of the planned column (its jetType and type are set).
std::variant<DefaultRefused, QString> expressionDefault(const TargetDialect& dialect,
                                                        const ColumnPlan& column, const QString& value);
