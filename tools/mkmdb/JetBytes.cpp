#include "JetBytes.h"

#include <array>
#include <cstring>

void put16(std::uint8_t* at, std::uint32_t v) {
    at[0] = std::uint8_t(v);
    at[1] = std::uint8_t(v >> 8);
}

void put32(std::uint8_t* at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        at[i] = std::uint8_t(v >> (8 * i));
}

void ByteWriter::u16(std::uint32_t v) {
    u8(v);
    u8(v >> 8);
}

void ByteWriter::u32(std::uint32_t v) {
    u16(v);
    u16(v >> 16);
}

void ByteWriter::f64(double v) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    u32(std::uint32_t(bits));
    u32(std::uint32_t(bits >> 32));
}

void ByteWriter::patch16(std::size_t at, std::uint32_t v) {
    put16(&data_[at], v);
}

void ByteWriter::patch32(std::size_t at, std::uint32_t v) {
    put32(&data_[at], v);
}

namespace {

// Decodes UTF-8 into code points; false on any malformed sequence.
bool decodeUtf8(const std::string& s, std::vector<char32_t>* out) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b = std::uint8_t(s[i]);
        int extra = 0;
        char32_t cp = 0;
        if (b < 0x80) {
            cp = b;
        } else if ((b & 0xE0) == 0xC0) {
            extra = 1;
            cp = b & 0x1F;
        } else if ((b & 0xF0) == 0xE0) {
            extra = 2;
            cp = b & 0x0F;
        } else if ((b & 0xF8) == 0xF0) {
            extra = 3;
            cp = b & 0x07;
        } else {
            return false;
        }
        if (i + std::size_t(extra) >= s.size())
            return false;
        for (int k = 1; k <= extra; ++k) {
            const auto c = std::uint8_t(s[i + std::size_t(k)]);
            if ((c & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (c & 0x3F);
        }
        static constexpr std::array<char32_t, 4> minimum{0, 0x80, 0x800, 0x10000};
        if (cp < minimum[std::size_t(extra)] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        out->push_back(cp);
        i += std::size_t(extra) + 1;
    }
    return true;
}

} // namespace

std::optional<Bytes> toUcs2(const std::string& utf8) {
    std::vector<char32_t> points;
    if (!decodeUtf8(utf8, &points))
        return std::nullopt;
    ByteWriter w;
    for (char32_t cp : points) {
        if (cp < 0x10000) {
            w.u16(cp);
        } else {
            cp -= 0x10000;
            w.u16(0xD800 + (cp >> 10));
            w.u16(0xDC00 + (cp & 0x3FF));
        }
    }
    return w.take();
}

int ucs2Length(const std::string& utf8) {
    const auto b = toUcs2(utf8);
    return b ? int(b->size() / 2) : -1;
}

void rc4(const Bytes& key, std::uint8_t* data, std::size_t size) {
    std::array<std::uint8_t, 256> s{};
    for (int i = 0; i < 256; ++i)
        s[std::size_t(i)] = std::uint8_t(i);
    std::uint8_t j = 0;
    for (int i = 0; i < 256; ++i) {
        j = std::uint8_t(j + s[std::size_t(i)] + key[std::size_t(i) % key.size()]);
        std::swap(s[std::size_t(i)], s[j]);
    }
    std::uint8_t a = 0;
    std::uint8_t b = 0;
    for (std::size_t n = 0; n < size; ++n) {
        a = std::uint8_t(a + 1);
        b = std::uint8_t(b + s[a]);
        std::swap(s[a], s[b]);
        data[n] ^= s[std::uint8_t(s[a] + s[b])];
    }
}
