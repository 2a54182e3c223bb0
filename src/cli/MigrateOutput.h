#pragma once
// veltrane-cli --into: the migration straight into a server or a new SQLite file, its progress on standard
// error as for the rows of a script, and the report of counts on standard output.

#include "CliArguments.h"

class SchemaReader;

// The exit status: 0 when every table's count agrees, 65 when some of the file could not be read, 64 for a
// target address that cannot be used, 66 and 69 as for scripts, 70 when the target refused or holds other
// counts, 73 when it holds tables of the same names.
int runMigrate(const CliRequest& request, SchemaReader& reader);
