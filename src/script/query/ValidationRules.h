#pragma once
// Validation rules of columns and tables: read into a plain condition (the implicit column of a column's rule
// made explicit), and a condition's outcome on one row's values with Access's semantics.

#include "AccessSqlParser.h"
#include "AccessSqlTree.h"
#include "DataValue.h"

#include <QString>
#include <functional>
#include <optional>
#include <variant>

// A rule as Access reads it, with the column's name as the left side of every operand of And, Or and Not that
// has none: ">0" is [column] > 0, "Between 0 And 1" and "Is Null Or >5" likewise, and a bare value is
// [column] = value ("\"F\" Or \"M\"", "30 Or 60 Or 90"). Operands that name columns themselves ("[Qty]>0")
// stay as they are. An empty column reads a table's rule: a plain condition. A failure says what cannot be
// read.
std::variant<ParseFailure, Expr> parseValidationRule(const QString& rule, const QString& column);

enum class RuleOutcome {
    Holds,  // true, or NULL: Access rejects a row only when its rule is false
    Breaks, // false
    Unknown // a column valueOf does not know, or what is not evaluated here (never a guess at Breaks)
};

// The condition (of parseValidationRule) on one row: valueOf gives a column's value, nullopt for a column it
// does not know. nowDays is the moment Date(), Now() and Time() stand for, in days since 1899-12-30. Texts
// compare as Access's default compare does, without regard to case and to trailing spaces; where that order
// is not certain here (characters beyond ASCII letters and digits, texts differing only in hyphens or
// apostrophes) the outcome is Unknown.
RuleOutcome evaluateRule(const Expr& condition,
                         const std::function<std::optional<DataValue>(const QString& column)>& valueOf,
                         double nowDays);
