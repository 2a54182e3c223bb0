#pragma once
// Jet 4 pages other than table definitions: data pages and their rows, long-value (LVAL) pages,
// usage-map rows and pages, and empty index leaf pages.

#include "JetTableDef.h"

#include <optional>

namespace jet {

constexpr std::uint32_t lvalOwner = 0x4C41564C; // "LVAL" where a data page names its table
constexpr std::size_t dataPageHeader = 14;
constexpr std::size_t usageMapRowSize = 69; // type byte, start page, 64 bytes of bitmap
constexpr std::size_t maxRowsPerPage = 255; // a row pointer holds the row number in one byte

inline std::uint32_t pageRow(std::uint32_t page, std::uint32_t row) {
    return (page << 8) | row;
}

// One row in the Jet 4 layout: column count, fixed area, variable data, offset table, null mask.
// A missing value is null; for a Yes/No column only its presence counts (present means true). A row of
// fewer columns than the table holds only the first `columns`, as a row written before the others were added.
Bytes encodeRow(const Table& table, const std::vector<std::optional<Bytes>>& values);
Bytes encodeRow(const Table& table, const std::vector<std::optional<Bytes>>& values, std::size_t columns);

// Splits rows into groups that each fit one data page, in order.
std::vector<std::vector<Bytes>> packRows(const std::vector<Bytes>& rows);
// A data page holding `rows`, rows stored from the end of the page backwards.
Page dataPage(std::uint32_t owner, const std::vector<Bytes>& rows);
std::size_t dataPageFreeSpace(const std::vector<Bytes>& rows);

// The 12-byte field of a memo/OLE column. Inline values follow it in the row.
Bytes longValueInline(const Bytes& value);
Bytes longValueOnePage(std::size_t length, std::uint32_t pointer);
Bytes longValueChain(std::size_t length, std::uint32_t firstPointer);

// Usage maps. An inline map covers 512 pages from its start page; a reference map points to
// whole bitmap pages, each covering 32736 pages.
constexpr std::uint32_t inlineMapPages = (usageMapRowSize - 5) * 8;
constexpr std::uint32_t bitmapPagePages = (pageSize - 4) * 8;
std::optional<Bytes> inlineUsageMap(const std::vector<std::uint32_t>& pages);
Bytes referenceUsageMap(const std::vector<std::uint32_t>& bitmapPages); // index k covers block k
Page usageBitmapPage(const std::vector<std::uint32_t>& pages, std::uint32_t block);

// The root of an index over an empty table: a leaf page without entries.
Page emptyIndexLeaf(std::uint32_t tableDefPage);

} // namespace jet
