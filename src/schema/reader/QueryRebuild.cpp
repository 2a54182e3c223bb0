// The kind of each saved query, from its catalog flags and its kind row, and its whole statement by kind;
// the parts of the statement are made in QuerySelectParts.cpp, QueryFromClause.cpp and QueryActionParts.cpp.

#include "QueryRebuild.h"

#include "QuerySqlText.h"
#include "QueryStatement.h"

#include <array>
#include <map>
#include <utility>

using namespace readerprotocol;
using namespace queryrebuild;

namespace {

constexpr std::uint32_t kindFlagMask = 0xF0;
constexpr std::uint32_t hiddenFlag = 0x08;

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

} // namespace

namespace queryrebuild {

// The statement of the query's kind, each ending in ";".
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

} // namespace queryrebuild

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
