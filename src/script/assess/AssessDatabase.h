#pragma once
// Reads one database for an assessment without migrating it: the header, the whole schema in one request,
// the rows of each table counted in the reader (no value decoded), the forms, reports, macros and VBA
// modules (AssessCode.h), the saved queries, and what each target's complete script makes of them, planned
// as the script would be. Values are read only when asked (--values, AssessValues.h): a value a target
// cannot hold, or a row that breaks a rule, is found only by reading every row.

#include "Assessment.h"

class ReaderProcess;

// The facts of the database at path; a database that cannot be read is facts with a failure, never the end
// of a run. With a codeFolder, its VBA code is written there as --code writes it; with values, every row is
// read for the values the targets cannot hold and the rules the rows break.
DatabaseFacts assessDatabase(const QString& path, ReaderProcess& reader, const QString& codeFolder = {},
                             bool values = false);

// The facts of a path that is not there.
DatabaseFacts missingDatabase(const QString& path);
