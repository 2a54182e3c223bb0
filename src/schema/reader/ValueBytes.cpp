#include "ValueBytes.h"

#include <algorithm>
#include <bit>
#include <iconv.h>

namespace {

// Where a calculated value's length and the value itself sit in its calculation data.
constexpr std::size_t calculatedLengthOffset = 16;
constexpr std::size_t calculatedValueOffset = 20;

constexpr std::size_t decimalSize = 17;
constexpr std::size_t guidSize = 16;

// A run of ASCII digits as a number; false for anything else or more than 19 of them.
bool digitsValue(std::string_view text, std::uint64_t& value) {
    if (text.empty() || text.size() > 19)
        return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + std::uint64_t(c - '0');
    }
    return true;
}

void appendPadded(std::string& out, std::uint64_t value, int width) {
    char digits[20];
    int n = 0;
    do {
        digits[n++] = char('0' + value % 10);
        value /= 10;
    } while (value > 0);
    for (int i = n; i < width; ++i)
        out += '0';
    while (n > 0)
        out += digits[--n];
}

// A Date/Time Extended value, stored as 42 ASCII characters "DDDDDDDDDDDDDDDDDDD:TTTTTTTTTTTTTTTTTTT:7 ": the
// days since 0001-01-01 and the time of day in units of 100 ns. Written as "YYYY-MM-DD HH:MM:SS.fffffff"
// (the fraction without its trailing zeros, none for a whole second), the text every target's timestamp
// reads; false for bytes of another form.
bool appendExtendedDate(std::string_view stored, std::string& out) {
    constexpr std::uint64_t lastDay = 3652058; // 9999-12-31
    constexpr std::uint64_t ticksPerSecond = 10'000'000;
    constexpr std::uint64_t ticksPerDay = 86'400 * ticksPerSecond;
    std::uint64_t days = 0;
    std::uint64_t ticks = 0;
    if (stored.size() < 39 || stored[19] != ':' || !digitsValue(stored.substr(0, 19), days) ||
        !digitsValue(stored.substr(20, 19), ticks) || days > lastDay || ticks >= ticksPerDay)
        return false;
    // The civil date of a day count (Howard Hinnant's days_from_civil, inverted), counted from 0000-03-01.
    const std::uint64_t z = days + 306;
    const std::uint64_t era = z / 146097;
    const std::uint64_t doe = z - era * 146097;
    const std::uint64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::uint64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::uint64_t mp = (5 * doy + 2) / 153;
    const std::uint64_t day = doy - (153 * mp + 2) / 5 + 1;
    const std::uint64_t month = mp < 10 ? mp + 3 : mp - 9;
    const std::uint64_t year = yoe + era * 400 + (month <= 2 ? 1 : 0);
    const std::uint64_t seconds = ticks / ticksPerSecond;
    appendPadded(out, year, 4);
    out += '-';
    appendPadded(out, month, 2);
    out += '-';
    appendPadded(out, day, 2);
    out += ' ';
    appendPadded(out, seconds / 3600, 2);
    out += ':';
    appendPadded(out, seconds / 60 % 60, 2);
    out += ':';
    appendPadded(out, seconds % 60, 2);
    if (std::uint64_t fraction = ticks % ticksPerSecond) {
        out += '.';
        const std::size_t at = out.size();
        appendPadded(out, fraction, 7);
        while (out.size() > at && out.back() == '0')
            out.pop_back();
    }
    return true;
}

std::uint64_t littleEndian(std::string_view bytes, std::size_t size) {
    std::uint64_t value = 0;
    for (std::size_t i = size; i-- > 0;)
        value = value << 8 | static_cast<unsigned char>(bytes[i]);
    return value;
}

std::int64_t signedLittleEndian(std::string_view bytes, std::size_t size) {
    const std::uint64_t value = littleEndian(bytes, size);
    const unsigned bits = unsigned(size) * 8;
    if (bits == 64)
        return std::int64_t(value);
    const std::uint64_t sign = std::uint64_t(1) << (bits - 1);
    return std::int64_t(value ^ sign) - std::int64_t(sign);
}

void appendUtf8(char32_t c, std::string& out) {
    if (c < 0x80) {
        out.push_back(char(c));
    } else if (c < 0x800) {
        out.push_back(char(0xC0 | (c >> 6)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(char(0xE0 | (c >> 12)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else {
        out.push_back(char(0xF0 | (c >> 18)));
        out.push_back(char(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    }
}

// Windows-1252 where it differs from Latin-1; its five unassigned bytes stay the C1 controls of their
// numbers, as the Web's decoders have them.
constexpr char16_t windows1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                          0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                          0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                          0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendWindows1252(std::string_view stored, std::string& out) {
    for (const char byte : stored) {
        const auto b = static_cast<unsigned char>(byte);
        appendUtf8(b >= 0x80 && b < 0xA0 ? windows1252High[b - 0x80] : char32_t(b), out);
    }
}

// Another code page through iconv; nothing appended when iconv knows it not or the bytes are not text in it.
bool appendThroughIconv(std::string_view stored, int codePage, std::string& out) {
    const std::string name = "CP" + std::to_string(codePage);
    const iconv_t converter = iconv_open("UTF-8", name.c_str());
    if (converter == iconv_t(-1))
        return false;
    std::string converted(stored.size() * 4, '\0');
    char* in = const_cast<char*>(stored.data());
    std::size_t inLeft = stored.size();
    char* to = converted.data();
    std::size_t toLeft = converted.size();
    const bool done = iconv(converter, &in, &inLeft, &to, &toLeft) != std::size_t(-1) && inLeft == 0;
    iconv_close(converter);
    if (!done)
        return false;
    out.append(converted.data(), converted.size() - toLeft);
    return true;
}

bool decodeDecimal(std::string_view stored, int scale, std::string& scratch, DataValue& value) {
    if (stored.size() < decimalSize)
        return false;
    std::uint32_t words[4];
    for (std::size_t i = 0; i < 4; ++i)
        words[i] = std::uint32_t(littleEndian(stored.substr(1 + 4 * i), 4));
    scratch = decimalText((static_cast<unsigned char>(stored[0]) & 0x80) != 0, words, scale);
    value.kind = ValueKind::Decimal;
    value.bytes = scratch;
    return true;
}

// A calculated Decimal keeps a layout of its own: a 16-bit length, the scale, a sign byte, then the magnitude
// in up to 16 bytes, a multiple of 4: a leading 32-bit word when the count is not a multiple of 8, then
// 64-bit words, most significant first, each little-endian.
bool decodeCalculatedDecimal(std::string_view stored, std::string& scratch, DataValue& value) {
    if (stored.size() < 4)
        return false;
    const auto declared = std::size_t(littleEndian(stored, 2));
    const int scale = static_cast<unsigned char>(stored[2]);
    const bool negative = stored[3] != 0;
    std::size_t size = (declared > 0 ? declared : stored.size() - 2);
    size = size >= 2 ? std::min<std::size_t>((size - 2) / 4 * 4, 16) : 0;
    const std::string_view magnitude = stored.substr(4);
    if (magnitude.size() < size)
        return false;
    std::string bigEndian;
    std::size_t at = 0;
    if (size % 8 != 0) {
        const std::string_view lead = magnitude.substr(0, 4);
        bigEndian.append(lead.rbegin(), lead.rend());
        at = 4;
    }
    for (; at < size; at += 8) {
        const std::string_view word = magnitude.substr(at, 8);
        bigEndian.append(word.rbegin(), word.rend());
    }
    bigEndian.insert(0, 16 - bigEndian.size(), '\0');
    std::uint32_t words[4];
    for (std::size_t i = 0; i < 4; ++i) {
        words[i] = 0;
        for (std::size_t j = 0; j < 4; ++j)
            words[i] = words[i] << 8 | static_cast<unsigned char>(bigEndian[4 * i + j]);
    }
    scratch = decimalText(negative, words, scale);
    value.kind = ValueKind::Decimal;
    value.bytes = scratch;
    return true;
}

bool fixedInteger(std::string_view stored, std::size_t size, ValueKind kind, DataValue& value) {
    if (stored.size() < size)
        return false;
    value.kind = kind;
    value.integer =
        size == 1 ? std::int64_t(static_cast<unsigned char>(stored[0])) : signedLittleEndian(stored, size);
    return true;
}

bool fixedReal(std::string_view stored, std::size_t size, ValueKind kind, DataValue& value) {
    if (stored.size() < size)
        return false;
    value.kind = kind;
    value.real = size == 4 ? double(std::bit_cast<float>(std::uint32_t(littleEndian(stored, 4))))
                           : std::bit_cast<double>(littleEndian(stored, 8));
    return true;
}

} // namespace

std::string_view calculatedResult(std::string_view stored) {
    if (stored.size() < calculatedValueOffset)
        return stored;
    const auto length = std::size_t(littleEndian(stored.substr(calculatedLengthOffset), 4));
    return stored.substr(calculatedValueOffset, length);
}

bool decodeValue(const ValueLayout& layout, std::string_view stored, std::string& scratch, DataValue& value) {
    value = DataValue{};
    if (layout.calculated)
        stored = calculatedResult(stored);
    switch (layout.type) {
    case jettype::boolean:
        // Only a calculated Yes/No stores bytes; a plain one is its bit in the row's null mask.
        if (stored.empty())
            return false;
        value.kind = ValueKind::Boolean;
        value.integer = stored[0] != 0 ? 1 : 0;
        return true;
    case jettype::byte:
        return fixedInteger(stored, 1, ValueKind::Integer, value);
    case jettype::integer:
        return fixedInteger(stored, 2, ValueKind::Integer, value);
    case jettype::longInteger:
        return fixedInteger(stored, 4, ValueKind::Integer, value);
    case jettype::bigInt:
        return fixedInteger(stored, 8, ValueKind::Integer, value);
    case jettype::currency:
        return fixedInteger(stored, 8, ValueKind::Currency, value);
    case jettype::single:
        return fixedReal(stored, 4, ValueKind::Single, value);
    case jettype::real:
        return fixedReal(stored, 8, ValueKind::Double, value);
    case jettype::dateTime:
        return fixedReal(stored, 8, ValueKind::DateTime, value);
    case jettype::guid:
        if (stored.size() < guidSize)
            return false;
        value.kind = ValueKind::Guid;
        value.bytes = stored.substr(0, guidSize);
        return true;
    case jettype::decimal:
        return layout.calculated ? decodeCalculatedDecimal(stored, scratch, value)
                                 : decodeDecimal(stored, layout.scale, scratch, value);
    case jettype::text:
    case jettype::memo:
        scratch.clear();
        if (layout.jet3)
            appendCodePageText(stored, layout.codePage, scratch);
        else
            appendJet4Text(stored, scratch);
        value.kind = ValueKind::Text;
        value.bytes = scratch;
        return true;
    case jettype::dateTimeExtended:
        // As a date's text; bytes of another form are kept as the text they are, never dropped.
        scratch.clear();
        if (!appendExtendedDate(stored, scratch)) {
            scratch.clear();
            appendWindows1252(stored, scratch);
        }
        value.kind = ValueKind::Text;
        value.bytes = scratch;
        return true;
    case jettype::complex:
        // The values of attachment, multi-valued and version history columns live in tables of their own;
        // the row holds the number that their rows carry.
        return fixedInteger(stored, 4, ValueKind::Integer, value);
    default:
        value.kind = ValueKind::Bytes;
        value.bytes = stored;
        return true;
    }
}

// Little-endian UTF-16 code units to UTF-8, read straight from the stored bytes: pairs of surrogates as the
// one character they make; a surrogate without its partner cannot be UTF-8 and becomes U+FFFD.
void appendUtf16Bytes(std::string_view bytes, std::string& out) {
    const auto unitAt = [&](std::size_t i) {
        return char16_t(static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8);
    };
    const std::size_t end = bytes.size() & ~std::size_t(1);
    for (std::size_t i = 0; i < end; i += 2) {
        const char16_t unit = unitAt(i);
        if (unit < 0x80) {
            out += char(unit);
        } else if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < end && unitAt(i + 2) >= 0xDC00 &&
                   unitAt(i + 2) < 0xE000) {
            appendUtf8(0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(unitAt(i + 2)) - 0xDC00), out);
            i += 2;
        } else if (unit >= 0xD800 && unit < 0xE000) {
            appendUtf8(0xFFFD, out);
        } else {
            appendUtf8(unit, out);
        }
    }
}

void appendJet4Text(std::string_view stored, std::string& out) {
    if (stored.size() < 2 || static_cast<unsigned char>(stored[0]) != 0xFF ||
        static_cast<unsigned char>(stored[1]) != 0xFE) {
        appendUtf16Bytes(stored, out);
        return;
    }
    // Compressed: one byte a character below U+0100, until a zero byte switches to two bytes a character
    // and the next zero byte back. A run of one-byte characters is written as it goes; a run of two-byte
    // ones is converted whole, so that a pair of surrogates in it stays one character.
    std::size_t i = 2;
    for (bool compressed = true; i < stored.size(); compressed = !compressed, ++i) {
        const std::size_t zero = std::min(stored.find('\0', i), stored.size());
        if (compressed) {
            for (; i < zero; ++i) {
                const auto b = static_cast<unsigned char>(stored[i]);
                if (b < 0x80)
                    out += char(b);
                else
                    appendUtf8(b, out);
            }
        } else {
            // Two-byte characters may hold zero bytes of their own: the run ends at a zero byte on a
            // character's first byte only.
            std::size_t runEnd = i;
            while (runEnd + 1 < stored.size() && stored[runEnd] != '\0')
                runEnd += 2;
            appendUtf16Bytes(stored.substr(i, runEnd - i), out);
            i = runEnd;
            if (i >= stored.size() || stored[i] != '\0')
                break;
        }
    }
}

void appendCodePageText(std::string_view stored, int codePage, std::string& out) {
    if (codePage != 1252 && codePage != 0 && appendThroughIconv(stored, codePage, out))
        return;
    appendWindows1252(stored, out);
}

std::string decimalText(bool negative, const std::uint32_t (&words)[4], int scale) {
    std::uint32_t rest[4] = {words[0], words[1], words[2], words[3]};
    std::string digits;
    for (;;) {
        std::uint64_t remainder = 0;
        bool zero = true;
        for (std::uint32_t& word : rest) {
            const std::uint64_t current = remainder << 32 | word;
            word = std::uint32_t(current / 10);
            remainder = current % 10;
            zero = zero && word == 0;
        }
        digits.push_back(char('0' + remainder));
        if (zero)
            break;
    }
    scale = std::clamp(scale, 0, 38);
    if (digits.size() <= std::size_t(scale))
        digits.append(std::size_t(scale) + 1 - digits.size(), '0');
    std::string text = negative ? "-" : "";
    for (std::size_t i = digits.size(); i-- > 0;) {
        text.push_back(digits[i]);
        if (i == std::size_t(scale) && i > 0)
            text.push_back('.');
    }
    return text;
}
