#pragma once
// One value of a row, of the kind its column's type takes:
//   Yes/No                        bool (never null: Jet keeps a Yes/No value in the row's null mask)
//   Byte, Integer, Long           std::int64_t
//   Single                        float
//   Double, Date/Time             double; a date as days since 1899-12-30, the time of day as the fraction
//   Currency                      MdbCurrency
//   Decimal                       MdbDecimal
//   Text, Memo                    std::string, UTF-8
//   Binary, OLE Object, Unknown   MdbBytes
//   GUID                          MdbGuid
// A row holds one std::optional<MdbValue> per column, in column order; nullopt is NULL.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

struct MdbCurrency {
    std::int64_t tenThousandths = 0; // 1.5 is {15000}
    bool operator==(const MdbCurrency&) const = default;
};

struct MdbDecimal {
    bool negative = false;
    std::array<std::uint32_t, 3> unscaled{}; // the magnitude's low, middle and high 32 bits
    int scale = 0;                           // digits after the point: {false, {12345}, 2} is 123.45
    bool operator==(const MdbDecimal&) const = default;
};

struct MdbGuid {
    std::array<std::uint8_t, 16> bytes{}; // as stored: the first three fields little-endian
    bool operator==(const MdbGuid&) const = default;
};

using MdbBytes = std::vector<std::uint8_t>;

using MdbValue =
    std::variant<bool, std::int64_t, float, double, MdbCurrency, MdbDecimal, std::string, MdbBytes, MdbGuid>;
using MdbRow = std::vector<std::optional<MdbValue>>;

// "-123.4500" gives {true, {1234500}, 4}; nothing for anything but an optional sign, digits with at most
// one point, or a magnitude of more than 96 bits.
std::optional<MdbDecimal> mdbDecimalFromString(const std::string& text);
// The shortest text with the value's scale: "-123.4500", "0.05", "7".
std::string mdbDecimalToString(const MdbDecimal& value);
// The same number with `scale` digits after the point; nothing when that drops a digit that is not zero or
// needs more than 96 bits.
std::optional<MdbDecimal> mdbDecimalAtScale(const MdbDecimal& value, int scale);
// How many digits the unscaled magnitude has (0 has one).
int mdbDecimalDigits(const MdbDecimal& value);

// "-922337203685477.5808" to "922337203685477.5807" with up to four digits after the point.
std::optional<MdbCurrency> mdbCurrencyFromString(const std::string& text);

// A GUID as Access shows it, "{6F9619FF-8B86-D011-B42D-00C04FC964FF}"; the braces are optional.
std::optional<MdbGuid> mdbGuidFromString(const std::string& text);
std::string mdbGuidToString(const MdbGuid& guid);

// Bytes as hexadecimal digits, two a byte, either case.
std::optional<MdbBytes> mdbBytesFromHex(const std::string& hex);
std::string mdbBytesToHex(const MdbBytes& bytes);
