#pragma once
// Small databases for tests, each built to hold one kind of case: every column type, names with spaces
// and non-ASCII letters, tables with one index, none or several, "primarykey" in another letter case,
// tables whose names look like system tables, AutoNumber columns with and without a key, with only a
// unique index or none, names outside the Basic Multilingual Plane, a column of a type byte no reader
// knows, calculated columns, a table that carries the system flag, a database with no table of its own,
// one with keys over several columns, index flags, column properties and relationships, one with rows of
// every kind of value at its edges ("every-value"), and one with a saved query of every kind ("queries").
// Tests write them with writeMdb into a temporary folder and compare what a reader sees with the description.

#include "MdbSchema.h"

#include <string>
#include <vector>

struct MdbTestDatabase {
    std::string name; // usable as a file name: "every-type" gives every-type.mdb
    MdbSchema schema;
};

std::vector<MdbTestDatabase> mdbTestCorpus();
// The "queries" database of the corpus: Customers, Orders and Products with a few known rows, and a saved
// query of every kind over them (MdbQueryCorpus.cpp).
MdbSchema mdbQueriesDatabase();
// One database of the corpus by name; an empty schema for an unknown name.
MdbSchema mdbTestDatabase(const std::string& name);

// One table of `rows` rows of mixed types (AutoNumber key, text, currency, double, date, Yes/No, NULLs,
// short memos), for timing the writer. The rows are made while the file is written (MdbTable::moreRows).
MdbSchema mdbRowsBenchmarkDatabase(int rows, bool requiredCustomer = false);
