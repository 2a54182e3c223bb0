#pragma once
// An action query's statement (UPDATE, DELETE, INSERT INTO ... append, make-table as CREATE TABLE ... AS
// SELECT) in PostgreSQL's or MySQL's SQL, against the schema the same script creates: the body of the
// procedure QueryRoutines.h writes.

#include "AccessSqlTree.h"
#include "QueryTranslation.h"

std::variant<NotTranslated, QString> actionStatement(const AccessQuery& query, const TargetDialect& dialect,
                                                     const QuerySchema& schema);
