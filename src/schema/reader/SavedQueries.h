#pragma once
// The saved queries of a database: the query rows of the catalog (MSysObjects Type 5) and their rows of
// MSysQueries, read through libmdb and rebuilt into Access SQL (QueryRebuild.h). Opens the file read-only,
// reads and closes it before it returns.

#include "QueriesProtocol.h"

#include <string>

struct Credentials;

// Failures as for the table list (3024, 3051, 3343, 3049). A database without MSysQueries, or whose
// catalog holds no query, has none; a query whose rows cannot be rebuilt is named among the unread.
// The credentials open an encrypted file (DatabaseFile.h).
readerprotocol::QueriesAnswer readSavedQueries(const std::string& path, Credentials& credentials);
