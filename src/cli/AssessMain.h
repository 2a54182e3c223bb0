#pragma once
// veltrane-cli --assess [--html FILE] [--code DIR] [--password-file FILE] PATH...: reads each database the
// paths name (files, and the .mdb and .accdb files in folders) without migrating it, and writes the
// assessment as plain text on standard output or as one HTML page; with --code, each database's VBA code in
// DIR/<safe file name>/ as --code writes it. Progress goes to a terminal on standard error, a database at a
// time. A database that cannot be read is a line of the report, never the end of the run.

#include <QStringList>
#include <optional>

// The exit status of the assessment the arguments ask for (0 when every database was read whole, 65 when
// some could not be, its VBA project included, 73 when code could not be written); nothing when they ask
// for none.
std::optional<int> assessIfAsked(const QStringList& arguments);
