#pragma once
// What a run with rows says of the complex columns it could not give a child table (ScriptPlan.h:
// LeftOutValues): the rows of each column's storage table are counted, one row a value, so that the values
// left out are named and counted rather than lost in silence.

#include "ScriptPlan.h"

#include <QStringList>

class SchemaReader;

// A note for each complex column of t whose stored values were left out, naming the table, the column and
// how many; none for a column that stores no value.
QStringList leftOutValueNotes(const TablePlan& t, SchemaReader& reader, const QString& databasePath);
