#pragma once
// Reads the rows of the tables with validation rules before the script is planned, and counts for each rule
// the rows it is False for (RowFacts::rowsBreakingRule): Access checks a rule only as a value is entered, so
// rows from before the rule, or from an import, may break it, and a CHECK or trigger would stop their load.

#include "RowFacts.h"

#include "DatabaseSchema.h"

#include <QList>

class SchemaReader;
class WindowOps;

void countRowsBreakingRules(const QString& path, const QList<TableDefinition>& tables, SchemaReader& reader,
                            WindowOps& window, RowFacts& facts);
