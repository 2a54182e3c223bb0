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
// does not know, which makes the outcome Unknown. nowDays is the moment Date(), Now() and Time() stand for,
// in days since 1899-12-30. NULL propagates as in Access and only False breaks the rule. Numbers of every
// kind (Currency, Decimal, dates, Yes/No as -1 and 0) compare by their value as a double. Texts compare as
// Access's default compare does, without regard to case and to trailing spaces; where the General sort order
// could decide otherwise than the characters here (letters beyond ASCII, punctuation in an ordering, texts
// differing only in hyphens or apostrophes) the outcome is Unknown, as it is for a text against a number, a
// number in And/Or/Not other than -1 and 0 (combined bit by bit there), Between with its ends reversed, and
// any function other than Len, Left, Right, Mid, UCase, LCase, Trim, LTrim, RTrim, IsNull, Nz, Abs, Int, Fix,
// Year, Month, Day, Date, Now and Time.
RuleOutcome evaluateRule(const Expr& condition,
                         const std::function<std::optional<DataValue>(const QString& column)>& valueOf,
                         double nowDays);
