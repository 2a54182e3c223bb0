#pragma once
// One value of a row as the file stores it, for the writers of rows: a kind and the value itself, with texts
// and bytes as views into the batch of rows they came in (no string of its own per value).

#include <cstdint>
#include <string_view>

enum class ValueKind : std::uint8_t {
    Null,
    Boolean,  // integer 0 or 1
    Integer,  // Byte, Integer, Long, Large Number
    Single,   // real, a float's value
    Double,   // real
    Currency, // integer, in ten-thousandths
    Decimal,  // bytes: the exact digits with their scale, "-1234.5600"
    DateTime, // real: days since 1899-12-30; a negative value's fraction still counts forward in the day
    Text,     // bytes: UTF-8
    Bytes,    // bytes
    Guid,     // bytes: the 16 stored bytes
};

struct DataValue {
    ValueKind kind = ValueKind::Null;
    std::int64_t integer = 0;
    double real = 0;
    std::string_view bytes;
};

// What a writer could not write as it is; the caller warns and the run ends with the rows marked.
enum class ValueProblem : std::uint8_t {
    None,
    NotFinite,      // NaN or an infinity where the target has none: written as NULL
    DateOutOfRange, // a date before the year 100 or after 9999: written as NULL
    BadValue,       // bytes that cannot be the kind (a GUID of another length): written as NULL
    NulRemoved,     // a text held NUL characters, which the target's texts cannot: written without them
    ZeroSignLost,   // a negative zero where the target keeps no sign of zero: written as 0
    FractionCut,    // a time with more digits of a second than the target keeps: written without the rest
};
