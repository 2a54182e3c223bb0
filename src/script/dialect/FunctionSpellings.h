#pragma once
// How one server writes the functions of Access SQL whose spelling differs from server to server, in one
// value per server (PostgreSqlFunctions.cpp, ...) that its TargetDialect points to: the translation of a call
// asks this value and never which server it is writing for. Where no expression of the server gives what
// Access gives, the server may have helper functions of the script's own, created once before the views.

#include <span>

// The helper functions a script may create. Their names are in HelperFunctions.cpp.
enum class Helper {
    RoundEven,      // (exact number, places): rounded half to even, as Access rounds
    RoundEvenFloat, // the same of a double
    ValSigned,      // a number read in hex or octal as VBA types it: 16 bits, else 32, with a sign
    ValText,        // (text without blanks) Val's number
    Val,            // (text) the number at its start, as Val reads it
};

// One helper as a server creates it: its statements, "\n" between lines.
struct HelperDefinition {
    Helper helper;
    const char* text;
};

// Dates, "%1" standing for a date: its parts as whole numbers, and dates computed from it.
struct DateSpellings {
    const char* year = nullptr;
    const char* quarter = nullptr;
    const char* month = nullptr;
    const char* dayOfYear = nullptr;
    const char* day = nullptr;
    const char* hour = nullptr;
    const char* minute = nullptr;
    const char* second = nullptr;
    const char* weekday = nullptr; // Sunday 1 to Saturday 7
    // The days from the date %1 to the date %2, their times left out.
    const char* daysBetween = nullptr;
    // The date %1 and a whole number %2 of each unit. Months end where the month does: January 31 and a
    // month is the last of February.
    const char* addMonths = nullptr;
    const char* addDays = nullptr;
    const char* addHours = nullptr;
    const char* addMinutes = nullptr;
    const char* addSeconds = nullptr;
    const char* januaryFirst = nullptr; // midnight of January 1 of the year %1
    const char* today = nullptr;        // Date()
    const char* now = nullptr;          // Now(), to the second
    const char* time = nullptr; // Time(): the time of day to the second, on 1899-12-30 as Access keeps it
};

// Texts, "%1" standing for a text.
struct TextSpellings {
    const char* length = nullptr; // Len: trailing spaces count
    const char* trim = nullptr;   // Trim: spaces off both ends
    const char* left = nullptr;   // the first %2 characters
    const char* right = nullptr;  // the last %2 characters
    const char* mid = nullptr;    // %3 characters from the %2nd
    const char* rest = nullptr;   // the characters from the %2nd on
    // Where the text %2 first begins in %1 (from 1, 0 for nowhere), without regard to case as Access compares
    // texts, and with regard to it (a binary comparison).
    const char* position = nullptr;
    const char* exactPosition = nullptr;
    // Whether %1 comes before %2 and whether they are equal, without regard to case, and with regard to it.
    const char* before = nullptr;
    const char* same = nullptr;
    const char* exactlyBefore = nullptr;
    const char* exactlySame = nullptr;
};

// Format of a number in the US English locale: "%1" the number, "%2" the decimals to round it to (half away
// from zero, as Format rounds) and "%3" as many zeros after a point (".00", or nothing).
struct NumberFormatSpellings {
    const char* grouped = nullptr; // a comma between thousands: 1,234.50
    const char* plain = nullptr;   // 1234.50
    bool wholeNumbersOnly = false; // of whole numbers only (the server has doubles alone for the others)
};

// Aggregates of Access beyond Count, Sum, Avg, Min and Max: the server's function names, nullptr where the
// server has none.
struct AggregateSpellings {
    const char* stDev = nullptr;
    const char* stDevP = nullptr;
    const char* var = nullptr;
    const char* varP = nullptr;
};

// Values and operators of Access SQL.
struct OperatorSpellings {
    const char* textPrefix = ""; // before a text literal: N, where only N'...' keeps every character
    // A date and time literal, "%1" the date (yyyy-MM-dd) and "%2" the time (HH:mm:ss).
    const char* timestamp = "TIMESTAMP '%1 %2'";
    // A comparison is a value and a Yes/No value is a condition. Where neither is (a BIT), a comparison
    // becomes a value by CASE and a Yes/No value a condition by "<> 0".
    bool booleanConditions = true;
    const char* toText = "CAST(%1 AS TEXT)"; // a value of another type as a text, "%1" the value
    // Texts joined by &: "%1" the texts with the separator between them.
    const char* concatenation = "%1";
    const char* concatenationSeparator = " || ";
    // Texts compared without regard to case, as Access compares them: both sides LOWER-ed, or the collation
    // put after the comparison; neither where the server's own collation compares so already.
    bool lowerComparedTexts = false;
    const char* noCaseCollation = nullptr; // " COLLATE NOCASE"
};

// LIKE patterns.
struct PatternSpellings {
    const char* like = " LIKE "; // before a pattern of % and _ alone, without regard to case
    // A pattern with character classes as a regular expression: the value %1 matching the text literal %2,
    // which is the expression %1 of regexAnchors; nullptr where the server has none.
    const char* regexMatch = nullptr;
    const char* regexAnchors = nullptr;
    // Otherwise bracketed classes: matched by GLOB against the lower-cased value, else by LIKE.
    bool glob = false;
};

// What the server's SELECT can say.
struct SelectSpellings {
    bool topClause = false;        // SELECT TOP n [PERCENT] [WITH TIES], where others rank or LIMIT the rows
    bool orderedViews = true;      // a view keeps its ORDER BY, where SQL Server keeps one only with TOP
    bool fetchWithTies = false;    // FETCH FIRST n ROWS WITH TIES
    bool limitInInSubquery = true; // the subquery of IN takes a LIMIT
};

struct FunctionSpellings {
    // Helpers: the qualifier or prefix of their names ("veltrane." or "veltrane_"), nullptr where the server
    // gets none (its script holds no functions); the statement written once before the first of them.
    const char* helperPrefix = nullptr;
    const char* helperSetup = nullptr;
    std::span<const HelperDefinition> helpers{};

    // Currency and Decimal values are computed exactly; where they are doubles, the rounding of one
    // (CCur, CInt, Round) is not exact, a half being no longer one.
    bool exactArithmetic = true;

    // Conversions, "%1" standing for the value.
    const char* toInteger = nullptr; // CLng
    const char* toSmall = nullptr;   // CInt
    const char* toFloat = nullptr;   // CDbl, and a whole number in an average or a division
    const char* toCurrency = "CAST(%1 AS DECIMAL(19,4))";
    // The whole quotient of two whole numbers %1 and %2, cut towards 0.
    const char* quotient = "%1 / %2";

    DateSpellings dates{};
    TextSpellings texts{};
    NumberFormatSpellings numberFormats{};
    AggregateSpellings aggregates{};
    OperatorSpellings operators{};
    PatternSpellings patterns{};
    SelectSpellings selects{};
};

const FunctionSpellings& sqlServerFunctions();
const FunctionSpellings& postgreSqlFunctions();
const FunctionSpellings& mySqlFunctions();
const FunctionSpellings& sqliteFunctions();
