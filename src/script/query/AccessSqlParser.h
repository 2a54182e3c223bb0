#pragma once
// Reads a saved query's Access SQL, as Access shows it, into a tree (AccessSqlTree.h): a SELECT or UNION
// query, or an action query (AccessSqlActions.h).

#include "AccessSqlLexer.h"
#include "AccessSqlTree.h"

#include <variant>

struct ParseFailure {
    QString reason; // what in the text could not be read, as "a subquery in FROM"
};

std::variant<ParseFailure, AccessQuery> parseAccessSql(const QString& sql);

// One expression's tokens, ending with the End token: a validation rule, read as a query's WHERE reads it.
std::variant<ParseFailure, Expr> parseExpressionTokens(QList<Token> tokens);

// A SELECT or UNION query's tokens, ending with the End token.
std::variant<ParseFailure, AccessQuery> parseQueryTokens(QList<Token> tokens);
