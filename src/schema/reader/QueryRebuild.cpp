#include "QueryRebuild.h"

#include <array>
#include <cctype>
#include <cstddef>
#include <map>
#include <utility>

using namespace readerprotocol;

namespace {

enum Attribute : int {
    KindRow = 1,
    ParameterRow = 2,
    FlagRow = 3,
    RemoteDatabaseRow = 4,
    TableRow = 5,
    ColumnRow = 6,
    JoinRow = 7,
    WhereRow = 8,
    GroupByRow = 9,
    HavingRow = 10,
    OrderByRow = 11,
    AttributeCount = 12,
};

// The select flags (attribute 3).
constexpr int selectStar = 0x01;
constexpr int selectDistinct = 0x02;
constexpr int ownerAccess = 0x04;
constexpr int selectDistinctRow = 0x08;
constexpr int selectTop = 0x10;
constexpr int selectPercent = 0x20;
constexpr int unionWithoutAll = 0x02;
// Column rows.
constexpr int appendValue = 0x8000;
constexpr int crossTabPivot = 0x01;
constexpr int crossTabRowHeading = 0x02;
// The Text type of a parameter, whose LvExtra is its size.
constexpr int textParameter = 10;

constexpr std::uint32_t kindFlagMask = 0xF0;
constexpr std::uint32_t hiddenFlag = 0x08;

constexpr const char* newline = "\n";
constexpr const char* unionPart1 = "X7YZ_____1";
constexpr const char* unionPart2 = "X7YZ_____2";

using Rows = std::vector<const QueryRow*>;

struct KindFacts {
    StoredQueryKind kind;
    std::uint32_t objectFlag; // MSysObjects Flags & 0xF0
    int rowValue;             // the Flag of the kind row
};

constexpr std::array<KindFacts, 9> kinds{{
    {StoredQueryKind::Select, 0, 1},
    {StoredQueryKind::MakeTable, 80, 2},
    {StoredQueryKind::Append, 64, 3},
    {StoredQueryKind::Update, 48, 4},
    {StoredQueryKind::Delete, 32, 5},
    {StoredQueryKind::CrossTab, 16, 6},
    {StoredQueryKind::DataDefinition, 96, 7},
    {StoredQueryKind::PassThrough, 112, 8},
    {StoredQueryKind::Union, 128, 9},
}};

const KindFacts* kindOfObjectFlag(std::uint32_t flag) {
    for (const KindFacts& facts : kinds)
        if (facts.objectFlag == flag)
            return &facts;
    return nullptr;
}

const KindFacts* kindOfRowValue(int value) {
    for (const KindFacts& facts : kinds)
        if (facts.rowValue == value)
            return &facts;
    return nullptr;
}

const char* parameterTypeName(int type) {
    switch (type) {
    case 0:
        return "Value";
    case 1:
        return "Bit";
    case 2:
        return "Byte";
    case 3:
        return "Short";
    case 4:
        return "Long";
    case 5:
        return "Currency";
    case 6:
        return "IEEESingle";
    case 7:
        return "IEEEDouble";
    case 8:
        return "DateTime";
    case 9:
        return "Binary";
    case 10:
        return "Text";
    case 11:
        return "LongBinary";
    case 12:
        return "LongText";
    case 15:
        return "Guid";
    }
    return nullptr;
}

const char* joinTypeText(int type) {
    switch (type) {
    case 1:
        return " INNER JOIN ";
    case 2:
        return " LEFT JOIN ";
    case 3:
        return " RIGHT JOIN ";
    }
    return nullptr;
}

bool hasFlag(const QueryRow* row, int mask) {
    return row && (row->flag.value_or(0) & mask) != 0;
}

std::string joined(const std::vector<std::string>& items, const char* separator = ", ") {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            text += separator;
        text += items[i];
    }
    return text;
}

bool sameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

bool isWordCharacter(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 0x80 && (std::isalnum(u) || c == '_');
}

bool isBracketed(const std::string& text) {
    return text.size() >= 2 && text.front() == '[' && text.back() == ']';
}

std::string bracketed(const std::string& text) {
    return isBracketed(text) ? text : "[" + text + "]";
}

// A name in brackets where it holds anything but letters, digits and "_"; an identifier part by part
// between its dots.
std::string quotedWhereNeeded(const std::string& name, bool identifier) {
    std::vector<std::string> parts;
    if (identifier) {
        std::size_t start = 0;
        for (std::size_t dot; (dot = name.find('.', start)) != std::string::npos; start = dot + 1)
            parts.push_back(name.substr(start, dot - start));
        parts.push_back(name.substr(start));
        // A name ending in dots has no empty parts after its last name.
        while (parts.size() > 1 && parts.back().empty())
            parts.pop_back();
    } else {
        parts.push_back(name);
    }
    std::string text;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            text += '.';
        bool plain = true;
        for (char c : parts[i])
            plain = plain && isWordCharacter(c);
        text += plain ? parts[i] : bracketed(parts[i]);
    }
    return text;
}

std::string alias(const std::optional<std::string>& name) {
    return name ? " AS " + quotedWhereNeeded(*name, false) : std::string();
}

std::string otherDatabase(const std::optional<std::string>& path, const std::optional<std::string>& type) {
    if (!path && !type)
        return {};
    std::string text = " IN '" + path.value_or(std::string()) + "'";
    if (type)
        text += " [" + *type + "]";
    return text;
}

// A union part as Access shows it: trimmed, each run of line breaks one line break.
std::string cleanedUnionPart(const std::string& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ')
        ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ')
        --end;
    std::string cleaned;
    for (std::size_t i = begin; i < end; ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            while (i + 1 < end && (text[i + 1] == '\r' || text[i + 1] == '\n'))
                ++i;
            cleaned += newline;
        } else {
            cleaned += text[i];
        }
    }
    return cleaned;
}

// A table of the FROM clause, or a join of two of them, held in a pool and named by position.
struct Source {
    std::string key;  // a table's alias, else its name
    std::string text; // a table as written
    bool join = false;
    std::size_t from = 0;
    std::size_t to = 0;
    int type = 0;
    std::vector<std::string> conditions;
};

// The rows of one query and what is made of them; problem says why the query cannot be rebuilt.
class Rebuild {
public:
    Rebuild(const std::vector<const QueryRow*>& rows, StoredQueryKind kind) : kind_(kind) {
        for (const QueryRow* row : rows)
            if (row->attribute >= 0 && row->attribute < AttributeCount)
                rows_[std::size_t(row->attribute)].push_back(row);
    }

    std::string sql();
    const std::string& problem() const { return problem_; }

private:
    const Rows& all(Attribute attribute) const { return rows_[std::size_t(attribute)]; }
    const QueryRow* unique(Attribute attribute, const char* what) { return uniqueOf(all(attribute), what); }
    const QueryRow* uniqueOf(const Rows& rows, const char* what) {
        if (rows.size() > 1)
            fail(std::string("more than one ") + what);
        return rows.empty() ? nullptr : rows.front();
    }
    void fail(std::string why) {
        if (problem_.empty())
            problem_ = std::move(why);
    }

    Rows columnRows() const;
    Rows groupByRows() const;
    std::string parameters();
    std::string selectPredicates();
    std::vector<std::string> selectColumns();
    std::vector<std::string> fromTables();
    std::string render(std::size_t source, bool topLevel);
    std::string fromRemoteDatabase();
    std::string selectStatement(bool withSelect, const std::string& into);
    std::string orderBy();
    std::string target(const QueryRow* kindRow);
    std::string crossTab();
    std::string unionQuery();
    std::string append(const QueryRow* kindRow);
    std::string update();
    std::string wholeText(const QueryRow* kindRow);

    StoredQueryKind kind_;
    std::array<Rows, AttributeCount> rows_;
    std::vector<Source> sources_;
    std::string problem_;
};

Rows filtered(const Rows& rows, int mask, bool set) {
    Rows kept;
    for (const QueryRow* row : rows)
        if (hasFlag(row, mask) == set)
            kept.push_back(row);
    return kept;
}

Rows Rebuild::columnRows() const {
    if (kind_ == StoredQueryKind::Append)
        return filtered(all(ColumnRow), appendValue, false);
    if (kind_ == StoredQueryKind::CrossTab)
        return filtered(all(ColumnRow), crossTabRowHeading, true);
    return all(ColumnRow);
}

Rows Rebuild::groupByRows() const {
    if (kind_ == StoredQueryKind::CrossTab)
        return filtered(all(GroupByRow), crossTabRowHeading, true);
    return all(GroupByRow);
}

std::string Rebuild::parameters() {
    std::vector<std::string> items;
    for (const QueryRow* row : all(ParameterRow)) {
        const char* type = parameterTypeName(row->flag.value_or(0));
        if (!type) {
            fail("a parameter of the unknown type " + std::to_string(row->flag.value_or(0)));
            return {};
        }
        std::string item = row->name1.value_or(std::string()) + " " + type;
        if (row->flag.value_or(0) == textParameter && row->extra.value_or(0) > 0)
            item += "(" + std::to_string(*row->extra) + ")";
        items.push_back(std::move(item));
    }
    if (items.empty())
        return {};
    return "PARAMETERS " + joined(items) + ";" + newline;
}

// DISTINCT or DISTINCTROW, then TOP n [PERCENT], each with a space after it.
std::string Rebuild::selectPredicates() {
    const QueryRow* flags = unique(FlagRow, "select flags row");
    std::string text;
    if (hasFlag(flags, selectDistinct))
        text += "DISTINCT ";
    else if (hasFlag(flags, selectDistinctRow))
        text += "DISTINCTROW ";
    if (hasFlag(flags, selectTop)) {
        text += "TOP " + flags->name1.value_or(std::string());
        text += hasFlag(flags, selectPercent) ? " PERCENT " : " ";
    }
    return text;
}

std::vector<std::string> Rebuild::selectColumns() {
    std::vector<std::string> columns;
    // A column's expression is stored as Access writes it, brackets included.
    for (const QueryRow* row : columnRows())
        columns.push_back(row->expression.value_or(std::string()) + alias(row->name1));
    if (hasFlag(unique(FlagRow, "select flags row"), selectStar))
        columns.push_back("*");
    return columns;
}

std::string Rebuild::render(std::size_t index, bool topLevel) {
    const Source& source = sources_[index];
    if (!source.join)
        return source.text;
    const char* type = joinTypeText(source.type);
    if (!type) {
        fail("a join of the unknown type " + std::to_string(source.type));
        return {};
    }
    std::string text = topLevel ? "" : "(";
    text += render(source.from, false);
    text += type;
    text += render(source.to, false);
    text += " ON ";
    if (source.conditions.size() > 1)
        text += "(" + joined(source.conditions, ") AND (") + ")";
    else
        text += source.conditions.front();
    if (!topLevel)
        text += ")";
    return text;
}

bool containsTable(const std::vector<Source>& sources, std::size_t index, const std::string& name) {
    const Source& source = sources[index];
    if (!source.join)
        return sameIgnoringCase(source.key, name);
    return containsTable(sources, source.from, name) || containsTable(sources, source.to, name);
}

// The tables, each join nesting the tables or joins it joins: a join takes the sources holding its two
// tables out of the list and goes to its end; a join of two tables already joined adds its condition to
// that join when it is of the same type.
std::vector<std::string> Rebuild::fromTables() {
    sources_.clear();
    std::vector<std::size_t> list;
    for (const QueryRow* row : all(TableRow)) {
        Source table;
        if (row->expression)
            table.text = bracketed(*row->expression) + ".";
        if (row->name1)
            table.text += quotedWhereNeeded(*row->name1, true);
        table.text += alias(row->name2);
        table.key = row->name2 ? *row->name2 : row->name1.value_or(std::string());
        list.push_back(sources_.size());
        sources_.push_back(std::move(table));
    }
    for (const QueryRow* row : all(JoinRow)) {
        if (!row->name1 || !row->name2 || !row->expression) {
            fail("a join without its two tables and its condition");
            return {};
        }
        std::optional<std::size_t> from;
        std::optional<std::size_t> to;
        for (auto at = list.begin(); at != list.end() && (!from || !to);) {
            if (!from && containsTable(sources_, *at, *row->name1)) {
                from = *at;
                if (!to && containsTable(sources_, *at, *row->name2)) {
                    to = *at;
                    break;
                }
                at = list.erase(at);
            } else if (!to && containsTable(sources_, *at, *row->name2)) {
                to = *at;
                at = list.erase(at);
            } else {
                ++at;
            }
        }
        const auto table = [&](const std::string& name) {
            Source simple;
            simple.key = name;
            simple.text = quotedWhereNeeded(name, true);
            sources_.push_back(std::move(simple));
            return sources_.size() - 1;
        };
        if (!from)
            from = table(*row->name1);
        if (!to)
            to = table(*row->name2);
        if (*from == *to) {
            Source& join = sources_[*from];
            if (!join.join || join.type != row->flag.value_or(0)) {
                fail("joins of different types between " + *row->name1 + " and " + *row->name2);
                return {};
            }
            // The conditions of one join are stored last first.
            join.conditions.insert(join.conditions.begin(), *row->expression);
            continue;
        }
        Source join;
        join.join = true;
        join.from = *from;
        join.to = *to;
        join.type = row->flag.value_or(0);
        join.conditions.push_back(*row->expression);
        list.push_back(sources_.size());
        sources_.push_back(std::move(join));
    }
    std::vector<std::string> tables;
    for (std::size_t index : list)
        tables.push_back(render(index, true));
    return tables;
}

std::string Rebuild::fromRemoteDatabase() {
    const QueryRow* row = unique(RemoteDatabaseRow, "row of the other database");
    return row ? otherDatabase(row->name1, row->expression) : std::string();
}

std::string Rebuild::orderBy() {
    std::vector<std::string> items;
    for (const QueryRow* row : all(OrderByRow))
        items.push_back(row->expression.value_or(std::string()) +
                        (row->name1 && sameIgnoringCase(*row->name1, "D") ? " DESC" : ""));
    return items.empty() ? std::string() : newline + std::string("ORDER BY ") + joined(items);
}

std::string Rebuild::selectStatement(bool withSelect, const std::string& into) {
    std::string text = withSelect ? "SELECT " + selectPredicates() : std::string();
    text += joined(selectColumns());
    text += into;
    const std::vector<std::string> tables = fromTables();
    if (!tables.empty())
        text += newline + std::string("FROM ") + joined(tables) + fromRemoteDatabase();
    const QueryRow* where = unique(WhereRow, "WHERE row");
    if (where && where->expression)
        text += newline + std::string("WHERE ") + *where->expression;
    std::vector<std::string> groups;
    for (const QueryRow* row : groupByRows())
        groups.push_back(row->expression.value_or(std::string()));
    if (!groups.empty())
        text += newline + std::string("GROUP BY ") + joined(groups);
    const QueryRow* having = unique(HavingRow, "HAVING row");
    if (having && having->expression)
        text += newline + std::string("HAVING ") + *having->expression;
    return text + orderBy();
}

// The target table of a MakeTable or Append query, with its other database.
std::string Rebuild::target(const QueryRow* kindRow) {
    if (!kindRow || !kindRow->name1) {
        fail("no target table");
        return {};
    }
    return quotedWhereNeeded(*kindRow->name1, true);
}

std::string Rebuild::crossTab() {
    const QueryRow* value =
        uniqueOf(filtered(all(ColumnRow), crossTabPivot | crossTabRowHeading, false), "TRANSFORM value");
    const QueryRow* pivot = uniqueOf(filtered(all(ColumnRow), crossTabPivot, true), "PIVOT column");
    if (!pivot || !pivot->expression) {
        fail("no PIVOT column");
        return {};
    }
    std::string text;
    if (value && value->expression)
        text += "TRANSFORM " + *value->expression + alias(value->name1) + newline;
    return text + selectStatement(true, {}) + newline + "PIVOT " + *pivot->expression;
}

std::string Rebuild::unionQuery() {
    const auto part = [&](const char* id) -> std::optional<std::string> {
        for (const QueryRow* row : all(TableRow))
            if (row->name2 == id && row->expression)
                return cleanedUnionPart(*row->expression);
        return std::nullopt;
    };
    const std::optional<std::string> first = part(unionPart1);
    const std::optional<std::string> second = part(unionPart2);
    if (!first || !second) {
        fail("a union without both its parts");
        return {};
    }
    const bool all = hasFlag(unique(FlagRow, "select flags row"), unionWithoutAll) == false;
    return *first + newline + (all ? "UNION ALL " : "UNION ") + *second + orderBy();
}

std::string Rebuild::append(const QueryRow* kindRow) {
    std::string text = "INSERT INTO " + target(kindRow);
    std::vector<std::string> columns;
    std::vector<std::string> values;
    for (const QueryRow* row : all(ColumnRow)) {
        if (row->name2)
            columns.push_back(quotedWhereNeeded(*row->name2, true));
        if (hasFlag(row, appendValue))
            values.push_back(row->expression.value_or(std::string()));
    }
    if (!columns.empty())
        text += " (" + joined(columns) + ")";
    text +=
        otherDatabase(kindRow ? kindRow->name2 : std::nullopt, kindRow ? kindRow->expression : std::nullopt);
    text += newline;
    if (!values.empty())
        return text + "VALUES (" + joined(values) + ")";
    return text + selectStatement(true, {});
}

std::string Rebuild::update() {
    std::string text = "UPDATE " + joined(fromTables()) + fromRemoteDatabase();
    std::vector<std::string> settings;
    for (const QueryRow* row : all(ColumnRow)) {
        if (!row->name2) {
            fail("an UPDATE column without its name");
            return {};
        }
        settings.push_back(quotedWhereNeeded(*row->name2, true) + " = " +
                           row->expression.value_or(std::string()));
    }
    text += newline + std::string("SET ") + joined(settings);
    const QueryRow* where = unique(WhereRow, "WHERE row");
    if (where && where->expression)
        text += newline + std::string("WHERE ") + *where->expression;
    return text;
}

// The text of a DataDefinition or PassThrough query, as stored, with the ";" that ends every query.
std::string Rebuild::wholeText(const QueryRow* kindRow) {
    std::string text = kindRow ? kindRow->expression.value_or(std::string()) : std::string();
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ')
        text.pop_back();
    if (text.empty() || text.back() != ';')
        text += ';';
    return text;
}

std::string Rebuild::sql() {
    const QueryRow* kindRow = unique(KindRow, "kind row");
    if (kind_ == StoredQueryKind::DataDefinition || kind_ == StoredQueryKind::PassThrough)
        return wholeText(kindRow);
    std::string text = parameters();
    switch (kind_) {
    case StoredQueryKind::Select:
        text += selectStatement(true, {});
        break;
    case StoredQueryKind::MakeTable: {
        const std::string into = " INTO " + target(kindRow) +
                                 otherDatabase(kindRow ? kindRow->name2 : std::nullopt,
                                               kindRow ? kindRow->expression : std::nullopt);
        text += selectStatement(true, into);
        break;
    }
    case StoredQueryKind::Append:
        text += append(kindRow);
        break;
    case StoredQueryKind::Update:
        text += update();
        break;
    case StoredQueryKind::Delete:
        text += "DELETE " + selectStatement(false, {});
        break;
    case StoredQueryKind::CrossTab:
        text += crossTab();
        break;
    case StoredQueryKind::Union:
        text += unionQuery();
        break;
    case StoredQueryKind::DataDefinition:
    case StoredQueryKind::PassThrough:
        break;
    }
    if (hasFlag(unique(FlagRow, "select flags row"), ownerAccess))
        text += newline + std::string("WITH OWNERACCESS OPTION");
    return text + ";";
}

} // namespace

namespace {

std::variant<StoredQuery, std::string> rebuildOwn(const QueryObject& object,
                                                  const std::vector<const QueryRow*>& own) {
    const QueryRow* kindRow = nullptr;
    for (const QueryRow* row : own)
        if (row->attribute == KindRow) {
            kindRow = row;
            break;
        }
    const KindFacts* facts = kindOfObjectFlag(object.flags & kindFlagMask);
    // A query the catalog calls a select query may be another kind by its rows.
    if (facts && facts->objectFlag == 0 && kindRow && kindRow->flag)
        if (const KindFacts* byRows = kindOfRowValue(*kindRow->flag))
            facts = byRows;
    if (!facts)
        return "a query kind the engine does not have (flags " + std::to_string(object.flags) + ")";
    if (kindRow && kindRow->flag && *kindRow->flag != facts->rowValue)
        return "its rows say it is of the kind " + std::to_string(*kindRow->flag);
    Rebuild rebuild(own, facts->kind);
    std::string sql = rebuild.sql();
    if (!rebuild.problem().empty())
        return rebuild.problem();
    const bool hidden = (object.flags & hiddenFlag) != 0 || object.name.starts_with("~sq_");
    return StoredQuery{object.name, facts->kind, std::move(sql), hidden};
}

} // namespace

std::variant<StoredQuery, std::string> rebuildQuery(const QueryObject& object,
                                                    const std::vector<QueryRow>& rows) {
    std::vector<const QueryRow*> own;
    for (const QueryRow& row : rows)
        if (row.objectId == object.id)
            own.push_back(&row);
    return rebuildOwn(object, own);
}

QueriesAnswer rebuildQueries(const std::vector<QueryObject>& objects, const std::vector<QueryRow>& rows) {
    std::map<std::uint32_t, std::vector<const QueryRow*>> byObject;
    for (const QueryRow& row : rows)
        byObject[row.objectId].push_back(&row);
    QueriesAnswer answer;
    for (const QueryObject& object : objects) {
        const auto found = byObject.find(object.id);
        auto rebuilt =
            rebuildOwn(object, found != byObject.end() ? found->second : std::vector<const QueryRow*>{});
        if (auto* query = std::get_if<StoredQuery>(&rebuilt))
            answer.queries.push_back(std::move(*query));
        else
            answer.unread.push_back({object.name, std::move(std::get<std::string>(rebuilt))});
    }
    return answer;
}
