#include "FieldMapping.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

using namespace readerprotocol;

namespace {

// Jet column type bytes that differ from DAO's codes, and those codes.
constexpr int jetGuid = 0x0F;
constexpr int jetDecimal = 0x10;
constexpr int jetComplex = 0x12;
constexpr int jetBigInt = 0x13;
constexpr std::uint32_t daoGuid = 15;
constexpr std::uint32_t daoBigInt = 16;
constexpr std::uint32_t daoDecimal = 20;
constexpr std::uint32_t daoAttachment = 101;

constexpr std::uint32_t dbFixedField = 1;
constexpr std::uint32_t dbVariableField = 2;
constexpr std::uint32_t dbAutoIncrField = 16;
constexpr std::uint32_t dbUpdatableField = 32;

// The bytes of calculation data a calculated column's stored length holds besides its value.
constexpr int calculationDataSize = 23;

// A calculated column's result type (a column type byte) and the length its value has; nothing for a
// column that is not calculated.
struct Calculation {
    int resultType = 0;
    int size = 0;
};

std::optional<Calculation> calculationOf(const MdbColumn& column, const ColumnPropertyValues& properties,
                                         bool jet3) {
    if (jet3 || !valueOf(properties, ColumnProperty::Expression))
        return std::nullopt;
    Calculation calculation;
    const std::optional<std::string_view> resultType = valueOf(properties, ColumnProperty::ResultType);
    calculation.resultType = resultType ? std::atoi(std::string(*resultType).c_str()) : 0;
    if (calculation.resultType <= 0)
        calculation.resultType = column.col_type;
    calculation.size = std::max(column.col_size - calculationDataSize, 0);
    return calculation;
}

} // namespace

Field engineField(const MdbColumn& column, const ColumnPropertyValues& properties, bool jet3) {
    Field field;
    field.name = column.name;
    const std::optional<Calculation> calculation = calculationOf(column, properties, jet3);
    const int columnType = calculation ? calculation->resultType : column.col_type;
    const int size = calculation ? calculation->size : std::max(column.col_size, 0);
    switch (columnType) {
    case MDB_BOOL:
    case MDB_BYTE:
        field.type = std::uint32_t(columnType);
        field.size = 1;
        break;
    case MDB_INT:
        field.type = MDB_INT;
        field.size = 2;
        break;
    case MDB_LONGINT:
    case MDB_FLOAT:
        field.type = std::uint32_t(columnType);
        field.size = 4;
        break;
    case MDB_MONEY:
    case MDB_DOUBLE:
    case MDB_DATETIME:
        field.type = std::uint32_t(columnType);
        field.size = 8;
        break;
    case MDB_BINARY:
        field.type = MDB_BINARY;
        field.size = std::uint32_t(size);
        break;
    case MDB_TEXT:
        field.type = MDB_TEXT;
        field.size = std::uint32_t(jet3 ? size : size / 2);
        break;
    case MDB_OLE:
    case MDB_MEMO:
        field.type = std::uint32_t(columnType);
        field.size = 0;
        break;
    case jetGuid:
        field.type = daoGuid;
        field.size = 16;
        break;
    case jetDecimal:
        field.type = daoDecimal;
        field.size = 17;
        break;
    case jetBigInt:
        field.type = daoBigInt;
        field.size = 8;
        break;
    case jetComplex:
        field.type = daoAttachment;
        field.size = std::uint32_t(size);
        break;
    default:
        field.type = std::uint32_t(columnType);
        field.size = std::uint32_t(size);
        break;
    }
    field.allowZeroLength = valueOf(properties, ColumnProperty::AllowZeroLength) == "yes";
    field.attributes = (column.is_fixed ? dbFixedField : dbVariableField) | dbUpdatableField;
    if (column.col_type == MDB_LONGINT && column.is_long_auto)
        field.attributes |= dbAutoIncrField;
    return field;
}
