#pragma once
// Which tables a run writes: every table when system tables are asked for; otherwise none whose name begins
// with "MSys" (in exactly that case) or is empty, nor one the catalog flags as a system table. The classic
// runs see only the table list's names, so for them no table carries the flag.

#include "ConversionOptions.h"
#include "DatabaseSchema.h"

#include <QString>

inline bool writesTable(const QString& name, bool systemFlag, const ConversionOptions& options) {
    return options.IncludeSystemTables ||
           !(name.startsWith(QLatin1String("MSys")) || name.isEmpty() || systemFlag);
}
inline bool writesTable(const QString& name, const ConversionOptions& options) {
    return writesTable(name, false, options);
}
inline bool writesTable(const TableDefinition& table, const ConversionOptions& options) {
    return writesTable(table.name, table.system, options);
}
