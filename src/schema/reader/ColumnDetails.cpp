#include "ColumnDetails.h"

#include <algorithm>
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

std::string property(const ColumnPropertyValues& properties, ColumnProperty name) {
    return std::string(valueOf(properties, name).value_or(std::string_view()));
}

bool isYes(const std::string& value) {
    return g_ascii_strcasecmp(value.c_str(), "yes") == 0;
}

ColumnDetail describeColumn(const RawColumn& column, const ColumnPropertyValues& properties,
                            const ComplexColumns& complexColumns, std::uint32_t tableId) {
    ColumnDetail detail;
    detail.jetType = column.type;
    if (detail.jetType == jetDecimal) {
        detail.precision = column.precision;
        detail.scale = column.scale;
    }
    detail.required = isYes(property(properties, ColumnProperty::Required));
    detail.defaultValue = property(properties, ColumnProperty::DefaultValue);
    detail.description = property(properties, ColumnProperty::Description);
    detail.guidAutoNumber =
        detail.jetType == jetGuid && ((column.flags & autoGuidFlag) != 0 ||
                                      g_ascii_strcasecmp(detail.defaultValue.c_str(), "GenGUID()") == 0);
    detail.calculated = (column.extraFlags & calculatedFlags) != 0;
    if (detail.calculated) {
        detail.expression = property(properties, ColumnProperty::Expression);
        detail.resultType = std::uint32_t(
            std::strtoul(property(properties, ColumnProperty::ResultType).c_str(), nullptr, 10));
        // The engine reports a calculated column as of its result's type, whatever type byte stores it.
        if (detail.resultType != 0)
            detail.jetType = detail.resultType;
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

std::set<std::uint32_t> readComplexStorageTables(MdbHandle* mdb, unsigned long page) {
    std::set<std::uint32_t> tables;
    readRows(mdb, "MSysComplexColumns", page, {"FlatTableID"}, [&](const std::vector<std::string>& values) {
        if (!values[0].empty())
            tables.insert(std::uint32_t(std::strtoul(values[0].c_str(), nullptr, 10)));
    });
    return tables;
}

std::optional<std::vector<ColumnDetail>> describeColumns(const RawTableDefinition& definition,
                                                         const std::vector<Field>& fields,
                                                         const TableProperties& properties,
                                                         const ComplexColumns& complexColumns,
                                                         std::uint32_t tableId) {
    std::vector<ColumnDetail> details;
    details.reserve(fields.size());
    for (const Field& field : fields) {
        const auto column =
            std::find_if(definition.columns.begin(), definition.columns.end(),
                         [&](const RawColumn& candidate) { return candidate.name == field.name; });
        if (column == definition.columns.end())
            return std::nullopt;
        details.push_back(describeColumn(*column, properties.column(column->name), complexColumns, tableId));
    }
    return details;
}
