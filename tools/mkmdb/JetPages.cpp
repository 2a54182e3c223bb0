#include "JetPages.h"

#include <algorithm>

namespace jet {

namespace {

constexpr std::size_t rowPointerSize = 2;
constexpr std::size_t longValueFieldSize = 12;
constexpr std::uint32_t longValueInlineFlag = 0x80000000;
constexpr std::uint32_t longValueOnePageFlag = 0x40000000;
constexpr std::size_t indexEntriesStart = 0x1E0;

} // namespace

Bytes encodeRow(const Table& table, const std::vector<std::optional<Bytes>>& values) {
    return encodeRow(table, values, table.columns.size());
}

Bytes encodeRow(const Table& table, const std::vector<std::optional<Bytes>>& values, std::size_t columns) {
    const auto offsets = fixedOffsets(table);
    std::size_t fixedSize = 0;
    std::size_t variableCount = 0;
    for (std::size_t i = 0; i < columns; ++i) {
        const auto& c = table.columns[i];
        if (c.fixed() && c.code != CodeBoolean)
            fixedSize = std::max<std::size_t>(fixedSize, offsets[i] + c.length);
        variableCount += c.fixed() ? 0 : 1;
    }
    ByteWriter w;
    w.u16(std::uint32_t(columns));
    const std::size_t fixedStart = w.size();
    w.zeros(fixedSize);
    Bytes row = w.take();
    for (std::size_t i = 0; i < columns; ++i) {
        const auto& c = table.columns[i];
        if (c.fixed() && c.code != CodeBoolean && values[i])
            std::copy_n(values[i]->begin(), std::min<std::size_t>(values[i]->size(), c.length),
                        row.begin() + std::ptrdiff_t(fixedStart + offsets[i]));
    }
    std::vector<std::uint16_t> starts;
    for (std::size_t i = 0; i < columns; ++i) {
        if (table.columns[i].fixed())
            continue;
        starts.push_back(std::uint16_t(row.size()));
        if (values[i])
            row.insert(row.end(), values[i]->begin(), values[i]->end());
    }
    ByteWriter tail;
    if (variableCount > 0) {
        tail.u16(std::uint32_t(row.size())); // end of the variable data
        for (auto it = starts.rbegin(); it != starts.rend(); ++it)
            tail.u16(*it);
        tail.u16(std::uint32_t(variableCount));
    }
    Bytes mask((columns + 7) / 8, 0);
    for (std::size_t i = 0; i < columns; ++i)
        if (values[i])
            mask[i / 8] |= std::uint8_t(1u << (i % 8));
    tail.bytes(mask);
    row.insert(row.end(), tail.data().begin(), tail.data().end());
    return row;
}

std::size_t dataPageFreeSpace(const std::vector<Bytes>& rows) {
    std::size_t used = dataPageHeader;
    for (const auto& r : rows)
        used += rowPointerSize + r.size();
    return pageSize - used;
}

std::vector<std::vector<Bytes>> packRows(const std::vector<Bytes>& rows) {
    std::vector<std::vector<Bytes>> pages;
    std::size_t used = pageSize;
    for (const auto& r : rows) {
        if (pages.empty() || used + rowPointerSize + r.size() > pageSize ||
            pages.back().size() >= maxRowsPerPage) {
            pages.emplace_back();
            used = dataPageHeader;
        }
        pages.back().push_back(r);
        used += rowPointerSize + r.size();
    }
    return pages;
}

Page dataPage(std::uint32_t owner, const std::vector<Bytes>& rows) {
    Page page(pageSize, 0);
    page[0] = 0x01;
    page[1] = 0x01;
    put16(&page[2], std::uint32_t(dataPageFreeSpace(rows)));
    put32(&page[4], owner);
    put16(&page[12], std::uint32_t(rows.size()));
    std::size_t end = pageSize;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        end -= rows[i].size();
        std::copy(rows[i].begin(), rows[i].end(), page.begin() + std::ptrdiff_t(end));
        put16(&page[dataPageHeader + rowPointerSize * i], std::uint32_t(end));
    }
    return page;
}

Bytes longValueInline(const Bytes& value) {
    ByteWriter w;
    w.u32(std::uint32_t(value.size()) | longValueInlineFlag);
    w.zeros(longValueFieldSize - 4);
    w.bytes(value);
    return w.take();
}

Bytes longValueOnePage(std::size_t length, std::uint32_t pointer) {
    ByteWriter w;
    w.u32(std::uint32_t(length) | longValueOnePageFlag);
    w.u32(pointer);
    w.u32(0);
    return w.take();
}

Bytes longValueChain(std::size_t length, std::uint32_t firstPointer) {
    ByteWriter w;
    w.u32(std::uint32_t(length));
    w.u32(firstPointer);
    w.u32(0);
    return w.take();
}

std::optional<Bytes> inlineUsageMap(const std::vector<std::uint32_t>& pages) {
    const std::uint32_t start = pages.empty() ? 0 : *std::min_element(pages.begin(), pages.end());
    Bytes map(usageMapRowSize, 0);
    put32(&map[1], start);
    for (auto p : pages) {
        const auto bit = p - start;
        if (bit >= inlineMapPages)
            return std::nullopt;
        map[5 + bit / 8] |= std::uint8_t(1u << (bit % 8));
    }
    return map;
}

Bytes referenceUsageMap(const std::vector<std::uint32_t>& bitmapPages) {
    Bytes map(usageMapRowSize, 0);
    map[0] = 0x01;
    for (std::size_t k = 0; k < bitmapPages.size() && 1 + 4 * (k + 1) <= usageMapRowSize; ++k)
        put32(&map[1 + 4 * k], bitmapPages[k]);
    return map;
}

Page usageBitmapPage(const std::vector<std::uint32_t>& pages, std::uint32_t block) {
    Page page(pageSize, 0);
    page[0] = 0x05;
    page[1] = 0x01;
    const std::uint32_t first = block * bitmapPagePages;
    for (auto p : pages) {
        if (p < first || p >= first + bitmapPagePages)
            continue;
        const auto bit = p - first;
        page[4 + bit / 8] |= std::uint8_t(1u << (bit % 8));
    }
    return page;
}

Page emptyIndexLeaf(std::uint32_t tableDefPage) {
    Page page(pageSize, 0);
    page[0] = 0x04;
    page[1] = 0x01;
    put16(&page[2], std::uint32_t(pageSize - indexEntriesStart));
    put32(&page[4], tableDefPage);
    return page;
}

} // namespace jet
