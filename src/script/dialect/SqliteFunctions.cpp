// SQLite's spellings of Access functions. A script cannot give SQLite functions: it has no helpers, and a
// call that only a helper would give exactly is not translated.
#include "FunctionSpellings.h"

const FunctionSpellings& sqliteFunctions() {
    static const FunctionSpellings spellings{
        .exactArithmetic = false,
        .toInteger = "CAST(%1 AS INTEGER)",
        .toSmall = "CAST(%1 AS INTEGER)",
        .toFloat = "CAST(%1 AS REAL)",
        .dates =
            {
                .year = "CAST(strftime('%Y', %1) AS INTEGER)",
                .quarter = "((CAST(strftime('%m', %1) AS INTEGER) + 2) / 3)",
                .month = "CAST(strftime('%m', %1) AS INTEGER)",
                .dayOfYear = "CAST(strftime('%j', %1) AS INTEGER)",
                .day = "CAST(strftime('%d', %1) AS INTEGER)",
                .hour = "CAST(strftime('%H', %1) AS INTEGER)",
                .minute = "CAST(strftime('%M', %1) AS INTEGER)",
                .second = "CAST(strftime('%S', %1) AS INTEGER)",
                .weekday = "(CAST(strftime('%w', %1) AS INTEGER) + 1)",
                .daysBetween = "CAST(julianday(date(%2)) - julianday(date(%1)) AS INTEGER)",
                // SQLite's "+1 month" runs over into the next month (January 31 to March 2): the day is the
                // date's own or the last of the month reached, whichever comes first, the time the date's.
                .addMonths = "datetime(date(%1, 'start of month', %2 || ' months', (min(CAST(strftime('%d', "
                             "%1) AS INTEGER), CAST(strftime('%d', %1, 'start of month', %2 || ' months', "
                             "'+1 month', '-1 day') AS INTEGER)) - 1) || ' days') || ' ' || time(%1))",
                .addDays = "datetime(%1, %2 || ' days')",
                .addHours = "datetime(%1, %2 || ' hours')",
                .addMinutes = "datetime(%1, %2 || ' minutes')",
                .addSeconds = "datetime(%1, %2 || ' seconds')",
                .januaryFirst = "datetime(substr('000' || %1, -4) || '-01-01')",
                .today = "datetime('now', 'localtime', 'start of day')",
                .now = "datetime('now', 'localtime')",
                .time = "('1899-12-30 ' || time('now', 'localtime'))",
            },
        .texts =
            {
                .length = "LENGTH(%1)",
                .trim = "TRIM(%1)",
                .left = "substr(%1, 1, %2)",
                .right = "substr(%1, max(length(%1) - %2 + 1, 1))",
                .mid = "substr(%1, %2, %3)",
                .rest = "substr(%1, %2)",
                .position = "instr(lower(%1), lower(%2))",
                .exactPosition = "instr(%1, %2)",
                .before = "%1 < %2 COLLATE NOCASE",
                .same = "%1 = %2 COLLATE NOCASE",
                .exactlyBefore = "%1 < %2 COLLATE BINARY",
                .exactlySame = "%1 = %2 COLLATE BINARY",
            },
        .numberFormats = {"(printf('%,d', %1) || '%3')", "(printf('%d', %1) || '%3')", true},
        // Dates as SQLite's rows hold them; NOCASE compares ASCII letters without regard to case.
        .operators = {.timestamp = "'%1 %2'", .noCaseCollation = " COLLATE NOCASE"},
        .patterns = {.glob = true},
    };
    return spellings;
}
