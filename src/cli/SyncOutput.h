#pragma once
// veltrane-cli --into URL --sync: the synchronization of a migrated database with the file, its progress on
// standard error, and the report of each table's changes on standard output.

#include "CliArguments.h"
#include "Migration.h"

class SchemaReader;

// The exit status: as a migration's, and 70 when a table's columns differ from the target's (nothing was
// changed).
int runSyncOutput(const CliRequest& request, const MigrationRequest& migration, SchemaReader& reader);
