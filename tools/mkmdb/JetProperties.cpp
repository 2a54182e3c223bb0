#include "JetProperties.h"

#include <algorithm>

namespace jet {

namespace {

constexpr std::uint32_t nameListBlock = 0x80;
constexpr std::uint32_t columnBlock = 0x01;
constexpr std::uint8_t engineProperty = 0x01; // the flag Access puts on engine-level properties
constexpr std::uint8_t booleanType = 0x01;

Bytes asciiUcs2(const std::string& s) {
    Bytes out;
    for (char c : s) {
        out.push_back(std::uint8_t(c));
        out.push_back(0);
    }
    return out;
}

void putName(ByteWriter& w, const Bytes& name) {
    w.u16(std::uint32_t(name.size()));
    w.bytes(name);
}

} // namespace

Bytes propertyBlob(const std::vector<ColumnProperties>& columns) {
    std::vector<std::string> names;
    for (const auto& c : columns)
        for (const auto& [name, value] : c.values)
            if (std::find(names.begin(), names.end(), name) == names.end())
                names.push_back(name);
    if (names.empty())
        return {};

    ByteWriter w;
    w.bytes({'M', 'R', '2', 0});

    std::size_t start = w.size();
    w.u32(0);
    w.u16(nameListBlock);
    for (const auto& n : names)
        putName(w, asciiUcs2(n));
    w.patch32(start, std::uint32_t(w.size() - start));

    for (const auto& c : columns) {
        if (c.values.empty())
            continue;
        start = w.size();
        w.u32(0);
        w.u16(columnBlock);
        w.u32(std::uint32_t(4 + 2 + c.columnName.size()));
        putName(w, c.columnName);
        for (const auto& [name, value] : c.values) {
            const auto index = std::find(names.begin(), names.end(), name) - names.begin();
            w.u16(9); // this entry's length
            w.u8(engineProperty);
            w.u8(booleanType);
            w.u16(std::uint32_t(index));
            w.u16(1);
            w.u8(value ? 1 : 0);
        }
        w.patch32(start, std::uint32_t(w.size() - start));
    }
    return w.take();
}

} // namespace jet
