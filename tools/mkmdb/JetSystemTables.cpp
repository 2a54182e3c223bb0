#include "JetSystemTables.h"

#include <string>
#include <utility>

namespace jet {

namespace {

Bytes ucs2(const std::string& s) {
    return toUcs2(s).value_or(Bytes{});
}

struct ColumnSpec {
    const char* name;
    std::uint8_t code;
    std::uint16_t length;
    std::uint8_t flags;
};

Table systemTable(const char* name, std::initializer_list<ColumnSpec> columns,
                  std::initializer_list<std::pair<const char*, std::vector<std::uint16_t>>> indexes,
                  bool primaryFirst = false) {
    Table t;
    t.name = ucs2(name);
    t.system = true;
    for (const auto& c : columns) {
        Column col;
        col.name = ucs2(c.name);
        col.code = c.code;
        col.length = c.length;
        col.flags = c.flags;
        t.columns.push_back(col);
    }
    for (const auto& [ixName, cols] : indexes) {
        Index ix;
        ix.name = ucs2(ixName);
        ix.columns = cols;
        ix.primary = primaryFirst && t.indexes.empty();
        t.indexes.push_back(ix);
    }
    return t;
}

} // namespace

std::vector<Table> systemTables() {
    constexpr std::uint8_t F = columnFixed | columnUpdatable | columnSystem;
    constexpr std::uint8_t V = columnUpdatable | columnSystem;
    constexpr std::uint8_t Sid = V | 0x20;
    return {
        systemTable(systemTableNames[0],
                    {{"Id", CodeLong, 4, F},
                     {"ParentId", CodeLong, 4, F},
                     {"Name", CodeText, 510, V},
                     {"Type", CodeInteger, 2, F},
                     {"DateCreate", CodeDateTime, 8, F},
                     {"DateUpdate", CodeDateTime, 8, F},
                     {"Owner", CodeBinary, 510, Sid},
                     {"Flags", CodeLong, 4, F},
                     {"Database", CodeMemo, 0, V},
                     {"Connect", CodeMemo, 0, V},
                     {"ForeignName", CodeText, 510, V},
                     {"RmtInfoShort", CodeBinary, 510, V},
                     {"RmtInfoLong", CodeOle, 0, V},
                     {"Lv", CodeOle, 0, V},
                     {"LvProp", CodeOle, 0, V},
                     {"LvModule", CodeOle, 0, V},
                     {"LvExtra", CodeOle, 0, V}},
                    {}),
        systemTable(systemTableNames[1],
                    {{"ObjectId", CodeLong, 4, F},
                     {"SID", CodeBinary, 510, Sid},
                     {"ACM", CodeLong, 4, F},
                     {"FInheritable", CodeBoolean, 1, F}},
                    {{"ObjectId", {0}}}),
        systemTable(systemTableNames[2],
                    {{"ObjectId", CodeLong, 4, F},
                     {"Attribute", CodeByte, 1, F},
                     {"Order", CodeBinary, 510, V},
                     {"Name1", CodeText, 510, V},
                     {"Name2", CodeText, 510, V},
                     {"Expression", CodeMemo, 0, V},
                     {"Flag", CodeInteger, 2, F},
                     {"LvExtra", CodeLong, 4, F}},
                    {{"ObjectIdAttribute", {0, 1, 2}}}, true),
        systemTable(systemTableNames[3],
                    {{"szRelationship", CodeText, 510, V},
                     {"grbit", CodeLong, 4, F},
                     {"ccolumn", CodeLong, 4, F},
                     {"icolumn", CodeLong, 4, F},
                     {"szObject", CodeText, 510, V},
                     {"szColumn", CodeText, 510, V},
                     {"szReferencedObject", CodeText, 510, V},
                     {"szReferencedColumn", CodeText, 510, V}},
                    {{"szObject", {4}}, {"szReferencedObject", {6}}, {"szRelationship", {0}}}),
    };
}

} // namespace jet
