#include "LongValue.h"

#include "ReaderProtocol.h"

#include <cstdint>

namespace {

constexpr std::size_t referenceSize = 12;
constexpr std::uint32_t inlineFlag = 0x80000000u;
constexpr std::uint32_t onePageFlag = 0x40000000u;
constexpr std::uint32_t lengthMask = 0x3FFFFFFFu;
constexpr unsigned char dataPage = 0x01;
// A value must fit in one answer frame beside the rest of its row.
constexpr std::size_t largestValue = readerprotocol::maxFrameSize - 1024 * 1024;

std::uint32_t u32At(const unsigned char* bytes) {
    return std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 | std::uint32_t(bytes[2]) << 16 |
           std::uint32_t(bytes[3]) << 24;
}

// One row of another page, read into libmdb's second page buffer; nothing when the page is no data page
// or has no such row.
std::optional<std::string_view> rowAt(MdbHandle* mdb, std::uint32_t pageRow) {
    void* buffer = nullptr;
    int start = 0;
    size_t size = 0;
    if (mdb_find_pg_row(mdb, int(pageRow), &buffer, &start, &size) != 0 || !buffer)
        return std::nullopt;
    const auto* page = static_cast<const unsigned char*>(buffer);
    const int rowCountOffset = mdb->fmt->row_count_offset;
    const auto rows = unsigned(page[rowCountOffset] | page[rowCountOffset + 1] << 8);
    if (page[0] != dataPage || (pageRow & 0xFFu) >= rows || start < 0 ||
        std::size_t(start) + size > std::size_t(mdb->fmt->pg_size))
        return std::nullopt;
    return std::string_view(reinterpret_cast<const char*>(page) + start, size);
}

} // namespace

std::optional<std::string> readLongValue(MdbHandle* mdb, std::string_view reference) {
    if (reference.size() < referenceSize)
        return std::nullopt;
    const auto* bytes = reinterpret_cast<const unsigned char*>(reference.data());
    const std::uint32_t head = u32At(bytes);
    const std::size_t length = head & lengthMask;
    if (length > largestValue)
        return std::nullopt;
    const std::uint32_t kept = head & ~lengthMask;
    if (kept == inlineFlag) {
        if (reference.size() - referenceSize < length)
            return std::nullopt;
        return std::string(reference.substr(referenceSize, length));
    }
    std::uint32_t pageRow = u32At(bytes + 4);
    if (kept == onePageFlag) {
        const std::optional<std::string_view> row = rowAt(mdb, pageRow);
        if (!row || row->size() < length)
            return std::nullopt;
        return std::string(row->substr(0, length));
    }
    if (kept != 0)
        return std::nullopt;
    // Each row of the chain adds at least a byte, so a chain that loops ends once it is longer than the
    // value.
    std::string value;
    value.reserve(length);
    while (value.size() < length) {
        if (pageRow == 0)
            return std::nullopt;
        const std::optional<std::string_view> row = rowAt(mdb, pageRow);
        if (!row || row->size() <= 4)
            return std::nullopt;
        pageRow = u32At(reinterpret_cast<const unsigned char*>(row->data()));
        value.append(row->substr(4, length - value.size()));
    }
    return value;
}
