#pragma once
// The plain row reader that the system tables (MSysComplexColumns, MSysRelationships) are read with, and
// the text of one bound column as it reads it.

#include <glib.h>
// glib must come first in C++: mdbtools.h includes it inside its extern "C" block.
#include <mdbtools.h>

#include <functional>
#include <string>
#include <vector>

// Calls row(values) for every row of the table at `page`, values in the order of `columns`, as text
// (empty for null, and for a column the table does not have). False when the table cannot be read.
bool readRows(MdbHandle* mdb, const std::string& table, unsigned long page,
              const std::vector<std::string>& columns,
              const std::function<void(const std::vector<std::string>& values)>& row);

// The text of the row just fetched in `column`, bound to `buffer`.
std::string boundText(MdbHandle* mdb, const MdbColumn& column, const char* buffer);
