#pragma once
// Values from the bytes a row stores for them, exactly: integers and reals from their little-endian bytes,
// Decimal as its digits, texts converted to UTF-8 from the file's own encoding (Jet 4 and later: UTF-16LE,
// or the compressed form that starts FF FE; Jet 3: the database's code page). Plain C++, no libmdb.

#include "DataValue.h"

#include <cstdint>
#include <string>
#include <string_view>

// Jet column type bytes.
namespace jettype {
inline constexpr int boolean = 0x01;
inline constexpr int byte = 0x02;
inline constexpr int integer = 0x03;
inline constexpr int longInteger = 0x04;
inline constexpr int currency = 0x05;
inline constexpr int single = 0x06;
inline constexpr int real = 0x07;
inline constexpr int dateTime = 0x08;
inline constexpr int binary = 0x09;
inline constexpr int text = 0x0A;
inline constexpr int ole = 0x0B;
inline constexpr int memo = 0x0C;
inline constexpr int guid = 0x0F;
inline constexpr int decimal = 0x10;
inline constexpr int complex = 0x12;
inline constexpr int bigInt = 0x13;
inline constexpr int dateTimeExtended = 0x14;
} // namespace jettype

// How one column's stored bytes are read.
struct ValueLayout {
    int type = 0;            // the stored value's type byte: a calculated column's result type
    int scale = 0;           // Decimal
    bool calculated = false; // the value sits inside calculation data
    bool jet3 = false;       // texts in the code page instead of UTF-16
    int codePage = 1252;     // Jet 3 texts
};

// The value of a column whose bytes are all at hand (a long value read whole); its texts and bytes point
// into `stored` or into `scratch`. False when the bytes cannot be a value of the type (a fixed type of the
// wrong size), which is damage.
bool decodeValue(const ValueLayout& layout, std::string_view stored, std::string& scratch, DataValue& value);

// A calculated column's stored bytes without their calculation data.
std::string_view calculatedResult(std::string_view stored);

// Texts as UTF-8, appended to out.
void appendJet4Text(std::string_view stored, std::string& out);
void appendCodePageText(std::string_view stored, int codePage, std::string& out);

// A Decimal's digits with its scale ("-1234.5600") from the sign and the magnitude, 32-bit words most
// significant first, each little-endian.
std::string decimalText(bool negative, const std::uint32_t (&words)[4], int scale);
