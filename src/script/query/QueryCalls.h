#pragma once
// What the translations of Access's functions share: each group of functions has a file of its own
// (QueryNumbers.cpp, ...), and translateCall (QueryFunctions.cpp) asks them in turn.

#include "QuerySql.h"

#include <optional>

// A call's translation: a simple operand of the type.
Sql callResult(QString text, ValueType type, bool notNull = false);
bool named(const QString& name, const char* candidate);
bool isOneOf(const QString& name, std::initializer_list<const char*> names);
// The spelling's "%1" replaced by the text.
QString spelled(const char* spelling, const QString& text);

// Each translates a call of its group of functions, of arguments already as values, and answers nothing for a
// function of another group.
std::optional<SqlOrReason> numberCall(const TargetDialect& d, const Expr& call, const QList<Sql>& args);
std::optional<SqlOrReason> dateCall(const TargetDialect& d, const Expr& call, const QList<Sql>& args);
std::optional<SqlOrReason> textCall(const TargetDialect& d, const Expr& call, const QList<Sql>& args);
std::optional<SqlOrReason> formatCall(const TargetDialect& d, const Expr& call, const QList<Sql>& args);
