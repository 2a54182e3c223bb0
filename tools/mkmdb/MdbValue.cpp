#include "MdbValue.h"

#include <algorithm>

namespace {

// The magnitude of a Decimal needs 96 bits; its arithmetic here needs a few more.
__extension__ using Wide = unsigned __int128;

constexpr Wide limit96 = Wide(1) << 96;

Wide magnitude(const MdbDecimal& d) {
    return Wide(d.unscaled[0]) | (Wide(d.unscaled[1]) << 32) | (Wide(d.unscaled[2]) << 64);
}

std::array<std::uint32_t, 3> words(Wide w) {
    return {std::uint32_t(w), std::uint32_t(w >> 32), std::uint32_t(w >> 64)};
}

std::string digits(Wide w) {
    std::string out;
    do {
        out.push_back(char('0' + int(w % 10)));
        w /= 10;
    } while (w != 0);
    std::reverse(out.begin(), out.end());
    return out;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::optional<MdbDecimal> mdbDecimalFromString(const std::string& text) {
    MdbDecimal out;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        out.negative = text[i++] == '-';
    Wide w = 0;
    bool point = false;
    bool anyDigit = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' && !point) {
            point = true;
            continue;
        }
        if (c < '0' || c > '9')
            return std::nullopt;
        w = w * 10 + Wide(c - '0');
        if (w >= limit96)
            return std::nullopt;
        anyDigit = true;
        out.scale += point ? 1 : 0;
    }
    if (!anyDigit)
        return std::nullopt;
    out.unscaled = words(w);
    return out;
}

std::string mdbDecimalToString(const MdbDecimal& value) {
    std::string d = digits(magnitude(value));
    const auto scale = std::size_t(std::max(value.scale, 0));
    if (d.size() <= scale)
        d.insert(0, scale + 1 - d.size(), '0');
    if (scale > 0)
        d.insert(d.size() - scale, ".");
    return (value.negative ? "-" : "") + d;
}

std::optional<MdbDecimal> mdbDecimalAtScale(const MdbDecimal& value, int scale) {
    Wide w = magnitude(value);
    for (int s = value.scale; s < scale; ++s) {
        w *= 10;
        if (w >= limit96)
            return std::nullopt;
    }
    for (int s = value.scale; s > scale; --s) {
        if (w % 10 != 0)
            return std::nullopt;
        w /= 10;
    }
    return MdbDecimal{value.negative, words(w), scale};
}

int mdbDecimalDigits(const MdbDecimal& value) {
    return int(digits(magnitude(value)).size());
}

std::optional<MdbCurrency> mdbCurrencyFromString(const std::string& text) {
    const auto d = mdbDecimalFromString(text);
    if (!d || d->scale > 4)
        return std::nullopt;
    const auto at4 = mdbDecimalAtScale(*d, 4);
    if (!at4)
        return std::nullopt;
    const Wide w = magnitude(*at4);
    const Wide most = Wide(1) << 63; // a negative amount may reach it, a positive one stays below
    if (w > most || (w == most && !d->negative))
        return std::nullopt;
    const auto bits = std::uint64_t(w);
    return MdbCurrency{std::int64_t(d->negative ? ~bits + 1 : bits)};
}

std::optional<MdbGuid> mdbGuidFromString(const std::string& text) {
    std::string s = text;
    if (s.size() == 38 && s.front() == '{' && s.back() == '}')
        s = s.substr(1, 36);
    if (s.size() != 36 || s[8] != '-' || s[13] != '-' || s[18] != '-' || s[23] != '-')
        return std::nullopt;
    s.erase(std::remove(s.begin(), s.end(), '-'), s.end());
    const auto shown = mdbBytesFromHex(s);
    if (!shown || shown->size() != 16)
        return std::nullopt;
    // The first three fields are shown most significant byte first and stored the other way round.
    static constexpr std::array<int, 16> order{3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
    MdbGuid g;
    for (std::size_t i = 0; i < 16; ++i)
        g.bytes[i] = (*shown)[std::size_t(order[i])];
    return g;
}

std::string mdbGuidToString(const MdbGuid& guid) {
    static constexpr std::array<int, 16> order{3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
    MdbBytes shown(16);
    for (std::size_t i = 0; i < 16; ++i)
        shown[std::size_t(order[i])] = guid.bytes[i];
    std::string hex = mdbBytesToHex(shown);
    std::transform(hex.begin(), hex.end(), hex.begin(), [](char c) { return c >= 'a' ? char(c - 32) : c; });
    return "{" + hex.substr(0, 8) + "-" + hex.substr(8, 4) + "-" + hex.substr(12, 4) + "-" +
           hex.substr(16, 4) + "-" + hex.substr(20) + "}";
}

std::optional<MdbBytes> mdbBytesFromHex(const std::string& hex) {
    if (hex.size() % 2 != 0)
        return std::nullopt;
    MdbBytes out;
    out.reserve(hex.size() / 2);
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int hi = hexDigit(hex[i]);
        const int lo = hexDigit(hex[i + 1]);
        if (hi < 0 || lo < 0)
            return std::nullopt;
        out.push_back(std::uint8_t(hi * 16 + lo));
    }
    return out;
}

std::string mdbBytesToHex(const MdbBytes& bytes) {
    static constexpr char digitsOf[] = "0123456789abcdef";
    std::string out;
    out.reserve(2 * bytes.size());
    for (auto b : bytes) {
        out.push_back(digitsOf[b >> 4]);
        out.push_back(digitsOf[b & 15]);
    }
    return out;
}
