#pragma once
// The walk over the live rows of a table, page by page along its usage map, shared by the requests that read
// rows: each row is located (where each column's value lies in the page) before it is handed on.

#include "OpenTable.h"

#include <cstddef>
#include <functional>
#include <vector>

enum class RowVisit {
    Next,    // on to the next row
    Damaged, // the row cannot be read: the walk ends there, incomplete
    Stop,    // the caller ends the walk (its answer could not be sent)
};

struct RowWalkEnd {
    bool complete = false; // every row of the table was handed on
    bool stopped = false;  // the visitor stopped the walk
};

// Hands each live row to visit with its bounds in the current page (mdb->pg_buf) and fields (one per column
// of the table, in its order) filled with each value's place, or NULL. A row whose counts and offsets do
// not fit in it is damage; the walk also ends incomplete at a page it cannot read.
RowWalkEnd walkRows(const OpenTable& open, std::vector<MdbField>& fields,
                    const std::function<RowVisit(std::size_t start, std::size_t end)>& visit);
