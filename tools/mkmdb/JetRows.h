#pragma once
// The rows of a user table: each value as the bytes its column stores, and data pages filled with rows in
// order, written out as each one fills.

#include "JetStorage.h"
#include "MdbValue.h"

namespace jet {

// The longest row a data page holds: a page less its header and the row's pointer.
constexpr std::size_t maxRowSize = pageSize - dataPageHeader - 2;

// The bytes of a value in its column: fixed-size values little-endian, text as UTF-16LE, a Decimal at the
// column's scale. A Yes/No value is kept by presence, so true gives no bytes and false gives nothing.
// A Memo or OLE Object value gives its data, which the caller stores as a long value. Nothing when the
// value does not fit the column (the schema check rejects such rows first).
std::optional<Bytes> columnBytes(const Column& column, const MdbValue& value);

// Data pages of one table, filled in order; a page is written as soon as the next row does not fit it.
class RowPages {
public:
    RowPages(PageFile& file, std::uint32_t owner) : file_(file), owner_(owner) {}
    // Takes a row of at most maxRowSize bytes.
    void add(const Bytes& row);
    // Writes the last page; call once every row is added.
    void finish();
    const std::vector<std::uint32_t>& pages() const { return pages_; }

private:
    void flush();

    PageFile& file_;
    std::uint32_t owner_;
    std::vector<std::uint32_t> pages_;
    Page page_;
    std::size_t rows_ = 0;
    std::size_t end_ = pageSize; // the rows fill the page from its end backwards
};

} // namespace jet
