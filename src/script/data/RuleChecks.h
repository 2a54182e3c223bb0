#pragma once
// Reads the rows that the rules of a script depend on before the script is planned (RowFacts.h): the
// Required columns that may hold no value, the validation rules the rows break (RuleRows.h), and the enforced
// relationships whose texts the server compares otherwise than Access. Only the tables with such a column,
// rule or relationship are read.

#include "RowFacts.h"

#include "DatabaseSchema.h"

#include <QList>

class SchemaReader;
class WindowOps;
struct TargetDialect;

RowFacts readRowFacts(const TargetDialect& dialect, const QString& path, const QList<TableDefinition>& tables,
                      const QList<Relationship>& relationships, SchemaReader& reader, WindowOps& window);
