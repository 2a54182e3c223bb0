#include "TableDefinitionBytes.h"

#include <algorithm>
#include <cstring>

namespace {

// A definition longer than this many pages is damage (255 columns and 32 indexes fit in a few).
constexpr std::size_t maxDefinitionPages = 64;
constexpr unsigned char tableDefinitionPage = 0x02;
constexpr std::size_t pageHeaderSize = 8;
constexpr unsigned noColumn = 0xFFFF;
constexpr std::size_t indexColumnSlots = 10;
constexpr unsigned ascendingFlag = 0x01;

// Sizes and offsets that the format constants of libmdb do not carry (Jet 3, then Jet 4 and later).
struct Layout {
    std::size_t physicalIndexSize;
    std::size_t beforeIndexColumns;
    std::size_t beforeIndexFlags;
    std::size_t logicalIndexSize;
    std::size_t beforeLogicalIndex;
    std::size_t precisionOffset;
    std::size_t scaleOffset;
    bool wideNameLength; // name lengths take two bytes
};

constexpr Layout jet3Layout{39, 0, 0, 20, 0, 7, 8, false};
constexpr Layout jet4Layout{52, 4, 4, 28, 4, 11, 12, true};

// Reads little-endian numbers at a position, failing for good at the first read past the end.
class Bytes {
public:
    explicit Bytes(std::vector<unsigned char> bytes) : bytes_(std::move(bytes)) {}
    bool has(std::size_t at, std::size_t size) const {
        return ok_ && at <= bytes_.size() && size <= bytes_.size() - at;
    }
    unsigned u8(std::size_t at) { return has(at, 1) ? bytes_[at] : fail(); }
    unsigned u16(std::size_t at) { return has(at, 2) ? unsigned(bytes_[at] | bytes_[at + 1] << 8) : fail(); }
    std::uint32_t u32(std::size_t at) {
        if (!has(at, 4))
            return fail();
        return std::uint32_t(bytes_[at]) | std::uint32_t(bytes_[at + 1]) << 8 |
               std::uint32_t(bytes_[at + 2]) << 16 | std::uint32_t(bytes_[at + 3]) << 24;
    }
    bool ok() const { return ok_; }
    // The name of `size` bytes at `at`, converted as libmdb converts names.
    std::string name(MdbHandle* mdb, std::size_t at, std::size_t size) {
        if (!has(at, size)) {
            fail();
            return {};
        }
        char converted[MDB_MAX_OBJ_NAME + 1]; // the room libmdb gives a name
        converted[0] = '\0';
        mdb_unicode2ascii(mdb, reinterpret_cast<const char*>(bytes_.data() + at), size, converted,
                          sizeof converted);
        return converted;
    }

private:
    unsigned fail() {
        ok_ = false;
        return 0;
    }
    std::vector<unsigned char> bytes_;
    bool ok_ = true;
};

// The definition's pages joined: the first page whole, the data of each following page after its header.
std::optional<std::vector<unsigned char>> joinedPages(MdbHandle* mdb, unsigned long page) {
    const std::size_t pageSize = std::size_t(mdb->fmt->pg_size);
    std::vector<unsigned char> bytes;
    std::vector<unsigned long> seen;
    while (page != 0) {
        if (seen.size() >= maxDefinitionPages || std::find(seen.begin(), seen.end(), page) != seen.end())
            return std::nullopt;
        seen.push_back(page);
        if (mdb_read_pg(mdb, page) != ssize_t(pageSize))
            return std::nullopt;
        const auto* data = reinterpret_cast<const unsigned char*>(mdb->pg_buf);
        if (data[0] != tableDefinitionPage)
            return std::nullopt;
        const std::size_t from = bytes.empty() ? 0 : pageHeaderSize;
        bytes.insert(bytes.end(), data + from, data + pageSize);
        page = std::uint32_t(data[4]) | std::uint32_t(data[5]) << 8 | std::uint32_t(data[6]) << 16 |
               std::uint32_t(data[7]) << 24;
    }
    return bytes;
}

} // namespace

std::optional<RawTableDefinition> readRawTableDefinition(MdbHandle* mdb, unsigned long page) {
    std::optional<std::vector<unsigned char>> joined = joinedPages(mdb, page);
    if (!joined)
        return std::nullopt;
    Bytes bytes(std::move(*joined));
    const MdbFormatConstants& fmt = *mdb->fmt;
    const Layout& layout = mdb->f->jet_version == MDB_VER_JET3 ? jet3Layout : jet4Layout;

    const unsigned columnCount = bytes.u16(fmt.tab_num_cols_offset);
    const std::uint32_t logicalCount = bytes.u32(fmt.tab_num_idxs_offset);
    const std::uint32_t physicalCount = bytes.u32(fmt.tab_num_ridxs_offset);
    // Jet allows 255 columns and 32 indexes; anything beyond is damage, not a reason to allocate.
    if (!bytes.ok() || columnCount > 4096 || logicalCount > 1024 || physicalCount > 1024)
        return std::nullopt;

    RawTableDefinition definition;
    std::size_t at = fmt.tab_cols_start_offset + std::size_t(physicalCount) * fmt.tab_ridx_entry_size;
    for (unsigned i = 0; i < columnCount; ++i, at += fmt.tab_col_entry_size) {
        RawColumn column;
        column.type = bytes.u8(at);
        column.columnNumber = bytes.u16(at + fmt.col_num_offset);
        column.flags = bytes.u8(at + fmt.col_flags_offset);
        if (layout.wideNameLength)
            column.extraFlags = bytes.u8(at + fmt.col_flags_offset + 1);
        column.precision = bytes.u8(at + layout.precisionOffset);
        column.scale = bytes.u8(at + layout.scaleOffset);
        definition.columns.push_back(column);
    }
    for (RawColumn& column : definition.columns) {
        const std::size_t length = layout.wideNameLength ? bytes.u16(at) : bytes.u8(at);
        at += layout.wideNameLength ? 2 : 1;
        column.name = bytes.name(mdb, at, length);
        at += length;
    }
    for (std::uint32_t i = 0; i < physicalCount; ++i, at += layout.physicalIndexSize) {
        RawPhysicalIndex index;
        std::size_t slot = at + layout.beforeIndexColumns;
        for (std::size_t k = 0; k < indexColumnSlots; ++k, slot += 3) {
            const unsigned number = bytes.u16(slot);
            if (number != noColumn)
                index.columns.push_back({number, (bytes.u8(slot + 2) & ascendingFlag) == 0});
        }
        index.flags = bytes.u8(slot + 4 + 4 + layout.beforeIndexFlags);
        definition.physicalIndexes.push_back(std::move(index));
    }
    for (std::uint32_t i = 0; i < logicalCount; ++i, at += layout.logicalIndexSize) {
        const std::size_t entry = at + layout.beforeLogicalIndex;
        RawLogicalIndex index;
        index.physicalIndex = bytes.u32(entry + 4);
        index.type = bytes.u8(entry + 4 + 4 + 1 + 4 + 4 + 1 + 1);
        definition.logicalIndexes.push_back(index);
    }
    for (RawLogicalIndex& index : definition.logicalIndexes) {
        const std::size_t length = layout.wideNameLength ? bytes.u16(at) : bytes.u8(at);
        at += layout.wideNameLength ? 2 : 1;
        index.name = bytes.name(mdb, at, length);
        at += length;
    }
    if (!bytes.ok())
        return std::nullopt;
    return definition;
}
