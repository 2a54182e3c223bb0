// SQL Server's spellings of Access functions: plain expressions, without helpers of the script's own.
#include "FunctionSpellings.h"

const FunctionSpellings& sqlServerFunctions() {
    static const FunctionSpellings spellings{
        .toInteger = "CAST(%1 AS INTEGER)",
        .toSmall = "CAST(%1 AS SMALLINT)",
        .toFloat = "CAST(%1 AS FLOAT)",
        .dates =
            {
                .year = "DATEPART(year, %1)",
                .quarter = "DATEPART(quarter, %1)",
                .month = "DATEPART(month, %1)",
                .dayOfYear = "DATEPART(dayofyear, %1)",
                .day = "DATEPART(day, %1)",
                .hour = "DATEPART(hour, %1)",
                .minute = "DATEPART(minute, %1)",
                .second = "DATEPART(second, %1)",
                // The session's DATEFIRST decides DATEPART's numbering: counted back to Sunday as 1.
                .weekday = "((DATEPART(weekday, %1) + @@DATEFIRST - 1) % 7 + 1)",
                .daysBetween = "DATEDIFF(day, %1, %2)",
                .addMonths = "DATEADD(month, %2, %1)",
                .addDays = "DATEADD(day, %2, %1)",
                .addHours = "DATEADD(hour, %2, %1)",
                .addMinutes = "DATEADD(minute, %2, %1)",
                .addSeconds = "DATEADD(second, %2, %1)",
                .januaryFirst = "CAST(DATEFROMPARTS(%1, 1, 1) AS DATETIME2)",
                .today = "CAST(CAST(GETDATE() AS DATE) AS DATETIME2)",
                .now = "CAST(GETDATE() AS DATETIME2(0))",
                .time = "DATEADD(DAY, -2, CAST(CAST(GETDATE() AS TIME(0)) AS DATETIME2(0)))",
            },
        .texts =
            {
                .length = "(LEN(%1 + N'.') - 1)", // LEN leaves trailing spaces out
                .trim = "LTRIM(RTRIM(%1))",
                .left = "LEFT(%1, %2)",
                .right = "RIGHT(%1, %2)",
                .mid = "SUBSTRING(%1, %2, %3)",
                .rest = "SUBSTRING(%1, %2, 2147483647)",
                .position = "CHARINDEX(%2, %1)",
                .exactPosition = "CHARINDEX(%2 COLLATE Latin1_General_BIN2, %1 COLLATE Latin1_General_BIN2)",
                .before = "%1 < %2",
                .same = "%1 = %2",
                .exactlyBefore = "%1 COLLATE Latin1_General_BIN2 < %2 COLLATE Latin1_General_BIN2",
                .exactlySame = "%1 COLLATE Latin1_General_BIN2 = %2 COLLATE Latin1_General_BIN2",
            },
        .numberFormats = {"FORMAT(%1, '#,##0%3', 'en-US')", "FORMAT(%1, '0%3', 'en-US')"},
        .aggregates = {"STDEV", "STDEVP", "VAR", "VARP"},
        .operators =
            {
                .textPrefix = "N",
                .timestamp = "CAST('%1T%2' AS DATETIME2)",
                .booleanConditions = false,
                .toText = "CAST(%1 AS NVARCHAR(20))",
                .concatenationSeparator = " + ",
            },
        .selects = {.topClause = true, .orderedViews = false},
    };
    return spellings;
}
