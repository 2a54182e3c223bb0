#include "ColumnProperties.h"

#include <cstring>
#include <memory>

namespace {

constexpr std::size_t signatureSize = 4; // "KKD\0" or "MR2\0"
constexpr std::size_t chunkHeaderSize = 6;
constexpr unsigned namesChunk = 0x80;
constexpr unsigned lastBlockChunk = 0x02; // 0x00, 0x01 and 0x02 are property blocks

constexpr std::array<const char*, columnPropertyCount> wantedNames{
    "AllowZeroLength", "Required",   "DefaultValue",   "Description",
    "Expression",      "ResultType", "ValidationRule", "ValidationText"};

unsigned u16(const unsigned char* at) {
    return unsigned(at[0]) | unsigned(at[1]) << 8;
}

std::uint32_t u32(const unsigned char* at) {
    return std::uint32_t(at[0]) | std::uint32_t(at[1]) << 8 | std::uint32_t(at[2]) << 16 |
           std::uint32_t(at[3]) << 24;
}

// A name of `size` bytes converted as libmdb converts the names of a property blob.
std::string convertedName(MdbHandle* mdb, const unsigned char* at, std::size_t size) {
    std::string name(3 * size + 1, '\0'); // the most a byte can become, and the end
    mdb_unicode2ascii(mdb, reinterpret_cast<const char*>(at), size, name.data(), name.size());
    name.resize(std::strlen(name.c_str()));
    return name;
}

// The chunk of property names: each a 16-bit length and the name. What each name is among the wanted
// ones, or -1.
std::vector<int> readNames(MdbHandle* mdb, const unsigned char* chunk, std::size_t size) {
    std::vector<int> wanted;
    std::size_t at = 0;
    while (at + 2 <= size) {
        const std::size_t length = u16(chunk + at);
        at += 2;
        if (length > size - at)
            break;
        const std::string name = convertedName(mdb, chunk + at, length);
        at += length;
        int which = -1;
        for (std::size_t i = 0; i < wantedNames.size(); ++i) {
            if (name == wantedNames[i])
                which = int(i);
        }
        wanted.push_back(which);
    }
    return wanted;
}

struct GFreeDeleter {
    void operator()(char* text) const { g_free(text); }
};

} // namespace

TableProperties::Span TableProperties::keep(std::string_view text) {
    const Span span{std::uint32_t(texts_.size()), std::uint32_t(text.size())};
    texts_.append(text);
    return span;
}

// One block: its 16-bit length (unused) and two bytes, the name's length and the name, then the properties,
// each with its 16-bit length, a byte, its type, its name's number and its value's size and the value.
TableProperties::Block TableProperties::readBlock(MdbHandle* mdb, const std::vector<int>& names,
                                                  const unsigned char* chunk, std::size_t size) {
    Block block;
    if (size < 6)
        return block;
    const std::size_t nameLength = u16(chunk + 4);
    std::size_t at = 6;
    if (nameLength > size - at)
        return block;
    if (nameLength > 0)
        block.name = keep(convertedName(mdb, chunk + at, nameLength));
    at += nameLength;
    while (at + 8 <= size) {
        const std::size_t recordLength = u16(chunk + at);
        int type = chunk[at + 3];
        const unsigned number = u16(chunk + at + 4);
        const std::size_t valueSize = u16(chunk + at + 6);
        if (number >= names.size() || valueSize > size - at - 8 || recordLength == 0)
            break;
        if (const int which = names[number]; which >= 0) {
            const unsigned char* value = chunk + at + 8;
            if (type == MDB_MEMO)
                type = MDB_TEXT;
            if (type == MDB_BOOL) {
                block.values[std::size_t(which)] = keep((valueSize > 0 && value[0]) ? "yes" : "no");
            } else {
                std::unique_ptr<char, GFreeDeleter> converted(mdb_col_to_string(
                    mdb, const_cast<unsigned char*>(chunk), int(at + 8), type, int(valueSize)));
                block.values[std::size_t(which)] = keep(converted ? converted.get() : "");
            }
            block.present |= std::uint8_t(1u << which);
        }
        at += recordLength;
    }
    return block;
}

TableProperties::TableProperties(MdbHandle* mdb, const unsigned char* blob, std::size_t size) {
    if (size < signatureSize ||
        (std::memcmp(blob, "KKD", signatureSize) != 0 && std::memcmp(blob, "MR2", signatureSize) != 0))
        return;
    std::vector<int> names;
    bool haveNames = false;
    std::size_t at = signatureSize;
    while (at + chunkHeaderSize <= size) {
        const std::uint32_t length = u32(blob + at);
        const unsigned type = u16(blob + at + 4);
        if (length < chunkHeaderSize || length > size - at)
            break;
        const unsigned char* chunk = blob + at + chunkHeaderSize;
        const std::size_t chunkSize = length - chunkHeaderSize;
        if (type == namesChunk) {
            names = readNames(mdb, chunk, chunkSize);
            haveNames = true;
        } else if (type <= lastBlockChunk && haveNames) {
            blocks_.push_back(readBlock(mdb, names, chunk, chunkSize));
        }
        at += length;
    }
    texts_.shrink_to_fit();
    blocks_.shrink_to_fit();
}

ColumnPropertyValues TableProperties::valuesOf(const Block& block) const {
    ColumnPropertyValues values;
    for (std::size_t i = 0; i < columnPropertyCount; ++i) {
        if (block.present & (1u << i))
            values[i] = text(block.values[i]);
    }
    return values;
}

ColumnPropertyValues TableProperties::column(std::string_view column) const {
    for (const Block& block : blocks_) {
        if (block.name.size != 0 && text(block.name) == column)
            return valuesOf(block);
    }
    return {};
}

ColumnPropertyValues TableProperties::table() const {
    for (const Block& block : blocks_) {
        if (block.name.size == 0)
            return valuesOf(block);
    }
    return {};
}
