#include "MdbSchemaCheck.h"

#include "JetBytes.h"
#include "JetSystemTables.h"

#include <algorithm>
#include <cctype>
#include <set>

namespace {

constexpr int maxNameLength = 64;
constexpr std::size_t maxColumns = 255;
constexpr std::size_t maxIndexes = 32;
constexpr std::size_t maxIndexColumns = 10;

// Jet compares names without regard to letter case; ASCII folding is enough to catch clashes
// in the descriptions this tool is given.
std::string folded(const std::string& s) {
    std::string out = s;
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return out;
}

// The type bytes that mean something to Jet, ACE or Access's own system tables: 0x0D and 0x11 are the
// OLE and binary variants of those tables, 0x12 to 0x14 ACE's complex, large number and extended date
// types. An Unknown column takes none of these.
bool knownTypeByte(int code) {
    return code <= 0x0D || (code >= 0x0F && code <= 0x14);
}

// The results Access 2010 offers a calculated column, less Memo, whose layout differs.
bool calculable(MdbColumnType type) {
    using T = MdbColumnType;
    for (T t : {T::YesNo, T::Integer, T::Long, T::Currency, T::Single, T::Double, T::DateTime, T::Guid,
                T::Decimal, T::Text})
        if (type == t)
            return true;
    return false;
}

std::optional<std::string> nameProblem(const std::string& what, const std::string& name) {
    const int length = ucs2Length(name);
    if (length < 0)
        return what + " name is not valid UTF-8";
    if (length == 0)
        return what + " has an empty name";
    if (length > maxNameLength)
        return what + " \"" + name + "\" is longer than 64 characters";
    return std::nullopt;
}

std::optional<std::string> columnProblem(const std::string& where, const MdbColumn& c) {
    if (auto p = nameProblem(where + ": a column", c.name))
        return p;
    const std::string at = where + ", column \"" + c.name + "\"";
    if (c.autoNumber && c.type != MdbColumnType::Long && c.type != MdbColumnType::Guid)
        return at + ": AutoNumber needs the type Long or GUID";
    if (c.type == MdbColumnType::Text && (c.length < 0 || c.length > 255))
        return at + ": a Text length must be 1 to 255 characters";
    if (c.type == MdbColumnType::Binary && (c.length < 0 || c.length > 510))
        return at + ": a Binary length must be 1 to 510 bytes";
    if (c.type == MdbColumnType::Decimal &&
        (c.precision < 1 || c.precision > 28 || c.scale < 0 || c.scale > c.precision))
        return at + ": a Decimal needs a precision of 1 to 28 and a scale from 0 to the precision";
    if (c.type == MdbColumnType::Unknown &&
        (c.typeByte < 0 || c.typeByte > 0xFF || knownTypeByte(c.typeByte)))
        return at + ": an Unknown column needs a type byte that no Jet or ACE type uses";
    if (c.type == MdbColumnType::Unknown && (c.length < 0 || c.length > 510))
        return at + ": an Unknown length must be 1 to 510 bytes";
    if (c.expression && c.expression->empty())
        return at + ": a calculated column needs an expression";
    if (c.expression && (c.autoNumber || !calculable(c.type)))
        return at + ": a calculated column's result is Yes/No, Integer, Long, Currency, Single, Double, "
                    "Date/Time, GUID, Decimal or Text";
    return std::nullopt;
}

std::optional<std::string> tableProblem(const MdbTable& t) {
    if (auto p = nameProblem("a table", t.name))
        return p;
    const std::string where = "table \"" + t.name + "\"";
    if (t.columns.empty())
        return where + " has no columns";
    if (t.columns.size() > maxColumns)
        return where + " has more than 255 columns";
    std::set<std::string> columns;
    for (const auto& c : t.columns) {
        if (auto p = columnProblem(where, c))
            return p;
        if (!columns.insert(folded(c.name)).second)
            return where + " has two columns named \"" + c.name + "\"";
    }
    if (t.indexes.size() > maxIndexes)
        return where + " has more than 32 indexes";
    std::set<std::string> indexes;
    int primaries = 0;
    for (const auto& ix : t.indexes) {
        if (auto p = nameProblem(where + ": an index", ix.name))
            return p;
        if (!indexes.insert(folded(ix.name)).second)
            return where + " has two indexes named \"" + ix.name + "\"";
        if (ix.columns.empty() || ix.columns.size() > maxIndexColumns)
            return where + ", index \"" + ix.name + "\": an index has 1 to 10 columns";
        if (ix.descending.size() > ix.columns.size())
            return where + ", index \"" + ix.name + "\": more sort orders than columns";
        for (const auto& name : ix.columns)
            if (!columns.count(folded(name)))
                return where + ", index \"" + ix.name + "\": no column named \"" + name + "\"";
        primaries += ix.primary ? 1 : 0;
    }
    if (primaries > 1)
        return where + " has more than one primary key";
    return std::nullopt;
}

const MdbTable* findTable(const MdbSchema& schema, const std::string& name) {
    for (const auto& t : schema.tables)
        if (folded(t.name) == folded(name))
            return &t;
    return nullptr;
}

bool hasColumn(const MdbTable& t, const std::string& name) {
    return std::any_of(t.columns.begin(), t.columns.end(),
                       [&](const MdbColumn& c) { return folded(c.name) == folded(name); });
}

std::optional<std::string> relationshipProblem(const MdbSchema& schema, const MdbRelationship& r) {
    if (auto p = nameProblem("a relationship", r.name))
        return p;
    const std::string where = "relationship \"" + r.name + "\"";
    if (r.columns.empty() || r.columns.size() > maxIndexColumns ||
        r.columns.size() != r.referencedColumns.size())
        return where + ": a relationship pairs 1 to 10 columns with as many referenced columns";
    for (const auto& [tableName, names] :
         {std::pair{r.table, r.columns}, {r.referencedTable, r.referencedColumns}}) {
        const MdbTable* t = findTable(schema, tableName);
        if (!t)
            return where + ": no table named \"" + tableName + "\"";
        for (const auto& name : names)
            if (!hasColumn(*t, name))
                return where + ": table \"" + tableName + "\" has no column named \"" + name + "\"";
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> schemaProblem(const MdbSchema& schema) {
    // The catalog already holds these; a second table of the same name would hide one of them.
    std::set<std::string> tables;
    for (const char* name : jet::systemTableNames)
        tables.insert(folded(name));
    for (const auto& t : schema.tables) {
        if (auto p = tableProblem(t))
            return p;
        if (!tables.insert(folded(t.name)).second)
            return "the name of table \"" + t.name + "\" is taken";
    }
    std::set<std::string> relationships;
    for (const auto& r : schema.relationships) {
        if (auto p = relationshipProblem(schema, r))
            return p;
        if (!relationships.insert(folded(r.name)).second)
            return "two relationships are named \"" + r.name + "\"";
    }
    return std::nullopt;
}
