#include "MdbQueries.h"

#include <array>
#include <utility>

namespace {

struct KindFacts {
    MdbQueryKind kind;
    const char* name;
    std::uint32_t objectFlags;
    int value;
};

constexpr std::array<KindFacts, 9> kinds{{
    {MdbQueryKind::Select, "Select", 0, 1},
    {MdbQueryKind::MakeTable, "MakeTable", 80, 2},
    {MdbQueryKind::Append, "Append", 64, 3},
    {MdbQueryKind::Update, "Update", 48, 4},
    {MdbQueryKind::Delete, "Delete", 32, 5},
    {MdbQueryKind::CrossTab, "CrossTab", 16, 6},
    {MdbQueryKind::DataDefinition, "DataDefinition", 96, 7},
    {MdbQueryKind::PassThrough, "PassThrough", 112, 8},
    {MdbQueryKind::Union, "Union", 128, 9},
}};

const KindFacts& factsOf(MdbQueryKind kind) {
    for (const KindFacts& facts : kinds)
        if (facts.kind == kind)
            return facts;
    return kinds[0];
}

constexpr std::array<std::pair<const char*, int>, 14> parameterTypes{{
    {"Value", 0},
    {"Bit", 1},
    {"Byte", 2},
    {"Short", 3},
    {"Long", 4},
    {"Currency", 5},
    {"IEEESingle", 6},
    {"IEEEDouble", 7},
    {"DateTime", 8},
    {"Binary", 9},
    {"Text", 10},
    {"LongBinary", 11},
    {"LongText", 12},
    {"Guid", 15},
}};

enum Attribute : int {
    StartRow = 0,
    KindRow = 1,
    ParameterRow = 2,
    FlagRow = 3,
    TableRow = 5,
    ColumnRow = 6,
    JoinRow = 7,
    WhereRow = 8,
    GroupByRow = 9,
    HavingRow = 10,
    OrderByRow = 11,
    EndRow = 255,
};

constexpr int appendValue = -32768; // 0x8000 in the signed Flag
constexpr int crossTabPivot = 0x01;
constexpr int crossTabRowHeading = 0x02;

MdbQueryRow row(int attribute) {
    MdbQueryRow r;
    r.attribute = attribute;
    return r;
}

} // namespace

std::optional<MdbQueryKind> mdbQueryKindFromName(const std::string& name) {
    for (const KindFacts& facts : kinds)
        if (name == facts.name)
            return facts.kind;
    return std::nullopt;
}

std::uint32_t mdbQueryObjectFlags(MdbQueryKind kind) {
    return factsOf(kind).objectFlags;
}

int mdbQueryKindValue(MdbQueryKind kind) {
    return factsOf(kind).value;
}

std::optional<MdbQuery> mdbQuery(const MdbQueryDescription& d, std::string* error) {
    const auto fail = [&](std::string why) -> std::optional<MdbQuery> {
        if (error)
            *error = "query \"" + d.name + "\": " + why;
        return std::nullopt;
    };
    MdbQuery query{d.name, d.kind, d.hidden, {}};
    auto& rows = query.rows;
    rows.push_back(row(StartRow));

    MdbQueryRow kindRow = row(KindRow);
    kindRow.flag = mdbQueryKindValue(d.kind);
    if (d.kind == MdbQueryKind::MakeTable || d.kind == MdbQueryKind::Append) {
        kindRow.name1 = d.target;
        kindRow.name2 = d.targetDatabase;
    }
    if (d.kind == MdbQueryKind::DataDefinition || d.kind == MdbQueryKind::PassThrough) {
        kindRow.expression = d.sql;
        kindRow.name1 = d.connect;
    }
    rows.push_back(kindRow);

    for (const MdbQueryParameter& p : d.parameters) {
        MdbQueryRow r = row(ParameterRow);
        r.name1 = p.name;
        for (const auto& [name, code] : parameterTypes)
            if (p.type == name)
                r.flag = code;
        if (!r.flag)
            return fail("the parameter type \"" + p.type + "\" is none PARAMETERS names");
        if (p.size > 0)
            r.extra = p.size;
        rows.push_back(r);
    }

    int selectFlags = (d.star ? 0x01 : 0) | (d.distinct ? 0x02 : 0) | (d.ownerAccess ? 0x04 : 0) |
                      (d.distinctRow ? 0x08 : 0) | (d.top ? 0x10 : 0) | (d.percent ? 0x20 : 0);
    if (d.kind == MdbQueryKind::Union && !d.unionAll)
        selectFlags |= 0x02;
    if (selectFlags != 0) {
        MdbQueryRow r = row(FlagRow);
        r.flag = selectFlags;
        r.name1 = d.top;
        rows.push_back(r);
    }

    if (d.kind == MdbQueryKind::Union) {
        if (d.unionParts.size() != 2)
            return fail("a union takes two parts");
        for (std::size_t i = 0; i < 2; ++i) {
            MdbQueryRow r = row(TableRow);
            r.expression = d.unionParts[i];
            r.name2 = i == 0 ? "X7YZ_____1" : "X7YZ_____2";
            rows.push_back(r);
        }
    }
    for (const MdbQueryTable& t : d.tables) {
        MdbQueryRow r = row(TableRow);
        r.expression = t.database;
        r.name1 = t.name;
        r.name2 = t.alias;
        rows.push_back(r);
    }
    for (const MdbQueryColumn& c : d.columns) {
        MdbQueryRow r = row(ColumnRow);
        r.expression = c.expression;
        r.name1 = c.alias;
        r.name2 = c.column;
        if (c.value)
            r.flag = appendValue;
        if (d.kind == MdbQueryKind::CrossTab)
            r.flag = c.pivot ? crossTabPivot : c.transform ? 0 : crossTabRowHeading;
        rows.push_back(r);
    }
    for (const MdbQueryJoin& j : d.joins) {
        MdbQueryRow r = row(JoinRow);
        r.name1 = j.left;
        r.name2 = j.right;
        r.expression = j.on;
        r.flag = j.type;
        rows.push_back(r);
    }
    if (d.where) {
        MdbQueryRow r = row(WhereRow);
        r.expression = d.where;
        rows.push_back(r);
    }
    for (const std::string& g : d.groupBy) {
        MdbQueryRow r = row(GroupByRow);
        r.expression = g;
        if (d.kind == MdbQueryKind::CrossTab)
            r.flag = crossTabRowHeading;
        rows.push_back(r);
    }
    if (d.having) {
        MdbQueryRow r = row(HavingRow);
        r.expression = d.having;
        rows.push_back(r);
    }
    for (const MdbQueryOrder& o : d.orderBy) {
        MdbQueryRow r = row(OrderByRow);
        r.expression = o.expression;
        if (o.descending)
            r.name1 = "D";
        rows.push_back(r);
    }
    rows.push_back(row(EndRow));
    return query;
}
