#pragma once
// Reads a SELECT or UNION query's Access SQL, as Access shows it, into a tree (AccessSqlTree.h).

#include "AccessSqlTree.h"

#include <variant>

struct ParseFailure {
    QString reason; // what in the text could not be read, as "a subquery in FROM"
};

std::variant<ParseFailure, AccessQuery> parseAccessSql(const QString& sql);
