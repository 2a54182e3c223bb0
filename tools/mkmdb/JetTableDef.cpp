#include "JetTableDef.h"

#include <algorithm>

namespace jet {

namespace {

constexpr std::uint32_t tableMagic = 0x0659; // repeated in column and index entries, as Access writes it
constexpr std::uint32_t realIndexMagic = 0x0783;
constexpr std::uint16_t generalSortOrder = 0x0409;
constexpr std::uint8_t userTable = 0x4E;
constexpr std::uint8_t systemTable = 0x53;
constexpr std::size_t indexColumnSlots = 10;
constexpr std::size_t headerSize = 8;

void putName(ByteWriter& w, const Bytes& name) {
    w.u16(std::uint32_t(name.size()));
    w.bytes(name);
}

} // namespace

std::size_t longValueColumnCount(const Table& table) {
    std::size_t n = 0;
    for (const auto& c : table.columns)
        n += c.longValue() ? 1 : 0;
    return n;
}

std::vector<std::uint16_t> fixedOffsets(const Table& table) {
    std::vector<std::uint16_t> out;
    std::uint16_t next = 0;
    for (const auto& c : table.columns) {
        // A Yes/No value lives in the row's null mask and takes no room in the fixed area.
        if (c.fixed() && c.code != CodeBoolean) {
            out.push_back(next);
            next = std::uint16_t(next + c.length);
        } else {
            out.push_back(0);
        }
    }
    return out;
}

std::vector<std::uint16_t> variableSlots(const Table& table) {
    std::vector<std::uint16_t> out;
    std::uint16_t next = 0;
    for (const auto& c : table.columns)
        out.push_back(c.fixed() ? 0 : next++);
    return out;
}

Bytes encodeTableDef(const Table& table, const TablePlacement& placement) {
    ByteWriter w;
    const auto columnCount = std::uint32_t(table.columns.size());
    std::uint32_t liveColumnCount = 0;
    for (const auto& c : table.columns)
        liveColumnCount += c.deleted ? 0 : 1;
    const auto indexCount = std::uint32_t(table.indexes.size());
    std::uint32_t variableCount = 0;
    for (const auto& c : table.columns)
        variableCount += c.fixed() ? 0 : 1;

    // Page header; free space and the next-page link are set per page later.
    w.u8(0x02);
    w.u8(0x01);
    w.u16(0);
    w.u32(0);
    const std::size_t lengthAt = w.size();
    w.u32(0); // definition length, patched below
    w.u32(tableMagic);
    w.u32(table.rowCount);
    w.u32(table.nextAutoNumber);
    w.u8(0x01); // lets Access hand out AutoNumber values
    w.zeros(3);
    w.u32(0);   // AutoNumber of complex columns
    w.zeros(8); // unknown
    w.u8(table.system ? systemTable : userTable);
    w.u16(columnCount); // most columns a row has ever had, deleted ones too
    w.u16(variableCount);
    w.u16(liveColumnCount);
    w.u32(indexCount); // logical indexes
    w.u32(indexCount); // physical indexes: one each, none shared
    w.u32(placement.usedPagesMap);
    w.u32(placement.freePagesMap);

    for (std::uint32_t i = 0; i < indexCount; ++i)
        w.zeros(12); // per-index row counts: the index pages hold no entries

    const auto offsets = fixedOffsets(table);
    const auto slots = variableSlots(table);
    for (std::size_t i = 0; i < table.columns.size(); ++i) {
        const auto& c = table.columns[i];
        if (c.deleted)
            continue;
        w.u8(c.code);
        w.u32(tableMagic);
        w.u16(std::uint32_t(i));
        w.u16(slots[i]);
        w.u16(std::uint32_t(i));
        if (c.code == CodeNumeric) {
            w.u8(c.precision);
            w.u8(c.scale);
        } else {
            w.u16(generalSortOrder);
        }
        w.u16(0);
        w.u8(c.flags);
        w.u8(c.extraFlags); // 0: no Unicode compression
        w.u32(0);
        w.u16(offsets[i]);
        w.u16(c.length);
    }
    for (const auto& c : table.columns)
        if (!c.deleted)
            putName(w, c.name);

    for (std::size_t i = 0; i < table.indexes.size(); ++i) {
        const auto& ix = table.indexes[i];
        w.u32(realIndexMagic);
        for (std::size_t k = 0; k < indexColumnSlots; ++k) {
            if (k < ix.columns.size()) {
                w.u16(ix.columns[k]);
                const bool descending = k < ix.descending.size() && ix.descending[k];
                w.u8(descending ? 0x00 : 0x01); // bit 0x01: ascending
            } else {
                w.u16(0xFFFF);
                w.u8(0);
            }
        }
        w.u32(placement.indexMaps[i]);
        w.u32(placement.indexRootPages[i]);
        w.u32(0);
        std::uint8_t flags = indexAlwaysSet;
        if (ix.unique || ix.primary)
            flags |= indexUnique;
        if (ix.ignoreNulls)
            flags |= indexIgnoreNulls;
        if (ix.primary || ix.required)
            flags |= indexRequired;
        w.u8(flags);
        w.zeros(5);
    }
    for (std::size_t i = 0; i < table.indexes.size(); ++i) {
        w.u32(tableMagic);
        w.u32(std::uint32_t(i)); // logical index number
        w.u32(std::uint32_t(i)); // the physical index behind it
        w.u8(0);                 // no related table
        w.u32(0xFFFFFFFF);       // no related index
        w.u32(0);
        w.u8(0x04); // the cascade bytes Access writes for an index outside a relationship
        w.u8(0x04);
        w.u8(table.indexes[i].primary ? 0x01 : table.indexes[i].foreignKey ? 0x02 : 0x00); // index type
        w.u32(0);
    }
    for (const auto& ix : table.indexes)
        putName(w, ix.name);

    std::size_t lv = 0;
    for (std::size_t i = 0; i < table.columns.size(); ++i) {
        if (!table.columns[i].longValue())
            continue;
        w.u16(std::uint32_t(i));
        w.u32(placement.longValueUsedMaps[lv]);
        w.u32(placement.longValueFreeMaps[lv]);
        ++lv;
    }
    w.u16(0xFFFF);

    w.patch32(lengthAt, std::uint32_t(w.size()));
    return w.take();
}

std::size_t tableDefPageCount(const Table& table) {
    TablePlacement dummy;
    const auto lv = longValueColumnCount(table);
    dummy.longValueUsedMaps.assign(lv, 0);
    dummy.longValueFreeMaps.assign(lv, 0);
    dummy.indexMaps.assign(table.indexes.size(), 0);
    dummy.indexRootPages.assign(table.indexes.size(), 0);
    const auto size = encodeTableDef(table, dummy).size() - headerSize;
    const auto perPage = pageSize - headerSize;
    return (size + perPage - 1) / perPage;
}

std::vector<Page> tableDefPages(const Bytes& definition, const std::vector<std::uint32_t>& pages) {
    std::vector<Page> out;
    const auto perPage = pageSize - headerSize;
    std::size_t at = headerSize;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        Page page(pageSize, 0);
        const auto n = std::min(perPage, definition.size() - at);
        std::copy(definition.begin() + std::ptrdiff_t(at), definition.begin() + std::ptrdiff_t(at + n),
                  page.begin() + headerSize);
        at += n;
        page[0] = 0x02;
        page[1] = 0x01;
        // The header counts the free space less the 8 bytes of itself.
        const auto room = pageSize - headerSize - n;
        put16(&page[2], std::uint32_t(room > headerSize ? room - headerSize : 0));
        put32(&page[4], p + 1 < pages.size() ? pages[p + 1] : 0);
        out.push_back(std::move(page));
    }
    return out;
}

} // namespace jet
