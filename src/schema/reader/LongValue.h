#pragma once
// The bytes of a long value (Memo, OLE Object): a row keeps a 12-byte reference to it, the length and how
// it is kept in the first four bytes, then where its first piece lies. The value is inline after the
// reference, in one row of another page, or in a chain of rows on other pages, each starting with where
// the next one lies.

#include <glib.h>
// glib must come first in C++: mdbtools.h includes it inside its extern "C" block.
#include <mdbtools.h>

#include <optional>
#include <string>
#include <string_view>

// Every byte of the value; nothing when its pages do not hold it (damage). libmdb's page buffer, and so the
// row being read, is left as it was.
std::optional<std::string> readLongValue(MdbHandle* mdb, std::string_view reference);
