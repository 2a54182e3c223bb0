#pragma once
// veltrane-cli --queries: the saved queries of the database, in name order, each as a line
// "-- Query: NAME (KIND)", its Access SQL ending in ";" and a blank line; to standard output or,
// atomically, to the output file.

#include "CliArguments.h"
#include "SavedQuery.h"

class ReaderProcess;

// The kind as Access names it: Select, Union, CrossTab, Append, Update, Delete, MakeTable,
// DataDefinition, PassThrough.
QString queryKindName(QueryKind kind);

// The whole output for the given queries.
QByteArray queriesText(const SavedQueries& queries);

// The exit status: 0, 64 for a blank path, 65 for a database that cannot be read or a query whose rows make
// no statement (named on standard error; the others are written all the same), 66, 69, 73 as for scripts.
int runQueries(const CliRequest& request, ReaderProcess& reader);
