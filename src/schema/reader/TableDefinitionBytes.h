#pragma once
// The parts of a Jet table definition that libmdb reads wrongly or not at all, read from the definition's
// own bytes: each column's flag bytes, precision and scale, each physical index's columns with their sort
// order and flags, and each logical index's physical index, type and relationship bytes (libmdb skips
// foreign-key indexes and pairs the others with physical indexes by position, which is wrong as soon as
// two logical indexes share one).

#include <glib.h>
// glib must come first in C++: mdbtools.h includes it inside its extern "C" block.
#include <mdbtools.h>

#include <cstdint>
#include <optional>
#include <vector>

struct RawColumn {
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
    unsigned physicalIndex = 0;
    unsigned type = 0; // 1 primary key, 2 foreign key
};

struct RawTableDefinition {
    std::vector<RawColumn> columns;
    std::vector<RawPhysicalIndex> physicalIndexes;
    std::vector<RawLogicalIndex> logicalIndexes; // in the order of the definition (and of libmdb's indices)
};

// The definition that starts on `page`; nothing when its pages or counts do not hold together.
std::optional<RawTableDefinition> readRawTableDefinition(MdbHandle* mdb, unsigned long page);
