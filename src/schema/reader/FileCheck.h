#pragma once
// The checks a file passes before libmdb may open it. libmdb blocks forever on a FIFO and accepts empty or
// zero-filled files, so the reader looks at the file itself first.

#include <string>

enum class FileVerdict {
    Database,     // a regular file with a Jet or ACE header, at least two pages long
    Missing,      // nothing at that path
    CannotOpen,   // no permission, a folder, a FIFO, a device
    NotADatabase, // empty, truncated, or not a Jet/ACE header
};

FileVerdict checkDatabaseFile(const std::string& path);
