#pragma once
// A Jet table definition read from its own bytes, for the facts libmdb reads wrongly or not at all: each
// column's flag bytes, precision and scale, each physical index's columns with their sort order and flags,
// and each logical index's physical index and type (libmdb gives foreign-key indexes no columns and pairs
// the others with physical indexes by position, which is wrong as soon as two logical indexes share one).
// Names are converted by libmdb's own converter, so they equal the names libmdb reports.

#include <glib.h>
// glib must come first in C++: mdbtools.h includes it inside its extern "C" block.
#include <mdbtools.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct RawColumn {
    std::string name;
    unsigned columnNumber = 0; // the number index entries use
    unsigned type = 0;
    unsigned flags = 0;
    unsigned extraFlags = 0; // Jet 4 and later
    unsigned precision = 0;
    unsigned scale = 0;
};

struct RawIndexColumn {
    unsigned columnNumber = 0;
    bool descending = false;
};

struct RawPhysicalIndex {
    std::vector<RawIndexColumn> columns;
    unsigned flags = 0;
};

struct RawLogicalIndex {
    std::string name;
    unsigned physicalIndex = 0;
    unsigned type = 0; // 1 primary key, 2 foreign key
};

struct RawTableDefinition {
    std::vector<RawColumn> columns;
    std::vector<RawPhysicalIndex> physicalIndexes;
    std::vector<RawLogicalIndex> logicalIndexes; // in the order of the definition
};

// The definition that starts on `page`; nothing when its pages or counts do not hold together.
std::optional<RawTableDefinition> readRawTableDefinition(MdbHandle* mdb, unsigned long page);
