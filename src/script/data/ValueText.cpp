#include "ValueText.h"

#include <charconv>
#include <cmath>

namespace {

template <typename Float> bool appendFloat(std::string& out, Float value) {
    if (!std::isfinite(value))
        return false;
    char buffer[32];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (error != std::errc())
        return false;
    out.append(buffer, end);
    return true;
}

void appendDigits(std::string& out, std::int64_t value, int width) {
    char buffer[24];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    (void)error; // 24 characters hold every 64-bit number
    for (auto n = end - buffer; n < width; ++n)
        out += '0';
    out.append(buffer, end);
}

struct CivilDate {
    std::int64_t year;
    int month;
    int day;
};

// The proleptic Gregorian date of a day counted from 1970-01-01 (H. Hinnant's civil_from_days).
CivilDate civilFromDays(std::int64_t z) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const int day = int(doy - (153 * mp + 2) / 5 + 1);
    const int month = int(mp < 10 ? mp + 3 : mp - 9);
    return {yoe + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

constexpr std::int64_t daysFrom1970To1899_12_30 = -25569;
constexpr std::int64_t msPerDay = 86'400'000;

} // namespace

void appendInteger(std::string& out, std::int64_t value) {
    appendDigits(out, value, 0);
}

bool appendShortest(std::string& out, double value) {
    return appendFloat(out, value);
}

bool appendShortest(std::string& out, float value) {
    return appendFloat(out, value);
}

void appendCurrency(std::string& out, std::int64_t tenThousandths) {
    // In unsigned arithmetic, so that the most negative value has a magnitude too.
    std::uint64_t magnitude = std::uint64_t(tenThousandths);
    if (tenThousandths < 0) {
        out += '-';
        magnitude = ~magnitude + 1;
    }
    char buffer[24];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, magnitude / 10000);
    (void)error;
    out.append(buffer, end);
    out += '.';
    appendDigits(out, std::int64_t(magnitude % 10000), 4);
}

bool appendTimestamp(std::string& out, double days, char separator) {
    // Beyond about 8,000 years either side nothing can be a date of the years 100 to 9999.
    if (!std::isfinite(days) || std::fabs(days) > 3.0e6)
        return false;
    // The whole days count from 1899-12-30 either way; the fraction is the time of that day, even before it
    // (-1.25 is 1899-12-29 06:00).
    const double whole = std::trunc(days);
    std::int64_t day = std::int64_t(whole);
    std::int64_t ms = std::llround(std::fabs(days - whole) * double(msPerDay));
    if (ms >= msPerDay) {
        ms -= msPerDay;
        ++day;
    }
    const CivilDate date = civilFromDays(day + daysFrom1970To1899_12_30);
    if (date.year < 100 || date.year > 9999)
        return false;
    // Put together in place: "yyyy-mm-dd hh:mm:ss[.mmm]".
    char text[23];
    const auto put = [&text](int at, std::int64_t value, int width) {
        for (int i = at + width - 1; i >= at; --i, value /= 10)
            text[i] = char('0' + value % 10);
    };
    put(0, date.year, 4);
    text[4] = '-';
    put(5, date.month, 2);
    text[7] = '-';
    put(8, date.day, 2);
    text[10] = separator;
    put(11, ms / 3'600'000, 2);
    text[13] = ':';
    put(14, ms / 60'000 % 60, 2);
    text[16] = ':';
    put(17, ms / 1000 % 60, 2);
    std::size_t length = 19;
    if (ms % 1000 != 0) {
        text[19] = '.';
        put(20, ms % 1000, 3);
        length = 23;
    }
    out.append(text, length);
    return true;
}

std::string_view withFraction(std::string_view text, int digits, bool& cut) {
    cut = false;
    const std::size_t point = text.find('.');
    if (point == std::string_view::npos || text.size() - point - 1 <= std::size_t(digits))
        return text;
    cut = true;
    return text.substr(0, digits > 0 ? point + 1 + std::size_t(digits) : point);
}

bool appendGuid(std::string& out, std::string_view bytes, bool braces) {
    if (bytes.size() != 16)
        return false;
    const auto hex = [&out](unsigned char b) {
        constexpr char digits[] = "0123456789ABCDEF";
        out += digits[b >> 4];
        out += digits[b & 15];
    };
    const auto byte = [&bytes](int i) { return static_cast<unsigned char>(bytes[std::size_t(i)]); };
    if (braces)
        out += '{';
    for (int i : {3, 2, 1, 0})
        hex(byte(i));
    out += '-';
    for (int i : {5, 4})
        hex(byte(i));
    out += '-';
    for (int i : {7, 6})
        hex(byte(i));
    out += '-';
    for (int i : {8, 9})
        hex(byte(i));
    out += '-';
    for (int i = 10; i < 16; ++i)
        hex(byte(i));
    if (braces)
        out += '}';
    return true;
}

void appendHex(std::string& out, std::string_view bytes, bool upper) {
    const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    out.reserve(out.size() + 2 * bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        out += digits[b >> 4];
        out += digits[b & 15];
    }
}
