#pragma once
// veltrane-cli --code DIR: the VBA modules of the database as text files and objects.txt in DIR
// (CodeExport.h). Nothing of the project is run.

#include "CliArguments.h"

class ReaderProcess;

// The exit status: 0, 64 for a blank path, 65 for a database that cannot be read or a project that is
// damaged, locked or missing (each warning on standard error; what could be read is written), 66, 69, 73
// as for scripts.
int runCode(const CliRequest& request, ReaderProcess& reader);
