#pragma once
// A table opened for reading its rows, the way the schema requests open a file (read-only, mapped) and find
// a table in it (without regard to case; a linked Access table through its link, one level deep).

#include "ColumnProperties.h"
#include "ReaderProtocol.h"

#include <glib.h>
// glib must come first in C++: mdbtools.h includes it inside its extern "C" block.
#include <mdbtools.h>

#include <functional>
#include <optional>
#include <string>

struct Credentials;

// Valid only while the call it is handed to runs. The definition has its columns read and nothing else.
struct OpenTable {
    MdbHandle* mdb = nullptr;
    MdbTableDef* table = nullptr;
    const TableProperties* properties = nullptr;
};

// Hands the table to use while its file is open. A failure, and use is not called, when the file cannot be
// opened, the table is not there, its definition cannot be read or its rows lie where they cannot be read
// (an ODBC link, a linked file that is not there).
std::optional<readerprotocol::Failure> withOpenTable(const std::string& path, Credentials& credentials,
                                                     const std::string& table,
                                                     const std::function<void(const OpenTable& open)>& use);
