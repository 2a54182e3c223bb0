#include "MdbSchema.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<MdbColumnType, const char*>, 16> typeNames{{
    {MdbColumnType::YesNo, "Yes/No"},
    {MdbColumnType::Byte, "Byte"},
    {MdbColumnType::Integer, "Integer"},
    {MdbColumnType::Long, "Long"},
    {MdbColumnType::Currency, "Currency"},
    {MdbColumnType::Single, "Single"},
    {MdbColumnType::Double, "Double"},
    {MdbColumnType::DateTime, "Date/Time"},
    {MdbColumnType::Binary, "Binary"},
    {MdbColumnType::Text, "Text"},
    {MdbColumnType::OleObject, "OLE Object"},
    {MdbColumnType::Memo, "Memo"},
    {MdbColumnType::Guid, "GUID"},
    {MdbColumnType::Decimal, "Decimal"},
    {MdbColumnType::DateTimeExtended, "Date/Time Extended"},
    {MdbColumnType::Unknown, "Unknown"},
}};

} // namespace

std::optional<MdbColumnType> mdbColumnTypeFromName(const std::string& name) {
    for (const auto& [type, text] : typeNames)
        if (name == text)
            return type;
    return std::nullopt;
}

std::string mdbColumnTypeName(MdbColumnType type) {
    for (const auto& [t, text] : typeNames)
        if (t == type)
            return text;
    return {};
}
