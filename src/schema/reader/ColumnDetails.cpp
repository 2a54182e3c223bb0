#include "ColumnDetails.h"

#include <array>
#include <cstdlib>
#include <cstring>

using namespace readerprotocol;

namespace {

constexpr unsigned jetGuid = 0x0F;
constexpr unsigned jetDecimal = 0x10;
constexpr unsigned jetComplex = 0x12;

// Column flag of an AutoNumber GUID (ReplicationID), and the extra flags of a calculated column.
constexpr unsigned autoGuidFlag = 0x40;
constexpr unsigned calculatedFlags = 0xC0;

// The tables that name each kind of complex column, and the engine's codes for the kinds. Version history
// columns point at tables of their own ("MSysComplexTypeVH_..."), which have no code.
constexpr std::array<std::pair<const char*, std::uint32_t>, 9> complexTypeTables{{
    {"MSysComplexType_Attachment", 101},
    {"MSysComplexType_UnsignedByte", 102},
    {"MSysComplexType_Short", 103},
    {"MSysComplexType_Long", 104},
    {"MSysComplexType_IEEESingle", 105},
    {"MSysComplexType_IEEEDouble", 106},
    {"MSysComplexType_GUID", 107},
    {"MSysComplexType_Decimal", 108},
    {"MSysComplexType_Text", 109},
}};

std::uint32_t complexCode(const std::string& typeTable) {
    for (const auto& [name, code] : complexTypeTables) {
        if (typeTable == name)
            return code;
    }
    return 0;
}

std::string property(const MdbColumn& column, const char* name) {
    const char* value = mdb_col_get_prop(&column, name);
    return value ? std::string(value) : std::string();
}

bool isYes(const std::string& value) {
    return g_ascii_strcasecmp(value.c_str(), "yes") == 0;
}

const RawColumn* rawColumn(const RawTableDefinition* raw, const MdbColumn& column) {
    if (!raw)
        return nullptr;
    // libmdb keeps only the low byte of the column number.
    for (const RawColumn& candidate : raw->columns) {
        if (int(candidate.columnNumber & 0xFFu) == column.col_num)
            return &candidate;
    }
    return nullptr;
}

ColumnDetail describeColumn(const MdbColumn& column, const RawColumn* raw,
                            const ComplexColumns& complexColumns, std::uint32_t tableId) {
    ColumnDetail detail;
    detail.jetType = std::uint32_t(column.col_type) & 0xFFu;
    if (detail.jetType == jetDecimal && raw) {
        detail.precision = raw->precision;
        detail.scale = raw->scale;
    }
    detail.required = isYes(property(column, "Required"));
    detail.defaultValue = property(column, "DefaultValue");
    detail.description = property(column, "Description");
    detail.guidAutoNumber =
        detail.jetType == jetGuid && (column.is_uuid_auto || (raw && (raw->flags & autoGuidFlag) != 0) ||
                                      g_ascii_strcasecmp(detail.defaultValue.c_str(), "GenGUID()") == 0);
    const std::string expression = property(column, "Expression");
    detail.calculated = raw ? (raw->extraFlags & calculatedFlags) != 0 : !expression.empty();
    if (detail.calculated) {
        detail.expression = expression;
        detail.resultType = std::uint32_t(std::strtoul(property(column, "ResultType").c_str(), nullptr, 10));
    }
    if (detail.jetType == jetComplex) {
        const auto found = complexColumns.find({tableId, column.name});
        if (found != complexColumns.end())
            detail.complexType = found->second;
    }
    return detail;
}

} // namespace

ComplexColumns readComplexColumns(MdbHandle* mdb, const CatalogFacts& catalog) {
    ComplexColumns columns;
    const std::optional<unsigned long> page = catalog.pageOf("MSysComplexColumns");
    if (!page) // Jet 3 and Jet 4 files have no complex columns
        return columns;
    readRows(mdb, "MSysComplexColumns", *page, {"ConceptualTableID", "ColumnName", "ComplexTypeObjectID"},
             [&](const std::vector<std::string>& values) {
                 const auto table = std::uint32_t(std::strtoul(values[0].c_str(), nullptr, 10));
                 const auto typeTable =
                     catalog.names.find(std::uint32_t(std::strtoul(values[2].c_str(), nullptr, 10)));
                 columns[{table, values[1]}] =
                     typeTable == catalog.names.end() ? 0 : complexCode(typeTable->second);
             });
    return columns;
}

std::vector<ColumnDetail> describeColumns(const MdbTableDef& definition, const RawTableDefinition* raw,
                                          const ComplexColumns& complexColumns, std::uint32_t tableId) {
    std::vector<ColumnDetail> details;
    if (!definition.columns)
        return details;
    details.reserve(definition.columns->len);
    for (guint i = 0; i < definition.columns->len; ++i) {
        const auto& column = *static_cast<const MdbColumn*>(g_ptr_array_index(definition.columns, i));
        details.push_back(describeColumn(column, rawColumn(raw, column), complexColumns, tableId));
    }
    return details;
}
