#pragma once
// The column properties the answer uses (AllowZeroLength, Required, DefaultValue, Description, Expression,
// ResultType, ValidationRule, ValidationText), read from a table's property blob: the LvProp value of its
// catalog row. The blob is a KKD (Jet 3) or MR2 (Jet 4 and later) list of chunks: one chunk of property
// names, then one block per object (the table itself, then each column that has properties), each a list of
// (name number, type, value).
//
// libmdb's mdb_kkd_to_props parses the same blob into a hash table per block holding every property as text,
// which made it the largest single cost of reading a large schema. This keeps the blocks' names and only the
// eight properties above, converted to text by libmdb's own functions so that each value is the text libmdb
// would give. A block is matched to a column as libmdb matches it: the first block of exactly its name.
// A blob whose chunks do not hold together yields the blocks read up to that point.

#include <glib.h>
// glib must come first in C++: mdbtools.h includes it inside its extern "C" block.
#include <mdbtools.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class ColumnProperty {
    AllowZeroLength,
    Required,
    DefaultValue,
    Description,
    Expression,
    ResultType,
    ValidationRule,
    ValidationText
};
constexpr std::size_t columnPropertyCount = 8;

// A column's properties, indexed by ColumnProperty: the text of each ("yes" or "no" for a truth value), or
// nothing when the column does not set it. The texts belong to the TableProperties they came from.
using ColumnPropertyValues = std::array<std::optional<std::string_view>, columnPropertyCount>;

inline std::optional<std::string_view> valueOf(const ColumnPropertyValues& values, ColumnProperty property) {
    return values[std::size_t(property)];
}

// Every block of one blob, kept compact (a whole schema's tables are held at once): the texts in one string,
// and per block where its name and values lie in it.
class TableProperties {
public:
    TableProperties() = default;
    // Parses the blob of `size` bytes with the database's text converter.
    TableProperties(MdbHandle* mdb, const unsigned char* blob, std::size_t size);

    // The first block named `column`; no values when the column has none.
    ColumnPropertyValues column(std::string_view column) const;
    // The table's own properties: the first block without a name (its ValidationRule and ValidationText).
    ColumnPropertyValues table() const;

private:
    struct Span {
        std::uint32_t at = 0;
        std::uint32_t size = 0;
    };
    struct Block {
        Span name;
        std::array<Span, columnPropertyCount> values;
        std::uint8_t present = 0; // a bit per property
    };
    Span keep(std::string_view text);
    ColumnPropertyValues valuesOf(const Block& block) const;
    std::string_view text(Span span) const { return std::string_view(texts_).substr(span.at, span.size); }
    Block readBlock(MdbHandle* mdb, const std::vector<int>& names, const unsigned char* chunk,
                    std::size_t size);

    std::string texts_;
    std::vector<Block> blocks_;
};
