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
// Readers take a long value's length from three bytes.
constexpr std::size_t maxLongValueBytes = 0xFFFFFF;

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

template <typename T> bool holds(const MdbValue& v) {
    return std::holds_alternative<T>(v);
}

bool integerIn(const MdbValue& v, std::int64_t low, std::int64_t high) {
    return holds<std::int64_t>(v) && std::get<std::int64_t>(v) >= low && std::get<std::int64_t>(v) <= high;
}

// Why a value does not fit its column, or nothing when it does.
std::optional<std::string> valueProblem(const MdbColumn& c, const MdbValue& v) {
    using T = MdbColumnType;
    if (c.expression)
        return std::string("a calculated column's value is not stored; the row gives NULL");
    const auto text = [&](std::size_t maxUnits) -> std::optional<std::string> {
        if (!holds<std::string>(v))
            return std::string("takes text");
        const int units = ucs2Length(std::get<std::string>(v));
        if (units < 0)
            return std::string("the text is not valid UTF-8");
        if (std::size_t(units) > maxUnits)
            return "the text is longer than " + std::to_string(maxUnits) + " characters";
        // Readers take a text whose first two bytes are FF FE for compressed, whatever follows.
        if (std::get<std::string>(v).starts_with("\xEF\xBB\xBF"))
            return std::string("a text cannot start with U+FEFF");
        return std::nullopt;
    };
    const auto bytes = [&](std::size_t max) -> std::optional<std::string> {
        if (!holds<MdbBytes>(v))
            return std::string("takes bytes");
        if (std::get<MdbBytes>(v).size() > max)
            return "the value is longer than " + std::to_string(max) + " bytes";
        return std::nullopt;
    };
    switch (c.type) {
    case T::YesNo:
        return holds<bool>(v) ? std::nullopt : std::optional<std::string>("takes true or false");
    case T::Byte:
        return integerIn(v, 0, 255) ? std::nullopt
                                    : std::optional<std::string>("takes a whole number 0 to 255");
    case T::Integer:
        return integerIn(v, -32768, 32767)
                   ? std::nullopt
                   : std::optional<std::string>("takes a whole number -32768 to 32767");
    case T::Long:
        return integerIn(v, -2147483648LL, 2147483647LL)
                   ? std::nullopt
                   : std::optional<std::string>("takes a whole number -2147483648 to 2147483647");
    case T::Currency:
        return holds<MdbCurrency>(v) ? std::nullopt : std::optional<std::string>("takes a Currency amount");
    case T::Single:
        return holds<float>(v) ? std::nullopt : std::optional<std::string>("takes a Single (float)");
    case T::Double:
    case T::DateTime:
        return holds<double>(v) ? std::nullopt : std::optional<std::string>("takes a Double");
    case T::Guid:
        return holds<MdbGuid>(v) ? std::nullopt : std::optional<std::string>("takes a GUID");
    case T::Decimal: {
        if (!holds<MdbDecimal>(v))
            return std::string("takes a Decimal");
        const auto scaled = mdbDecimalAtScale(std::get<MdbDecimal>(v), c.scale);
        if (!scaled || mdbDecimalDigits(*scaled) > c.precision)
            return "the value has more digits than precision " + std::to_string(c.precision) + " and scale " +
                   std::to_string(c.scale) + " hold";
        return std::nullopt;
    }
    case T::DateTimeExtended:
        return holds<std::string>(v) && std::get<std::string>(v).size() == 42
                   ? std::nullopt
                   : std::optional<std::string>("takes the 42 characters of a stored Date/Time Extended");
    case T::Text:
        return text(std::size_t(c.length > 0 ? c.length : 50));
    case T::Memo:
        return text(maxLongValueBytes / 2);
    case T::Binary:
    case T::Unknown:
        return bytes(std::size_t(c.length > 0 ? c.length : 255));
    case T::OleObject:
        return bytes(maxLongValueBytes);
    }
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
    std::set<std::string> names;
    std::set<std::string> columns; // those the definition describes
    bool added = false;
    for (const auto& c : t.columns) {
        if (auto p = columnProblem(where, c))
            return p;
        if (!names.insert(folded(c.name)).second)
            return where + " has two columns named \"" + c.name + "\"";
        if (!c.deleted)
            columns.insert(folded(c.name));
        // A deleted column's long values would need usage maps the definition no longer points to.
        if (c.deleted &&
            (c.expression || c.type == MdbColumnType::Memo || c.type == MdbColumnType::OleObject))
            return where + ", column \"" + c.name +
                   "\": a Memo, OLE Object or calculated column is not deleted";
        if (added && !c.added)
            return where + ", column \"" + c.name + "\": added columns come after every other";
        added = added || c.added;
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
    for (std::size_t r = 0; r < t.rows.size(); ++r)
        if (auto p = rowProblem(t, r, t.rows[r]))
            return p;
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
                       [&](const MdbColumn& c) { return !c.deleted && folded(c.name) == folded(name); });
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
    // Queries share the names of tables.
    for (const auto& q : schema.queries) {
        if (q.name.empty())
            return std::string("a query without a name");
        if (!tables.insert(folded(q.name)).second)
            return "the name of query \"" + q.name + "\" is taken";
    }
    return std::nullopt;
}

std::optional<std::string> rowProblem(const MdbTable& t, std::size_t number, const MdbRow& row) {
    const std::string at = "table \"" + t.name + "\", row " + std::to_string(number + 1);
    if (row.size() != t.columns.size())
        return at + ": " + std::to_string(row.size()) + " values for " + std::to_string(t.columns.size()) +
               " columns";
    for (std::size_t i = 0; i < row.size(); ++i) {
        const auto& c = t.columns[i];
        // Jet keeps a Yes/No value in the null mask, which leaves no room for NULL.
        if (!row[i] && c.type == MdbColumnType::YesNo && !c.expression)
            return at + ", column \"" + c.name + "\": a Yes/No value cannot be NULL";
        if (!row[i])
            continue;
        if (auto p = valueProblem(c, *row[i]))
            return at + ", column \"" + c.name + "\": " + *p;
    }
    return std::nullopt;
}
