#include "ColumnDetails.h"

#include <algorithm>
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
    detail.validationRule = property(properties, ColumnProperty::ValidationRule);
    detail.validationText = property(properties, ColumnProperty::ValidationText);
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
        const auto found = complexColumns.kinds.find({tableId, column.name});
        if (found != complexColumns.kinds.end())
            detail.complexType = found->second;
    }
    return detail;
}

} // namespace

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
