#pragma once
// The schema of an Access file as the Access database engine would report it, read through libmdb. Each
// function opens the file read-only, reads what it needs and closes the file before it returns.

#include "ReaderProtocol.h"

#include <functional>
#include <string>

struct Credentials;

// The credentials open an encrypted file (DatabaseFile.h).
readerprotocol::TablesAnswer readTableNames(const std::string& path, Credentials& credentials);
readerprotocol::FieldsAnswer readTableFields(const std::string& path, const std::string& table,
                                             Credentials& credentials);
readerprotocol::IndexesAnswer readTableIndexes(const std::string& path, const std::string& table,
                                               Credentials& credentials);
// Tables, each table's fields, indexes and stored details, and the relationships, in one open of the file:
// the answer's frames, each handed to send as soon as it is made. False when one could not be sent.
bool readSchema(const std::string& path, Credentials& credentials,
                const std::function<bool(const std::string& frame)>& send);
