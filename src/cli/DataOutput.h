#pragma once
// veltrane-cli's runs with rows: the complete script with its rows (--data, --data-only), written as it is
// made to standard output or, atomically, to the output file; or the rows as CSV files (--csv). Progress
// goes to standard error: a line per table with -v, else a line that updates in place on a terminal.

#include "CliArguments.h"

class SchemaReader;

// The exit status: 0, 65 (some rows or values could not be written as they are, or a named table is not
// there), 66, 69, 73 as for scripts.
int runWithData(const CliRequest& request, SchemaReader& reader);
