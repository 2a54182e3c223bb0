#include "ComplexColumns.h"

#include "SystemTableRows.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {

// The tables that name each kind of complex column, and the engine's codes for the kinds. Version history
// columns point at tables of their own ("MSysComplexTypeVH_..."), which have no code: they are given 1.
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

constexpr std::uint32_t versionHistoryCode = 1;

std::uint32_t complexCode(const std::string& typeTable) {
    if (typeTable.compare(0, 18, "MSysComplexTypeVH_") == 0)
        return versionHistoryCode;
    for (const auto& [name, code] : complexTypeTables) {
        if (typeTable == name)
            return code;
    }
    return 0;
}

std::uint32_t number(const std::string& text) {
    return std::uint32_t(std::strtoul(text.c_str(), nullptr, 10));
}

} // namespace

ComplexColumns readComplexColumns(MdbHandle* mdb, const CatalogFacts& catalog) {
    ComplexColumns columns;
    const std::optional<unsigned long> page = catalog.pageOf("MSysComplexColumns");
    if (!page)
        return columns;
    readRows(mdb, "MSysComplexColumns", *page,
             {"ConceptualTableID", "ColumnName", "ComplexTypeObjectID", "FlatTableID"},
             [&](const std::vector<std::string>& values) {
                 const auto typeTable = catalog.names.find(number(values[2]));
                 columns.kinds[{number(values[0]), values[1]}] =
                     typeTable == catalog.names.end() ? 0 : complexCode(typeTable->second);
                 if (!values[3].empty()) {
                     columns.storageTables.insert(number(values[3]));
                     columns.flatTables[{number(values[0]), values[1]}] = number(values[3]);
                 }
             });
    return columns;
}

bool hasStorageTableName(const std::string& name) {
    constexpr std::size_t hexDigits = 32;
    if (name.size() != 2 + hexDigits + 5 || name.compare(0, 2, "f_") != 0 ||
        name.compare(2 + hexDigits, 5, "_Data") != 0)
        return false;
    return std::all_of(name.begin() + 2, name.begin() + 2 + hexDigits,
                       [](char c) { return g_ascii_isxdigit(c); });
}
