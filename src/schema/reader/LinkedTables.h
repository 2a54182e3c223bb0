#pragma once
// Linked Access tables (Type 6) are read through their link: from the stored path when a file lies there,
// else from a file of the same name in the linking database's own folder, one level deep (a link found
// there is not followed). Without such a file, and for ODBC links, the fields are the "NONE" row marked as
// deliberately unread, and there is no index list.

#include "CatalogWalk.h"
#include "ReaderProtocol.h"
#include "TableReading.h"

#include <optional>
#include <string>

// The linked table `link` of the database at path, with the parts asked for, under the link's own name. A
// file that is there but cannot be read, or lacks the table, is a failed read.
readerprotocol::TableSchema describeLinkedTable(const std::string& path, const CatalogTable& link,
                                                TableParts parts);

// The file a link's stored path leads to: the stored path when a file lies there, else a file of the same
// name in the linking database's own folder; nothing when neither is there.
std::optional<std::string> linkedFile(const std::string& databasePath, const std::string& stored);
