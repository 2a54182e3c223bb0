#pragma once
// How a server holds the routines that parameter and action queries become (QueryRoutines.h): one value per
// server that has them, in its dialect's file. A dialect without one holds no routines, and such queries
// stay comments there.

struct RoutineSpellings {
    // A parameter query is a function returning its rows (RETURNS TABLE); false: a procedure whose SELECT
    // returns them.
    bool rowsFunction = false;
    // The body refers to its arguments by position ($1, $2 ...) rather than by name.
    bool positionalArguments = false;
    const char* argumentMode = ""; // before each argument of the signature: "IN "
    // The body of a routine is held between these quotes, and routines are made by CREATE OR REPLACE; an
    // empty text: the body is the one statement after the signature, and the routine is dropped first.
    const char* bodyQuote = "";
    // The other tables of an UPDATE of a join go into a FROM of its own (UPDATE t SET ... FROM u WHERE ...),
    // rather than Access's UPDATE t INNER JOIN u ON ... SET ...
    bool updateFrom = false;
    // A DELETE from a table with an alias names the alias first: DELETE a FROM t AS a.
    bool deleteNamesAlias = false;
    // A make-table query drops the table first; false where the routine holds one statement only, so the
    // table must not exist yet.
    bool makeTableDrops = false;

    // The server's type of an argument of each Access parameter type.
    const char* boolean = "";
    const char* shortInteger = "";
    const char* longInteger = "";
    const char* currency = "";
    const char* decimal = "";
    const char* single = "";
    const char* real = "";
    const char* timestamp = "";
    const char* text = "";
};
