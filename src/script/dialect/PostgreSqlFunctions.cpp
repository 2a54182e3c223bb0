// PostgreSQL's spellings of Access functions, and its helpers in the schema "veltrane".
#include "FunctionSpellings.h"

namespace {

// ROUND of a numeric takes a half away from zero: a half (2 * |x - TRUNC(x)| being the step ROUND takes) is
// rounded as half of x is, which is never a half, and doubled. ROUND of a double rounds a half as the
// platform does: the half is found the same way.
constexpr HelperDefinition helpers[] = {
    {Helper::RoundEven,
     "CREATE OR REPLACE FUNCTION veltrane.round_even(x NUMERIC, p INTEGER) RETURNS NUMERIC\n"
     "LANGUAGE sql IMMUTABLE AS $$\n"
     "SELECT CASE WHEN x <> TRUNC(x, p) AND 2 * ABS(x - TRUNC(x, p)) = ABS(ROUND(x, p) - TRUNC(x, p))\n"
     "THEN 2 * ROUND(x / 2, p) ELSE ROUND(x, p) END\n"
     "$$;"},
    {Helper::RoundEvenFloat,
     "CREATE OR REPLACE FUNCTION veltrane.round_even_float(x DOUBLE PRECISION, p INTEGER)\n"
     "RETURNS DOUBLE PRECISION LANGUAGE sql IMMUTABLE AS $$\n"
     "SELECT CASE WHEN ABS(y - TRUNC(y)) = 0.5 THEN 2 * ROUND(y / 2) ELSE ROUND(y) END\n"
     "  / CAST(10 AS DOUBLE PRECISION) ^ p\n"
     "FROM (SELECT x * CAST(10 AS DOUBLE PRECISION) ^ p AS y) AS scaled\n"
     "$$;"},
    // Val: blanks, tabs and line feeds out; "&H" and "&O" read in hex and octal as VBA reads them (&HFFFF is
    // an Integer, -1); otherwise a sign, digits with a point and an exponent (E or D), and 0 for none.
    {Helper::ValSigned,
     "CREATE OR REPLACE FUNCTION veltrane.val_signed(v DOUBLE PRECISION) RETURNS DOUBLE PRECISION\n"
     "LANGUAGE sql IMMUTABLE AS $$\n"
     "SELECT CASE WHEN v >= 32768 AND v < 65536 THEN v - 65536\n"
     "WHEN v >= 2147483648 AND v < 4294967296 THEN v - 4294967296 ELSE v END\n"
     "$$;"},
    {Helper::ValText,
     "CREATE OR REPLACE FUNCTION veltrane.val_text(s TEXT) RETURNS DOUBLE PRECISION\n"
     "LANGUAGE sql IMMUTABLE STRICT AS $$\n"
     "SELECT CASE WHEN s ~* '^&[ho]' THEN veltrane.val_signed(\n"
     "  (SELECT COALESCE(SUM((STRPOS('0123456789abcdef', LOWER(SUBSTR(d, i, 1))) - 1)\n"
     "     * CAST(b AS DOUBLE PRECISION) ^ (LENGTH(d) - i)), 0)\n"
     "   FROM (SELECT CASE WHEN s ~* '^&h' THEN SUBSTRING(s FROM '^&[hH]([0-9a-fA-F]*)')\n"
     "     ELSE SUBSTRING(s FROM '^&[oO]([0-7]*)') END AS d, CASE WHEN s ~* '^&h' THEN 16 ELSE 8 END AS b)\n"
     "     AS digits, generate_series(1, LENGTH(d)) AS i))\n"
     "ELSE COALESCE(CAST(TRANSLATE(SUBSTRING(s FROM\n"
     "  '^[+-]?(?:[0-9]+[.]?[0-9]*|[.][0-9]+)(?:[eEdD][+-]?[0-9]+)?'), 'dD', 'ee') AS DOUBLE PRECISION), 0)\n"
     "END\n"
     "$$;"},
    {Helper::Val, "CREATE OR REPLACE FUNCTION veltrane.val(t TEXT) RETURNS DOUBLE PRECISION\n"
                  "LANGUAGE sql IMMUTABLE STRICT AS $$\n"
                  "SELECT veltrane.val_text(TRANSLATE(t, E' \\t\\n', ''))\n"
                  "$$;"},
};

} // namespace

const FunctionSpellings& postgreSqlFunctions() {
    static const FunctionSpellings spellings{
        .helperPrefix = "veltrane.",
        .helperSetup = "CREATE SCHEMA IF NOT EXISTS veltrane;",
        .helpers = helpers,
        .toInteger = "CAST(%1 AS INTEGER)",
        .toSmall = "CAST(%1 AS SMALLINT)",
        .toFloat = "CAST(%1 AS DOUBLE PRECISION)",
        .dates =
            {
                .year = "CAST(EXTRACT(YEAR FROM %1) AS INTEGER)",
                .quarter = "CAST(EXTRACT(QUARTER FROM %1) AS INTEGER)",
                .month = "CAST(EXTRACT(MONTH FROM %1) AS INTEGER)",
                .dayOfYear = "CAST(EXTRACT(DOY FROM %1) AS INTEGER)",
                .day = "CAST(EXTRACT(DAY FROM %1) AS INTEGER)",
                .hour = "CAST(EXTRACT(HOUR FROM %1) AS INTEGER)",
                .minute = "CAST(EXTRACT(MINUTE FROM %1) AS INTEGER)",
                .second = "CAST(FLOOR(EXTRACT(SECOND FROM %1)) AS INTEGER)",
                .weekday = "(CAST(EXTRACT(DOW FROM %1) AS INTEGER) + 1)",
                .daysBetween = "(CAST(%2 AS DATE) - CAST(%1 AS DATE))",
                .addMonths = "(%1 + %2 * INTERVAL '1 MONTH')",
                .addDays = "(%1 + %2 * INTERVAL '1 DAY')",
                .addHours = "(%1 + %2 * INTERVAL '1 HOUR')",
                .addMinutes = "(%1 + %2 * INTERVAL '1 MINUTE')",
                .addSeconds = "(%1 + %2 * INTERVAL '1 SECOND')",
                .januaryFirst = "CAST(MAKE_DATE(%1, 1, 1) AS TIMESTAMP)",
                .today = "CAST(CURRENT_DATE AS TIMESTAMP)",
                .now = "LOCALTIMESTAMP(0)",
                .time = "(TIMESTAMP '1899-12-30' + LOCALTIME(0))",
            },
        .texts =
            {
                .length = "LENGTH(%1)",
                .trim = "TRIM(%1)",
                .left = "LEFT(%1, %2)",
                .right = "RIGHT(%1, %2)",
                .mid = "SUBSTR(%1, %2, %3)",
                .rest = "SUBSTR(%1, %2)",
                .position = "STRPOS(LOWER(%1), LOWER(%2))",
                .exactPosition = "STRPOS(%1, %2)",
                .before = "LOWER(%1) < LOWER(%2)",
                .same = "LOWER(%1) = LOWER(%2)",
                .exactlyBefore = "%1 < %2 COLLATE \"C\"",
                .exactlySame = "%1 = %2",
            },
        .numberFormats = {"to_char(ROUND(CAST(%1 AS NUMERIC), %2), 'FM999,999,999,999,999,999,990%3')",
                          "to_char(ROUND(CAST(%1 AS NUMERIC), %2), 'FM999999999999999999990%3')"},
        .aggregates = {"STDDEV_SAMP", "STDDEV_POP", "VAR_SAMP", "VAR_POP"},
        .operators = {.lowerComparedTexts = true},
        // ~* matches without regard to case; its . matches a line break too.
        .patterns = {.like = " ILIKE ", .regexMatch = "%1 ~* %2", .regexAnchors = "^%1$"},
        .selects = {.fetchWithTies = true},
    };
    return spellings;
}
