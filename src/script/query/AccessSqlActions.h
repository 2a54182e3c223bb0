#pragma once
// Reads an action query's Access SQL (UPDATE, DELETE, INSERT INTO ... append, SELECT ... INTO make-table)
// into a tree: its clauses are rewritten as a SELECT the query parser reads (a SET list as the SELECT list of
// its assignments, the tables as its FROM), and the parts taken back into an ActionQuery.

#include "AccessSqlParser.h"

// Whether the tokens (after any PARAMETERS declaration) are an action statement's.
bool isActionStatement(const QList<Token>& tokens);

std::variant<ParseFailure, AccessQuery> parseActionTokens(const QList<Token>& tokens);
