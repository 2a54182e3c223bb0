#pragma once
// What the readings of the VBA project and of the macros share: little-endian numbers in a stream's bytes,
// UTF-16LE texts made UTF-8, and glib's texts freed when they go.

#include <glib.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct GFree {
    void operator()(void* memory) const { g_free(memory); }
};
using GText = std::unique_ptr<char, GFree>;

// The number at `at`; the caller has checked that its bytes are there.
inline std::uint16_t u16(std::string_view bytes, std::size_t at) {
    return std::uint16_t(std::uint8_t(bytes[at]) | std::uint8_t(bytes[at + 1]) << 8);
}
inline std::uint32_t u32(std::string_view bytes, std::size_t at) {
    return std::uint32_t(u16(bytes, at)) | std::uint32_t(u16(bytes, at + 2)) << 16;
}

// The UTF-16LE code units of the bytes (an odd last byte left out); untilNul: up to the first NUL.
inline std::vector<gunichar2> utf16Units(std::string_view bytes, bool untilNul) {
    std::vector<gunichar2> units;
    units.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const gunichar2 unit = u16(bytes, i);
        if (untilNul && unit == 0)
            break;
        units.push_back(unit);
    }
    return units;
}

// UTF-16 to UTF-8; nothing when it is not valid UTF-16.
inline std::optional<std::string> utf16ToUtf8(const std::vector<gunichar2>& units) {
    const GText text(g_utf16_to_utf8(units.data(), glong(units.size()), nullptr, nullptr, nullptr));
    return text ? std::optional<std::string>(text.get()) : std::nullopt;
}
