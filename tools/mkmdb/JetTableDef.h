#pragma once
// The table definition (TDEF) of a Jet 4 table: the header, column and index descriptors and their
// names, as one logical block that is then cut into pages of the table's definition chain.

#include "JetBytes.h"

#include <cstdint>
#include <vector>

namespace jet {

constexpr std::size_t pageSize = 4096;
using Page = std::vector<std::uint8_t>; // always pageSize bytes

// Column type codes as the file stores them.
enum ColumnCode : std::uint8_t {
    CodeBoolean = 0x01,
    CodeByte = 0x02,
    CodeInteger = 0x03,
    CodeLong = 0x04,
    CodeCurrency = 0x05,
    CodeSingle = 0x06,
    CodeDouble = 0x07,
    CodeDateTime = 0x08,
    CodeBinary = 0x09,
    CodeText = 0x0A,
    CodeOle = 0x0B,
    CodeMemo = 0x0C,
    CodeGuid = 0x0F,
    CodeNumeric = 0x10,
    CodeDateTimeExtended = 0x14,
};

// Column descriptor flags.
constexpr std::uint8_t columnFixed = 0x01;
constexpr std::uint8_t columnUpdatable =
    0x02; // set on every column that can be written; "Required" is a property
constexpr std::uint8_t columnAutoLong = 0x04;
constexpr std::uint8_t columnSystem = 0x10; // seen on the columns of Access's own system tables
constexpr std::uint8_t columnAutoGuid = 0x40;
// The second flag byte: both bits mark a calculated column, as Access 2010 writes it.
constexpr std::uint8_t columnCalculated = 0xC0;
// The stored length of a calculated column holds this many bytes of calculation data besides the value;
// Access gives every calculated column of a fixed-size result the same length, room for the widest value.
constexpr std::uint16_t calculationDataSize = 23;
constexpr std::uint16_t calculatedFixedLength = calculationDataSize + 16;

// Index flags of the physical index entry.
constexpr std::uint8_t indexUnique = 0x01;
constexpr std::uint8_t indexIgnoreNulls = 0x02;
constexpr std::uint8_t indexRequired = 0x08;
constexpr std::uint8_t indexAlwaysSet = 0x80;

struct Column {
    Bytes name; // UCS-2
    std::uint8_t code = CodeText;
    std::uint16_t length = 0; // bytes
    std::uint8_t flags = columnUpdatable;
    std::uint8_t extraFlags = 0;
    std::uint8_t precision = 0;
    std::uint8_t scale = 0;
    bool deleted = false; // keeps its number and its room in the rows; the definition leaves it out
    bool fixed() const { return flags & columnFixed; }
    bool longValue() const { return code == CodeOle || code == CodeMemo; }
};

struct Index {
    Bytes name; // UCS-2
    std::vector<std::uint16_t> columns;
    std::vector<bool> descending; // per column; columns past its end are ascending
    bool primary = false;
    bool unique = false;
    bool ignoreNulls = false;
    bool required = false;
    bool foreignKey = false;
};

struct Table {
    Bytes name; // UCS-2
    bool system = false;
    std::vector<Column> columns;
    std::vector<Index> indexes;
    std::uint32_t rowCount = 0;
    std::uint32_t nextAutoNumber = 0; // past every AutoNumber value the rows hold
};

// Where the table's usage maps and index root pages live, as page/row pointers (page << 8 | row).
struct TablePlacement {
    std::uint32_t usedPagesMap = 0;
    std::uint32_t freePagesMap = 0;
    std::vector<std::uint32_t> longValueUsedMaps; // one per long-value column, in column order
    std::vector<std::uint32_t> longValueFreeMaps;
    std::vector<std::uint32_t> indexMaps; // one per index
    std::vector<std::uint32_t> indexRootPages;
};

std::size_t longValueColumnCount(const Table& table);
// The fixed-area offset of each column (0 for variable and Yes/No columns) and each variable
// column's slot, the same numbers the rows are written with.
std::vector<std::uint16_t> fixedOffsets(const Table& table);
std::vector<std::uint16_t> variableSlots(const Table& table);

// The whole definition block; its first 8 bytes are the page header of the first page.
Bytes encodeTableDef(const Table& table, const TablePlacement& placement);
// How many pages the definition takes.
std::size_t tableDefPageCount(const Table& table);
// The definition cut into pages, each linked to the next of `pages`.
std::vector<Page> tableDefPages(const Bytes& definition, const std::vector<std::uint32_t>& pages);

} // namespace jet
