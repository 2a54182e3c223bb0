#include "JetProperties.h"

#include <algorithm>

namespace jet {

namespace {

constexpr std::uint32_t nameListBlock = 0x80;
constexpr std::uint32_t columnBlock = 0x01;
constexpr std::uint8_t engineProperty = 0x01; // the flag Access puts on engine-level properties
constexpr std::uint8_t booleanType = 0x01;
constexpr std::uint8_t byteType = 0x02;
constexpr std::uint8_t textType = 0x0A;
constexpr std::uint8_t memoType = 0x0C;

std::uint8_t typeOf(const PropertyValue& value) {
    if (value.text)
        return value.memo ? memoType : textType;
    return value.byte ? byteType : booleanType;
}

Bytes dataOf(const PropertyValue& value) {
    if (value.text)
        return toUcs2(*value.text).value_or(Bytes{});
    return Bytes{value.byte.value_or(std::uint8_t(value.flag))};
}

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
        for (const auto& value : c.values)
            if (std::find(names.begin(), names.end(), value.name) == names.end())
                names.push_back(value.name);
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
        for (const auto& value : c.values) {
            const auto index = std::find(names.begin(), names.end(), value.name) - names.begin();
            const Bytes data = dataOf(value);
            w.u16(std::uint32_t(8 + data.size())); // this entry's length
            w.u8(engineProperty);
            w.u8(typeOf(value));
            w.u16(std::uint32_t(index));
            w.u16(std::uint32_t(data.size()));
            w.bytes(data);
        }
        w.patch32(start, std::uint32_t(w.size() - start));
    }
    return w.take();
}

} // namespace jet
