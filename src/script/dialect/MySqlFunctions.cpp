// MySQL's and MariaDB's spellings of Access functions, and their helpers, named "veltrane_...". Each helper
// is one statement RETURN-ing one expression, so that it needs no DELIMITER and loads as the rest of the
// script.
#include "FunctionSpellings.h"

namespace {

// ROUND of a DECIMAL takes a half away from zero: a half (2 * |x - TRUNCATE(x)| being the step ROUND takes)
// is rounded as half of x is, which is never a half, and doubled. ROUND of a DOUBLE rounds a half as the
// platform does: the half is found the same way.
constexpr HelperDefinition helpers[] = {
    {Helper::RoundEven,
     "DROP FUNCTION IF EXISTS veltrane_round_even;\n"
     "CREATE FUNCTION veltrane_round_even(x DECIMAL(65,30), p INT) RETURNS DECIMAL(65,30) DETERMINISTIC\n"
     "RETURN CASE WHEN x <> TRUNCATE(x, p) AND 2 * ABS(x - TRUNCATE(x, p)) = ABS(ROUND(x, p) - TRUNCATE(x, "
     "p))\n"
     "THEN 2 * ROUND(x / 2, p) ELSE ROUND(x, p) END;"},
    {Helper::RoundEvenFloat,
     "DROP FUNCTION IF EXISTS veltrane_round_even_float;\n"
     "CREATE FUNCTION veltrane_round_even_float(x DOUBLE, p INT) RETURNS DOUBLE DETERMINISTIC\n"
     "RETURN CASE WHEN ABS(x * POWER(10, p) - TRUNCATE(x * POWER(10, p), 0)) = 0.5\n"
     "THEN 2 * ROUND(x * POWER(10, p) / 2) ELSE ROUND(x * POWER(10, p)) END / POWER(10, p);"},
    // Val: blanks, tabs and line feeds out; "&H" and "&O" read in hex and octal as VBA reads them (&HFFFF is
    // an Integer, -1); otherwise a sign, digits with a point and an exponent (E or D), and 0 for none.
    {Helper::ValSigned, "DROP FUNCTION IF EXISTS veltrane_val_signed;\n"
                        "CREATE FUNCTION veltrane_val_signed(v DOUBLE) RETURNS DOUBLE DETERMINISTIC\n"
                        "RETURN CASE WHEN v >= 32768 AND v < 65536 THEN v - 65536\n"
                        "WHEN v >= 2147483648 AND v < 4294967296 THEN v - 4294967296 ELSE v END;"},
    {Helper::ValText,
     "DROP FUNCTION IF EXISTS veltrane_val_text;\n"
     "CREATE FUNCTION veltrane_val_text(s LONGTEXT) RETURNS DOUBLE DETERMINISTIC\n"
     "RETURN CASE WHEN s IS NULL THEN NULL\n"
     "WHEN s LIKE '&H%' THEN veltrane_val_signed(COALESCE(CAST(CONV(SUBSTRING(REGEXP_SUBSTR(s, "
     "'^&[Hh][0-9A-Fa-f]*'), 3), 16, 10) AS DOUBLE), 0))\n"
     "WHEN s LIKE '&O%' THEN veltrane_val_signed(COALESCE(CAST(CONV(SUBSTRING(REGEXP_SUBSTR(s, "
     "'^&[Oo][0-7]*'), 3), 8, 10) AS DOUBLE), 0))\n"
     "ELSE COALESCE(CAST(NULLIF(REPLACE(REPLACE(REGEXP_SUBSTR(s, "
     "'^[+-]?([0-9]+[.]?[0-9]*|[.][0-9]+)([eEdD][+-]?[0-9]+)?'), 'd', 'e'), 'D', 'e'), '') AS DOUBLE), 0) "
     "END;"},
    {Helper::Val, "DROP FUNCTION IF EXISTS veltrane_val;\n"
                  "CREATE FUNCTION veltrane_val(t LONGTEXT) RETURNS DOUBLE DETERMINISTIC\n"
                  "RETURN veltrane_val_text(REPLACE(REPLACE(REPLACE(t, ' ', ''), CHAR(9 USING utf8mb4), ''), "
                  "CHAR(10 USING utf8mb4), ''));"},
};

} // namespace

const FunctionSpellings& mySqlFunctions() {
    static const FunctionSpellings spellings{
        .helperPrefix = "veltrane_",
        .helpers = helpers,
        .toInteger = "CAST(%1 AS SIGNED)",
        .toSmall = "CAST(%1 AS SIGNED)",
        .toFloat = "CAST(%1 AS DOUBLE)",
        .quotient = "%1 DIV %2",
        .dates =
            {
                .year = "YEAR(%1)",
                .quarter = "QUARTER(%1)",
                .month = "MONTH(%1)",
                .dayOfYear = "DAYOFYEAR(%1)",
                .day = "DAYOFMONTH(%1)",
                .hour = "HOUR(%1)",
                .minute = "MINUTE(%1)",
                .second = "SECOND(%1)",
                .weekday = "DAYOFWEEK(%1)",
                .daysBetween = "DATEDIFF(%2, %1)",
                .addMonths = "DATE_ADD(%1, INTERVAL %2 MONTH)",
                .addDays = "DATE_ADD(%1, INTERVAL %2 DAY)",
                .addHours = "DATE_ADD(%1, INTERVAL %2 HOUR)",
                .addMinutes = "DATE_ADD(%1, INTERVAL %2 MINUTE)",
                .addSeconds = "DATE_ADD(%1, INTERVAL %2 SECOND)",
                .januaryFirst = "CAST(MAKEDATE(%1, 1) AS DATETIME)",
                .today = "CAST(CURDATE() AS DATETIME)",
                .now = "NOW()",
                .time = "TIMESTAMP('1899-12-30', CURTIME())",
            },
        .texts =
            {
                .length = "CHAR_LENGTH(%1)",
                .trim = "TRIM(%1)",
                .left = "LEFT(%1, %2)",
                .right = "RIGHT(%1, %2)",
                .mid = "SUBSTRING(%1, %2, %3)",
                .rest = "SUBSTRING(%1, %2)",
                // The database's collation compares without regard to case; BINARY, by the bytes.
                .position = "LOCATE(%2, %1)",
                .exactPosition = "LOCATE(%2 COLLATE utf8mb4_bin, %1 COLLATE utf8mb4_bin)",
                .before = "%1 < %2",
                .same = "%1 = %2",
                .exactlyBefore = "%1 COLLATE utf8mb4_bin < %2 COLLATE utf8mb4_bin",
                .exactlySame = "%1 COLLATE utf8mb4_bin = %2 COLLATE utf8mb4_bin",
            },
        .numberFormats = {"FORMAT(%1, %2, 'en_US')", "REPLACE(FORMAT(%1, %2, 'en_US'), ',', '')"},
        .aggregates = {"STDDEV_SAMP", "STDDEV_POP", "VAR_SAMP", "VAR_POP"},
        .operators = {.toText = "CAST(%1 AS CHAR)",
                      .concatenation = "CONCAT(%1)",
                      .concatenationSeparator = ", "},
        // i: without regard to case, s: . matches a line break too; \z is the very end.
        .patterns = {.regexMatch = "%1 REGEXP %2", .regexAnchors = "(?is)^%1\\z"},
        .selects = {.limitInInSubquery = false},
    };
    return spellings;
}
