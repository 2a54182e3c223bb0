#pragma once
// The system tables every Access 2000 database has, with the columns and indexes Access gives them.

#include "JetTableDef.h"

#include <string>

namespace jet {

inline constexpr const char* systemTableNames[] = {"MSysObjects", "MSysACEs", "MSysQueries",
                                                   "MSysRelationships"};

// MSysObjects (the catalog, always first), MSysACEs, MSysQueries and MSysRelationships; no rows.
// The catalog carries no indexes: its rows would need real index entries, and no reader uses them.
std::vector<Table> systemTables();

} // namespace jet
