#pragma once
// veltrane-cli --into URL with several databases, or folders of them: each database into a namespace of
// its own named after its file (SpaceNames.h: a PostgreSQL schema, a MySQL database, or an SQLite file
// NAME.sqlite in the folder sqlite:DIR), so that tables of the same names in two databases never meet.
//
// Each database is migrated by a process of its own, this program again with the same options and the
// one database, --jobs of them at once: a database that fails, or even crashes, stops none of the others,
// and leaves nothing of itself behind by the rules of a single migration (one transaction, or its tables
// dropped again, and a namespace it made dropped when left empty). Each one's report is printed as it
// ends, and then a table of all of them; the exit status is the worst of theirs.

#include "CliArguments.h"

// Whether the request is a batch: more than one database, or a folder.
bool isBatch(const CliRequest& request);

// arguments: this program's command line, handed to each database's process.
int runBatch(const CliRequest& request, const QStringList& arguments);
