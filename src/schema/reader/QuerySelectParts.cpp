// The parts of a SELECT statement (parameters, predicates, columns, WHERE, GROUP BY, HAVING, ORDER BY) and
// of a UNION query; the FROM clause is in QueryFromClause.cpp.

#include "QuerySqlText.h"
#include "QueryStatement.h"

using namespace readerprotocol;

namespace queryrebuild {

namespace {

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

} // namespace

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

} // namespace queryrebuild
