#pragma once
// The pieces the translation of a query builds from: a translated expression with what is known of its value,
// and the spellings of one server that more than one part of the translation needs.

#include "AccessSqlTree.h"
#include "QueryTranslation.h"

#include <variant>

struct Sql {
    QString text;
    ValueType type = ValueType::Unknown;
    bool notNull = false;
    bool predicate = false; // a comparison or a logical operation: a condition rather than a value
    bool simple = false;    // a name, literal or call: needs no parentheses as an operand
};

// A translation, or why there is none.
using SqlOrReason = std::variant<QString, Sql>;

bool numeric(ValueType type);
// Whether values of the two types can be the branches of one CASE (NULL goes with any).
bool sameKind(ValueType a, ValueType b);

QString textLiteral(const TargetDialect& d, const QString& text);
// A #date# literal's text ("1/15/2024", "2024-01-15 10:30:00", "10:30 PM") as the server's timestamp literal;
// empty when it is not a date Access would read the same way everywhere.
QString dateLiteral(const TargetDialect& d, const QString& text);

// The expression as an operand: in parentheses unless it is simple.
QString operand(const Sql& sql);
// A condition where a value is wanted: SQL Server has no truth values, so there it is a CASE giving 1 or 0.
Sql valueOf(const TargetDialect& d, const Sql& sql);
// A value where a condition is wanted: a Yes/No value is true when it is not 0 (NULL stays unknown).
SqlOrReason conditionOf(const TargetDialect& d, const Sql& sql);

// A whole number or text as a text.
QString castToText(const TargetDialect& d, const Sql& sql);
QString concatenated(const TargetDialect& d, const QStringList& parts);

// A function of Access SQL (IIf, Nz, Left, DateAdd, Sum, ...) with its arguments translated as they stand.
SqlOrReason translateCall(const TargetDialect& d, const Expr& call, const QList<Sql>& args);
